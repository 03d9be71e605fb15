#pragma once
// BMP files: reading every common variant and writing the formats of the editor's bit counts.

#include <cstddef>
#include <cstdint>
#include <optional>

#include "model/Colors.h"
#include "model/FileIO.h"
#include "model/Picture.h"
#include "model/Surface.h"

// Decodes a BMP file held in memory. Reads 1-, 4-, 8-, 16-, 24- and 32-bit bitmaps, run-length
// coded 4- and 8-bit ones, channel masks, top-down rows and the old OS/2 header; 2-bit bitmaps
// and embedded JPEG or PNG pictures open as 24 bits. A 15-bit bitmap reports 16 bits.
// A 32-bit bitmap whose header names an alpha mask keeps its alpha (in the top byte of each
// pixel word) when some pixel is not opaque and not every pixel has alpha 0; files whose alpha
// is 0 throughout are meant opaque and open so.
//
// Palette indices beyond the file's palette read as black; pixels that a run-length coded bitmap
// leaves out keep the colour of palette entry 0. Throws EVelmoraError for anything it cannot read.
TDecodedPicture ReadBmp(const uint8_t* data, size_t size);

// The header of a BMP file of `fileSize` bytes whose start is held in memory, or nothing when
// the start does not reach the bottom-left pixel or that pixel needs the whole picture decoded
// (run-length coded and embedded pictures). Files that ReadBmp refuses for their headers or
// their size are refused alike.
std::optional<TPictureHeader> ReadBmpHeader(const uint8_t* data, size_t size, uint64_t fileSize);

// Encodes `image` in the stored format for `bitCount` (see DibFormatBits). Palette formats map
// every pixel to the nearest of the `paletteCount` colours of `palette`, which must not be empty.
// High-colour images take `layout` (a file's channel masks, as read) when given, else 5-5-5 for
// 15 and 5-6-5 for 16 bits. A 32-bit image with translucent pixels is written with a V5 header
// naming an alpha mask (straight alpha, sRGB); without them as a plain 32-bit bitmap.
TBytes WriteBmp(const TSurface& image, int bitCount, const TColor* palette, int paletteCount,
                const std::array<uint32_t, 3>* layout = nullptr);

constexpr std::array<uint32_t, 3> Rgb565Masks = {0xF800, 0x07E0, 0x001F};
