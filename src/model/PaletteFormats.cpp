#include "model/PaletteFormats.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "model/Errors.h"
#include "model/FileIO.h"

namespace {

void ReadOwnPalette(const uint8_t* data, size_t size, TPaletteRecord& pal) {
  ReadPaletteBytes(data, size, pal);
}

std::string OwnPaletteBytes(const TPaletteRecord& pal, const std::string&) {
  return PaletteFileBytes(pal);
}

bool StartsWith(const uint8_t* data, size_t size, const char* text) {
  const size_t n = std::strlen(text);
  return size >= n && std::memcmp(data, text, n) == 0;
}

}  // namespace

const std::vector<TPaletteFormatInfo>& PaletteFormats() {
  static const std::vector<TPaletteFormatInfo> formats = {
      {TPaletteFormat::Velmora, "plt", ".plt", "Velmora palette", ReadOwnPalette, OwnPaletteBytes},
      {TPaletteFormat::Gimp, "gpl", ".gpl", "GIMP palette", ReadGimpPalette, GimpPaletteBytes},
      {TPaletteFormat::Jasc, "jasc", ".pal", "JASC-PAL palette", ReadJascPalette, JascPaletteBytes},
      {TPaletteFormat::Riff, "riff", ".pal", "RIFF palette", ReadRiffPalette, RiffPaletteBytes},
      {TPaletteFormat::Act, "act", ".act", "Adobe color table", ReadActPalette, ActPaletteBytes},
  };
  return formats;
}

const TPaletteFormatInfo& PaletteFormatInfo(TPaletteFormat format) {
  for (const TPaletteFormatInfo& info : PaletteFormats())
    if (info.Format == format) return info;
  return PaletteFormats().front();
}

std::optional<TPaletteFormat> PaletteFormatByKey(const std::string& key) {
  for (const TPaletteFormatInfo& info : PaletteFormats())
    if (key == info.Key) return info.Format;
  return std::nullopt;
}

TPaletteFormat DetectPaletteFormat(const uint8_t* data, size_t size, const std::string& fileName) {
  if (StartsWith(data, size, "GIMP Palette")) return TPaletteFormat::Gimp;
  if (StartsWith(data, size, "JASC-PAL")) return TPaletteFormat::Jasc;
  if (StartsWith(data, size, "RIFF") && size >= 12 && std::memcmp(data + 8, "PAL ", 4) == 0)
    return TPaletteFormat::Riff;
  if (LowerExtension(fileName) == ".act") return TPaletteFormat::Act;
  return TPaletteFormat::Velmora;
}

TPaletteFormat PaletteFormatForFileName(const std::string& fileName) {
  const std::string ext = LowerExtension(fileName);
  if (ext == ".gpl") return TPaletteFormat::Gimp;
  if (ext == ".pal") return TPaletteFormat::Jasc;
  if (ext == ".act") return TPaletteFormat::Act;
  return TPaletteFormat::Velmora;
}

bool IsInterchangePaletteName(const std::string& fileName) {
  return PaletteFormatForFileName(fileName) != TPaletteFormat::Velmora;
}

void ReadAnyPaletteBytes(const uint8_t* data, size_t size, const std::string& fileName,
                         TPaletteRecord& pal) {
  PaletteFormatInfo(DetectPaletteFormat(data, size, fileName)).Read(data, size, pal);
}

std::string PaletteBytesAs(TPaletteFormat format, const TPaletteRecord& pal,
                           const std::string& name) {
  return PaletteFormatInfo(format).Write(pal, name);
}

std::vector<std::string> PaletteTextLines(const uint8_t* data, size_t size) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t i = 0; i <= size; ++i) {
    if (i < size && data[i] != '\n' && data[i] != '\r') continue;
    lines.emplace_back(reinterpret_cast<const char*>(data) + start, i - start);
    if (i + 1 < size && data[i] == '\r' && data[i + 1] == '\n') ++i;
    start = i + 1;
  }
  // A final line break does not start another line.
  if (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

bool ParseRgbTriple(const std::string& line, TPaletteEntry& entry) {
  int values[3];
  size_t at = 0;
  for (int& value : values) {
    while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
    const size_t first = at;
    value = 0;
    while (at < line.size() && std::isdigit(static_cast<unsigned char>(line[at])) && at - first < 4)
      value = value * 10 + (line[at++] - '0');
    if (at == first || value > 255) return false;
    // A number runs up to a blank or the end of the line.
    if (at < line.size() && line[at] != ' ' && line[at] != '\t') return false;
  }
  entry = {uint8_t(values[0]), uint8_t(values[1]), uint8_t(values[2]), 0};
  return true;
}

void CheckPaletteCount(size_t count) {
  if (count == 0) throw EVelmoraError("The palette file holds no colors.");
  if (count > MaxPaletteEntries)
    throw EVelmoraError("The palette file holds more than 264 colors.");
}
