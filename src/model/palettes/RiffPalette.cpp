// RIFF palettes (.pal, Windows): a RIFF file of form "PAL " whose "data" chunk holds a LOGPALETTE,
// the version 0x0300, the entry count and the entries as red, green, blue, flags, all
// little-endian. Chunks before and after "data" are skipped.

#include <algorithm>
#include <cstring>

#include "model/Errors.h"
#include "model/PaletteFormats.h"

namespace {

uint32_t Le32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

void PutLe32(std::string& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out += char((v >> (8 * i)) & 0xFF);
}

}  // namespace

void ReadRiffPalette(const uint8_t* data, size_t size, TPaletteRecord& pal) {
  if (size < 12 || std::memcmp(data, "RIFF", 4) != 0 || std::memcmp(data + 8, "PAL ", 4) != 0)
    throw EVelmoraError("The file is not a RIFF palette.");
  // The RIFF size may claim less than the file holds, never more.
  const size_t end = std::min(size, size_t(Le32(data + 4)) + 8);
  for (size_t at = 12; at + 8 <= end;) {
    const size_t chunk = Le32(data + at + 4);
    const uint8_t* body = data + at + 8;
    if (chunk > end - at - 8) break;
    if (std::memcmp(data + at, "data", 4) == 0) {
      if (chunk < 4) break;
      const size_t count = size_t(body[2] | body[3] << 8);
      CheckPaletteCount(count);
      if (chunk < 4 + 4 * count) throw EVelmoraError("The RIFF palette is shorter than it claims.");
      TPaletteRecord next = pal;
      for (size_t i = 0; i < count; ++i) {
        const uint8_t* e = body + 4 + 4 * i;
        next.Entries[i] = {e[0], e[1], e[2], 0};
      }
      next.Version = PaletteVersion;
      next.Count = uint16_t(count);
      pal = next;
      return;
    }
    at += 8 + chunk + (chunk & 1);  // chunks are padded to an even length
  }
  throw EVelmoraError("The RIFF palette is damaged.");
}

std::string RiffPaletteBytes(const TPaletteRecord& pal, const std::string&) {
  const uint32_t count = uint32_t(std::min<int>(pal.Count, MaxPaletteEntries));
  const uint32_t dataSize = 4 + 4 * count;
  std::string out = "RIFF";
  PutLe32(out, 4 + 8 + dataSize);
  out += "PAL data";
  PutLe32(out, dataSize);
  out += char(PaletteVersion & 0xFF);
  out += char(PaletteVersion >> 8);
  out += char(count & 0xFF);
  out += char(count >> 8);
  for (uint32_t i = 0; i < count; ++i) {
    const TPaletteEntry& e = pal.Entries[i];
    out += char(e.Red);
    out += char(e.Green);
    out += char(e.Blue);
    out += char(0);
  }
  return out;
}
