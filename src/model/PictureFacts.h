#pragma once
// What describing a single picture needs, taken either from an opened image or from a file's
// headers without decoding its pixels (so that describing a large picture stays quick and small).

#include <optional>
#include <string>

#include "model/Colors.h"
#include "model/SelectBitmap.h"

struct TPictureFacts {
  int Width = 0;
  int Height = 0;
  int BitCount = 0;
  int PaletteCount = 0;
  bool Transparent = false;
  TColor TransparentColor = 0;
  bool UsesAlpha = false;
};

TPictureFacts FactsOf(const TSelectBitmap& image);

// The facts that opening `path` as a single image would give, for BMP and JPEG files whose
// contents match their extension; nothing for other files and for pictures whose facts need all
// their pixels (run-length coded bitmaps, 32-bit pictures whose alpha must be looked at, for
// example), which must be opened instead. Files that
// opening would refuse are refused alike, with EVelmoraError.
std::optional<TPictureFacts> ProbePictureFile(const std::string& path);
