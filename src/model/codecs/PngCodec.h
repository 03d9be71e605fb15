#pragma once
// PNG data through libpng (used for the compressed images inside icon files).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "model/FileIO.h"
#include "model/Picture.h"
#include "model/ReadBudget.h"
#include "model/Surface.h"

struct TRgbaImage {
  int Width = 0;
  int Height = 0;
  TBudgetTicket Ticket;       // counts Rgba while a document is read
  std::vector<uint8_t> Rgba;  // rows top-down, 4 bytes per pixel: red, green, blue, alpha
};

// True when the data starts with the PNG signature.
bool HasPngSignature(const uint8_t* data, size_t size);

// Refuses data in which a chunk other than the image data claims to run past the end of the file.
// libpng asks for a chunk's whole declared length before reading it (a limit on it is only a
// warning while reading), so a few dozen bytes could otherwise ask for gigabytes. Cut-off image
// data is left to the decoder, which reports it. Throws EVelmoraError.
void CheckPngChunks(const uint8_t* data, size_t size);

// Decodes PNG data of any colour type, bit depth and interlacing to 8-bit RGBA. Pictures of more
// than `maxPixels` pixels are refused before anything is allocated. Throws EVelmoraError.
TRgbaImage ReadPng(const uint8_t* data, size_t size, int64_t maxPixels = MaxSurfacePixels);

// Encodes `width` x `height` RGBA pixels (rows top-down) as PNG data, compressed once.
// `fewColors` says the pixels hold at most 256 colours, which compress best (and fastest) in
// another way than photographs.
TBytes WritePng(int width, int height, const uint8_t* rgba, bool fewColors = false);

// ---- PNG documents (PngPicture.cpp) ----

// Decodes PNG data at the depth it was stored: palette files (1, 2, 4 or 8 bits) as 1, 4 or 8
// bits with their palette in file order and a fully transparent entry as the key colour; RGB and
// grey as 24 bits (an 8-bit RGB tRNS colour as the key); anything with alpha, or with a
// transparency the key colour cannot say exactly, as 32 bits with alpha. Pixel values are those
// stored: no gamma or colour profile is applied. Pictures of more than `maxPixels` pixels are
// refused before anything is allocated. Throws EVelmoraError.
TDecodedPicture ReadPngPicture(const uint8_t* data, size_t size,
                               int64_t maxPixels = MaxSurfacePixels);

// What a PNG document writes.
struct TPngPicture {
  const TSurface* Image = nullptr;
  int BitCount = 24;             // 1..8 palette, 9..24 RGB, 32 RGBA
  std::vector<TColor> Palette;   // for palette depths: the entries in order
  std::optional<TColor> Key;     // the transparent colour, for depths below 32
};

// Encodes the picture: 1 bit, 4 bits (2 to 4) or 8 bits (5 to 8) with a palette, 8-bit RGB for
// 9 to 24 bits, RGBA for 32 bits with the alpha the pixel words hold. A key colour becomes the
// tRNS chunk. Throws EVelmoraError.
TBytes WritePngPicture(const TPngPicture& picture);
