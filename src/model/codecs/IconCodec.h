#pragma once
// Icon (.ico) and cursor (.cur) files: a directory of sub-icons, each a device-independent bitmap
// with a colour (XOR) part and a transparency (AND) part, or a PNG image.
//
// In memory a sub-icon is one 32-bit image in which IconTransparentColor marks pixels through
// which the screen shows and IconInvertColor marks pixels that invert the screen.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/Colors.h"
#include "model/FileIO.h"
#include "model/Surface.h"

struct TIconImage {
  TSurface Image;
  uint8_t BitCount = 24;
  std::vector<TColor> Palette;  // 2^BitCount entries for bit counts up to 8, else empty
  // Stored PNG-compressed: read so, or to be written so (at 32 bits; larger ones always are).
  bool Png = false;
};

// Reads every sub-icon in directory order (a bare PNG reads as one sub-icon). Bitmap sub-icons
// keep their depth (1, 4, 8, 16 or 24 bits; 2-bit ones open as 4 bits); 32-bit ones whose alpha
// bytes are used, and PNG-compressed ones, open as 32 bits with alpha (model/Colors.h); 32-bit
// ones without alpha open as 24 bits. Without alpha, a pixel whose AND bit is set reads as
// IconTransparentColor over a black colour and as IconInvertColor over any other colour, since
// it changes the screen under it. Throws EVelmoraError for anything it cannot read.
std::vector<TIconImage> ReadIcon(const uint8_t* data, size_t size);

// Writes an icon file holding the images in order, each in the stored format for its bit count
// (2 to 4 bits as 4, 5 to 8 bits as 8, 9 to 16 bits as 16 with 5-5-5 channels). Transparent
// pixels are stored over a black table entry and inverting ones over another colour; a palette
// sub-icon without such entries lends entries no pixel uses, and one without a spare entry is
// stored one depth up (4, 8 or 24 bits) so that no pixel changes. 32-bit sub-icons keep their
// alpha, with an AND mask set where alpha is below 128; those 256 pixels wide or high, and those
// marked Png, are stored PNG-compressed.
TBytes WriteIcon(const std::vector<TIconImage>& images);
