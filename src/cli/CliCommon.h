#pragma once
// Shared pieces of velmora-cli: its error types and how it opens files.

#include <stdexcept>
#include <string>

#include "model/Document.h"

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

// The raster a frame or image shows, as RGBA bytes: transparent pixels get alpha 0.
std::string RasterToRgba(const TSelectBitmap& raster);

// Sets the allocator up for a short process that works on large planes; called first in main.
void TuneMemoryForBatchWork();

int RunInfo(const std::string& path);
int RunFrames(const std::string& path, const std::string& dir);
struct TConvertOptions {
  int Bits = 0;  // 0: keep
  int Dither = 0;
  int Quality = -1;
  int Compression = -1;
  int Loop = -1;
};
int RunConvert(const std::string& in, const std::string& out, const TConvertOptions& options);
