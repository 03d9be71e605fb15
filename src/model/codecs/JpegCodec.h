#pragma once
// JPEG files through libjpeg-turbo.

#include <cstddef>
#include <cstdint>

#include "model/FileIO.h"
#include "model/Picture.h"
#include "model/Surface.h"

// Decodes a JPEG file held in memory into a 24-bit picture. Greyscale, YCbCr, RGB and CMYK
// (plain or Adobe's inverted form) are converted to RGB. A truncated file decodes as far as its
// data goes. Throws EVelmoraError with the codec's message on anything it cannot read.
TDecodedPicture ReadJpeg(const uint8_t* data, size_t size);

// The size of a JPEG file held in memory and the colour of its bottom-left pixel as ReadJpeg
// would decode it, without decoding the rest of the picture. Throws as ReadJpeg does.
TPictureHeader ReadJpegHeader(const uint8_t* data, size_t size);

// Encodes `image` as a baseline JPEG file with the given quality (clamped to 1..100); from quality
// 90 on with full colour resolution (4:4:4), below it with colour halved both ways (4:2:0).
TBytes WriteJpeg(const TSurface& image, int quality);
