#pragma once
// A decoded picture as the codecs hand it over: what a file held, before it becomes a document.

#include <cstdint>
#include <optional>
#include <vector>

#include "model/Colors.h"
#include "model/Surface.h"

enum class TPictureKind : uint8_t {
  Bitmap,  // a BMP file: the bit count follows its pixel format
  Gif,     // a decoded GIF: the bit count is its bits per pixel
  Other,   // anything else (JPEG, PNG): 24 bits
};

struct TDecodedPicture {
  TPictureKind Kind = TPictureKind::Other;
  TSurface Image;                // pixel words, blue in the low byte
  uint8_t BitCount = 24;         // 1..8, 15, 16, 24 or 32
  std::vector<TColor> Palette;   // the entries actually read, for bit counts up to 8
  bool Transparent = false;
  // The picture's own transparent colour; without one, the colour of the bottom-left pixel
  // stands for it.
  std::optional<TColor> TransparentColor;
};
