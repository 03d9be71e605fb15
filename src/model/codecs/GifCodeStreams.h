#pragma once
// GIF image data code streams: the LZW coding and the run-length coding.

#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

namespace gif_detail {

// Codes `count` pixels (each below 2^minCodeSize) as a GIF code stream of fixed code width: runs
// of one index are sent as strings of the table that the decoder builds, and a clear code comes
// before the table would make the decoder widen its codes. Returns the packed code bytes, without
// the leading code size byte and without the sub-block framing. Every GIF decoder reads it.
std::vector<uint8_t> EncodeRunLengthCodes(const uint8_t* pixels, size_t count, int minCodeSize);

// Codes `count` pixels (each below 2^minCodeSize) with LZW as every GIF decoder expects: a clear
// code first, codes one bit wider whenever the decoder's table reaches the next power of two, and
// a clear code when the table is full. Returns the packed code bytes, without the leading code
// size byte and without the sub-block framing.
std::vector<uint8_t> EncodeLzwCodes(const uint8_t* pixels, size_t count, int minCodeSize);

// The exact number of bytes the LZW coding of the pixels takes in a file, with its code size byte,
// sub-block lengths and terminator; once the codes pass `limit` bytes, some number above it.
size_t LzwImageBytes(const uint8_t* pixels, size_t count, int minCodeSize,
                     size_t limit = std::numeric_limits<size_t>::max() / 8);


}  // namespace gif_detail
