#pragma once
// GIF image data code streams made without giflib's encoder: the run-length coding and a quick
// estimate of the size of the LZW coding.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace gif_detail {

// Codes `count` pixels (each below 2^minCodeSize) as a GIF code stream of fixed code width: runs
// of one index are sent as strings of the table that the decoder builds, and a clear code comes
// before the table would make the decoder widen its codes. Returns the packed code bytes, without
// the leading code size byte and without the sub-block framing. Every GIF decoder reads it.
std::vector<uint8_t> EncodeRunLengthCodes(const uint8_t* pixels, size_t count, int minCodeSize);

// The number of bytes a plain LZW coding of the pixels takes, near enough to choose between two
// candidate frames.
size_t EstimateLzwBytes(const uint8_t* pixels, size_t count, int minCodeSize);

// Chooses the pixels of a frame whose unchanged pixels may be either their own index or the
// transparent index `clear`: the choice follows the strings an LZW coder has already built, so
// its strings grow long. `mayClear[i]` tells whether pixel i is such a pixel.
std::vector<uint8_t> ChooseForLzw(const std::vector<uint8_t>& own,
                                  const std::vector<uint8_t>& mayClear, uint8_t clear,
                                  int minCodeSize);

}  // namespace gif_detail
