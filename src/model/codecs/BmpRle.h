#pragma once
// Run-length coded BMP pixel data (BI_RLE8 and BI_RLE4).

#include <cstddef>
#include <cstdint>

#include "model/Surface.h"
#include "model/codecs/DibRows.h"

// Paints the runs of `data` into `image`, which already holds the fill colour. The stream's
// escapes (end of line, end of bitmap, delta) are followed; pixels past the right edge are
// dropped, and a stream that ends early simply leaves the remaining pixels untouched.
void DecodeRle(const uint8_t* data, size_t size, int bits, const TDibRowDecoder& decoder,
               bool topDown, TSurface& image);
