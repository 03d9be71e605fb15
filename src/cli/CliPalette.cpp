// "palette" converts a palette file between the formats the palette store reads and writes.

#include <cstdio>
#include <filesystem>

#include "CliCommon.h"
#include "model/Errors.h"
#include "model/PaletteStore.h"

int RunPalette(const std::string& in, const std::string& out, const std::string& formatKey) {
  std::optional<TPaletteFormat> format;
  if (!formatKey.empty()) {
    format = PaletteFormatByKey(formatKey);
    if (!format) throw EUsage("--format expects plt, gpl, jasc, riff or act");
  }
  TPaletteRecord pal;
  try {
    // The store gives a missing file the default palette; here it is a mistake.
    std::error_code ec;
    if (!std::filesystem::is_regular_file(in, ec))
      throw EVelmoraError("The palette file does not exist.");
    ReadPalette(in, pal);
  } catch (const EVelmoraError& e) {
    throw EFileError(in, e.what());
  }
  try {
    WritePalette(
        out, pal, [](const std::string&) { return true; }, format);
  } catch (const EVelmoraError& e) {
    throw EFileError(out, e.what());
  }
  return 0;
}

int RunListPalettes() {
  for (const std::string& folder : PaletteFolders())
    for (const std::string& name : ListPaletteFiles(folder, AllPalettesPattern))
      std::printf("%s%s\n", folder.c_str(), name.c_str());
  return 0;
}
