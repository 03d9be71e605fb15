#pragma once
// The palette file formats the store reads and writes: the program's own palette file and the
// interchange formats other editors use (GIMP, JASC-PAL, RIFF and Adobe colour tables). Each
// format is one reader and one writer in model/palettes/, listed in the table PaletteFormats().
//
// Readers take the whole file's bytes, refuse anything damaged with EVelmoraError (never reading
// past the end) and leave the record as it was when they fail. Every palette read holds 1 to 264
// colours, the most a palette record can hold.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/Palette.h"

enum class TPaletteFormat { Velmora, Gimp, Jasc, Riff, Act };

struct TPaletteFormatInfo {
  TPaletteFormat Format;
  const char* Key;          // the name the command line takes: plt, gpl, jasc, riff, act
  const char* Extension;    // the extension files of the format are saved with
  const char* Description;  // shown in the save dialog's format list
  void (*Read)(const uint8_t* data, size_t size, TPaletteRecord& pal);
  // `name` is the palette's name, for formats that store one.
  std::string (*Write)(const TPaletteRecord& pal, const std::string& name);
};

// Every format, the program's own first.
const std::vector<TPaletteFormatInfo>& PaletteFormats();
const TPaletteFormatInfo& PaletteFormatInfo(TPaletteFormat format);
std::optional<TPaletteFormat> PaletteFormatByKey(const std::string& key);

// The largest palette file read: room for 264 named colours in any text format.
constexpr size_t MaxPaletteFileSize = 256 * 1024;

// The format of a file's bytes: the text formats and RIFF by their signature, an Adobe colour
// table by the ".act" extension of `fileName`, anything else as the program's own format.
TPaletteFormat DetectPaletteFormat(const uint8_t* data, size_t size, const std::string& fileName);
// The format a file of this name is written in: ".gpl" GIMP, ".pal" JASC-PAL (the more widely
// read of the two .pal formats), ".act" Adobe, anything else the program's own.
TPaletteFormat PaletteFormatForFileName(const std::string& fileName);
// Whether the name has the extension of an interchange format (.gpl, .pal or .act).
bool IsInterchangePaletteName(const std::string& fileName);

// Reads the bytes of a palette file of any format into `pal`.
void ReadAnyPaletteBytes(const uint8_t* data, size_t size, const std::string& fileName,
                         TPaletteRecord& pal);
// The bytes of `pal` in `format`; throws EVelmoraError when the format cannot hold the palette.
std::string PaletteBytesAs(TPaletteFormat format, const TPaletteRecord& pal,
                           const std::string& name);

// The readers and writers of the table.
void ReadGimpPalette(const uint8_t* data, size_t size, TPaletteRecord& pal);
std::string GimpPaletteBytes(const TPaletteRecord& pal, const std::string& name);
void ReadJascPalette(const uint8_t* data, size_t size, TPaletteRecord& pal);
std::string JascPaletteBytes(const TPaletteRecord& pal, const std::string& name);
void ReadRiffPalette(const uint8_t* data, size_t size, TPaletteRecord& pal);
std::string RiffPaletteBytes(const TPaletteRecord& pal, const std::string& name);
void ReadActPalette(const uint8_t* data, size_t size, TPaletteRecord& pal);
std::string ActPaletteBytes(const TPaletteRecord& pal, const std::string& name);

// What the text formats share: the file split into lines (any of \n, \r\n, \r ends one).
std::vector<std::string> PaletteTextLines(const uint8_t* data, size_t size);
// Reads up to three whole numbers from 0 to 255 at the start of a line (leading blanks skipped);
// false unless all three are there.
bool ParseRgbTriple(const std::string& line, TPaletteEntry& entry);
// Throws the refusal for a colour count a palette record cannot take.
void CheckPaletteCount(size_t count);
