#pragma once
// GIF image data code streams: the LZW coding, the run-length coding and the choice of pixels
// that code smallest.

#include <cstddef>
#include <cstdint>
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
// sub-block lengths and terminator.
size_t LzwImageBytes(const uint8_t* pixels, size_t count, int minCodeSize);

// Chooses the pixels of a frame whose unchanged pixels may be either their own index or the
// transparent index `clear`: the choice follows the strings an LZW coder has already built, so
// its strings grow long. `mayClear[i]` tells whether pixel i is such a pixel.
std::vector<uint8_t> ChooseForLzw(const std::vector<uint8_t>& own,
                                  const std::vector<uint8_t>& mayClear, uint8_t clear,
                                  int minCodeSize);

}  // namespace gif_detail
