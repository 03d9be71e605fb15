#pragma once
// PNG data through libpng (used for the compressed images inside icon files).

#include <cstddef>
#include <cstdint>
#include <vector>

#include "model/FileIO.h"
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

// Decodes PNG data of any colour type, bit depth and interlacing to 8-bit RGBA. Pictures of more
// than `maxPixels` pixels are refused before anything is allocated. Throws EVelmoraError.
TRgbaImage ReadPng(const uint8_t* data, size_t size, int64_t maxPixels = MaxSurfacePixels);

// Encodes `width` x `height` RGBA pixels (rows top-down) as PNG data.
TBytes WritePng(int width, int height, const uint8_t* rgba);
