#pragma once
// A decoded picture as the codecs hand it over: what a file held, before it becomes a document.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "model/Colors.h"
#include "model/Surface.h"

enum class TPictureKind : uint8_t {
  Bitmap,  // a BMP file: the bit count follows its pixel format
  Gif,     // a decoded GIF: the bit count is its bits per pixel
  Png,     // a PNG document: 1, 4, 8, 24 or 32 bits as the file holds them
  Other,   // anything else (JPEG, a PNG read as a picture): 24 bits
};

struct TDecodedPicture {
  TPictureKind Kind = TPictureKind::Other;
  TSurface Image;                // pixel words, blue in the low byte; transparency on top at 32 bits
  uint8_t BitCount = 24;         // 1..8, 15, 16, 24 or 32
  std::vector<TColor> Palette;   // the entries actually read, for bit counts up to 8
  bool Transparent = false;
  // The picture's own transparent colour; without one, the colour of the bottom-left pixel
  // stands for it.
  std::optional<TColor> TransparentColor;
  // For 16-bit bitmaps: the red, green and blue bits of a stored pixel.
  std::array<uint32_t, 3> ChannelMasks{};
};

// The 16-bit layout BMP files use unless they name another: 5 bits each of red, green and blue.
constexpr std::array<uint32_t, 3> Rgb555Masks = {0x7C00, 0x03E0, 0x001F};

// What a picture file's headers tell without its pixels being decoded, plus the one pixel a
// document takes from its picture: the bottom-left one, which stands for the transparent colour
// of pictures without their own.
struct TPictureHeader {
  TPictureKind Kind = TPictureKind::Other;
  int Width = 0;
  int Height = 0;
  uint8_t BitCount = 24;        // as TDecodedPicture::BitCount
  std::vector<TColor> Palette;  // as TDecodedPicture::Palette
  TColor CornerColor = 0;
};
