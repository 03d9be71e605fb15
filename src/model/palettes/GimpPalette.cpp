// GIMP palettes (.gpl): the line "GIMP Palette", optional "Name:" and "Columns:" lines, comment
// lines starting with '#', then one colour per line as three numbers from 0 to 255 followed by
// an optional colour name.

#include <cstdio>

#include "model/Errors.h"
#include "model/PaletteFormats.h"

void ReadGimpPalette(const uint8_t* data, size_t size, TPaletteRecord& pal) {
  const std::vector<std::string> lines = PaletteTextLines(data, size);
  if (lines.empty() || lines[0].rfind("GIMP Palette", 0) != 0)
    throw EVelmoraError("The file is not a GIMP palette.");
  TPaletteRecord next = pal;
  size_t count = 0;
  for (size_t i = 1; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.find_first_not_of(" \t") == std::string::npos || line[0] == '#' ||
        line.rfind("Name:", 0) == 0 || line.rfind("Columns:", 0) == 0)
      continue;
    TPaletteEntry entry;
    if (!ParseRgbTriple(line, entry))
      throw EVelmoraError("The GIMP palette is damaged at line " + std::to_string(i + 1) + ".");
    CheckPaletteCount(count + 1);
    next.Entries[count++] = entry;
  }
  CheckPaletteCount(count);
  next.Version = PaletteVersion;
  next.Count = uint16_t(count);
  pal = next;
}

std::string GimpPaletteBytes(const TPaletteRecord& pal, const std::string& name) {
  std::string shownName;
  for (char c : name) shownName += (c == '\n' || c == '\r') ? ' ' : c;
  std::string out = "GIMP Palette\nName: " + shownName + "\nColumns: 8\n#\n";
  const int count = std::min<int>(pal.Count, MaxPaletteEntries);
  for (int i = 0; i < count; ++i) {
    const TPaletteEntry& e = pal.Entries[size_t(i)];
    char line[48];
    std::snprintf(line, sizeof line, "%3d %3d %3d\tIndex %d\n", e.Red, e.Green, e.Blue, i);
    out += line;
  }
  return out;
}
