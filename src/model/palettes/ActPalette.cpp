// Adobe colour tables (.act): 256 entries of red, green, blue (768 bytes), optionally followed by
// the number of colours used and the transparent index, both big-endian 16-bit.

#include <algorithm>

#include "model/Errors.h"
#include "model/PaletteFormats.h"

namespace {
constexpr size_t ActTableSize = 768;
}

void ReadActPalette(const uint8_t* data, size_t size, TPaletteRecord& pal) {
  if (size != ActTableSize && size != ActTableSize + 4)
    throw EVelmoraError("The Adobe color table has the wrong size.");
  size_t count = 256;
  if (size == ActTableSize + 4) {
    count = size_t(data[768] << 8 | data[769]);
    // Some programs write 0 for a full table.
    if (count == 0) count = 256;
    if (count > 256) throw EVelmoraError("The Adobe color table is damaged.");
  }
  TPaletteRecord next = pal;
  for (size_t i = 0; i < count; ++i)
    next.Entries[i] = {data[3 * i], data[3 * i + 1], data[3 * i + 2], 0};
  next.Version = PaletteVersion;
  next.Count = uint16_t(count);
  pal = next;
}

std::string ActPaletteBytes(const TPaletteRecord& pal, const std::string&) {
  const int count = pal.Count;
  if (count > 256) throw EVelmoraError("An Adobe color table holds at most 256 colors.");
  std::string out(ActTableSize + 4, '\0');
  for (int i = 0; i < count; ++i) {
    const TPaletteEntry& e = pal.Entries[size_t(i)];
    out[size_t(3 * i)] = char(e.Red);
    out[size_t(3 * i + 1)] = char(e.Green);
    out[size_t(3 * i + 2)] = char(e.Blue);
  }
  out[768] = char(count >> 8);
  out[769] = char(count & 0xFF);
  out[770] = out[771] = char(0xFF);  // no transparent colour
  return out;
}
