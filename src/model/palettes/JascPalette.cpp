// JASC-PAL palettes (.pal, Paint Shop Pro): the lines "JASC-PAL", the version "0100", the colour
// count, then that many lines of three numbers from 0 to 255, lines ending in CR LF.

#include <algorithm>

#include "model/Errors.h"
#include "model/PaletteFormats.h"

void ReadJascPalette(const uint8_t* data, size_t size, TPaletteRecord& pal) {
  const std::vector<std::string> lines = PaletteTextLines(data, size);
  if (lines.size() < 3 || lines[0] != "JASC-PAL")
    throw EVelmoraError("The file is not a JASC palette.");
  if (lines[1] != "0100") throw EVelmoraError("The JASC palette has an unknown version.");
  const std::string& countText = lines[2];
  if (countText.empty() || countText.size() > 5 ||
      !std::all_of(countText.begin(), countText.end(), [](char c) { return c >= '0' && c <= '9'; }))
    throw EVelmoraError("The JASC palette is damaged at line 3.");
  const size_t count = size_t(std::stoi(countText));
  CheckPaletteCount(count);
  if (lines.size() < 3 + count) throw EVelmoraError("The JASC palette is shorter than it claims.");
  TPaletteRecord next = pal;
  for (size_t i = 0; i < count; ++i)
    if (!ParseRgbTriple(lines[3 + i], next.Entries[i]))
      throw EVelmoraError("The JASC palette is damaged at line " + std::to_string(4 + i) + ".");
  next.Version = PaletteVersion;
  next.Count = uint16_t(count);
  pal = next;
}

std::string JascPaletteBytes(const TPaletteRecord& pal, const std::string&) {
  const int count = std::min<int>(pal.Count, MaxPaletteEntries);
  std::string out = "JASC-PAL\r\n0100\r\n" + std::to_string(count) + "\r\n";
  for (int i = 0; i < count; ++i) {
    const TPaletteEntry& e = pal.Entries[size_t(i)];
    out += std::to_string(e.Red) + ' ' + std::to_string(e.Green) + ' ' + std::to_string(e.Blue) +
           "\r\n";
  }
  return out;
}
