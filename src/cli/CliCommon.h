#pragma once
// Shared pieces of velmora-cli: its error types and how it opens files.

#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/Document.h"
#include "model/PictureFacts.h"
#include "model/WorkFrame.h"

// A wrong command line: reported with the usage text and exit status 2.
class EUsage : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A file that could not be read or written: "velmora-cli: FILE: message", exit status 1.
class EFileError : public std::runtime_error {
 public:
  EFileError(std::string file, const std::string& message)
      : std::runtime_error(message), File(std::move(file)) {}
  std::string File;
};

// Opens a file as the editor would; a PNG file opens as a 24-bit image whose nearly
// transparent pixels become its transparent colour.
TDocument OpenInput(const std::string& path);

// What opening `path` as a single image would show, read from its headers where that suffices.
std::optional<TPictureFacts> ProbeInput(const std::string& path);

// The raster a frame or image shows, as RGBA bytes: transparent pixels get alpha 0.
std::string RasterToRgba(const TSelectBitmap& raster);

// The bit counts of a class's colour modes ("1 bit\r4 bits..." as GetColorModes gives them).
std::set<int> AllowedBits(const std::string& modes);
// Brings a raster to a depth its class can hold: palette images move up to the next palette
// depth unchanged, deeper images are reduced to an optimal palette, anything else becomes 24
// bits.
void FitBitCount(TSelectBitmap& r, const std::set<int>& allowed, int dither);
// Makes `frame` a sub-icon showing `source`; its transparent pixels become see-through.
void CopyIntoIconFrame(TWorkFrame& frame, const TSelectBitmap& source, int dither);
// One optimal palette of 2^bits colours for all frames of an animation, every frame remapped.
void ChangeGroupBitCount(TImageGroup& g, int bits, int dither);
// Changes the depth of a document as --bits asks (EUsage, naming the kind of `out`, for a depth
// its class cannot hold).
void ApplyBits(TDocument& doc, const std::string& out, int bits, int dither);
// Sets the allocator up for a short process that works on large planes; called first in main.
void TuneMemoryForBatchWork();

int RunInfo(const std::string& path);
// Converts a palette file; `format` is a key of PaletteFormats() or "" for the output's extension.
int RunPalette(const std::string& in, const std::string& out, const std::string& format);
int RunFrames(const std::string& path, const std::string& dir);
struct TConvertOptions {
  int Bits = 0;  // 0: keep
  int Dither = 0;
  int Quality = -1;
  int Compression = -1;
  int Loop = -1;
};
int RunConvert(const std::string& in, const std::string& out, const TConvertOptions& options);
// Builds one icon from pictures and the entries of icon files, smallest first.
int RunIcon(const std::string& out, const std::vector<std::string>& inputs, int bits);
struct TGifOptions {
  int Delay = 100;  // milliseconds
  int Loop = 0;     // 0: for ever
  int Bits = 8;
  int Dither = 0;
};
// Builds one animated GIF whose frames are the pictures, which must all have one size.
int RunGif(const std::string& out, const std::vector<std::string>& frames, const TGifOptions& o);
// Lists the stored palettes the editor offers, one path a line.
int RunListPalettes();
