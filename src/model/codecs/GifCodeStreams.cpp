#include "model/codecs/GifCodeStreams.h"

#include <algorithm>
#include <array>

namespace gif_detail {
namespace {

class TCodePacker {
 public:
  explicit TCodePacker(std::vector<uint8_t>& out) : out_(out) {}
  void Put(int code, int width) {
    bits_ |= uint32_t(code) << count_;
    count_ += width;
    while (count_ >= 8) {
      out_.push_back(uint8_t(bits_));
      bits_ >>= 8;
      count_ -= 8;
    }
  }
  void Flush() {
    if (count_ > 0) out_.push_back(uint8_t(bits_));
    bits_ = 0;
    count_ = 0;
  }

 private:
  std::vector<uint8_t>& out_;
  uint32_t bits_ = 0;
  int count_ = 0;
};

// Mirrors the decoder's string table just far enough to know which codes stand for runs of one
// index. After a clear code the decoder adds one table entry for every code but the first; that
// entry is the previous string plus the first index of the current one. When the previous string
// was a run of p and the current one starts with p, the new entry is a run of p one longer.
class TRunLengthEncoder {
 public:
  TRunLengthEncoder(int minCodeSize, std::vector<uint8_t>& out)
      : clear_(1 << minCodeSize),
        width_(minCodeSize + 1),
        limit_(1 << (minCodeSize + 1)),
        packer_(out) {}

  void Encode(const uint8_t* pixels, size_t count) {
    Clear();
    for (size_t i = 0; i < count;) {
      size_t j = i + 1;
      while (j < count && pixels[j] == pixels[i]) ++j;
      EncodeRun(pixels[i], j - i);
      i = j;
    }
    packer_.Put(clear_ + 1, width_);  // end of information
    packer_.Flush();
  }

 private:
  void Clear() {
    packer_.Put(clear_, width_);
    next_ = clear_ + 2;
    hasPrevious_ = false;
    for (int p : touched_) runCodes_[size_t(p)].clear();
    touched_.clear();
  }

  void EncodeRun(int pixel, size_t length) {
    while (length > 0) {
      // The decoder widens its codes once its next free code reaches 2^width, so the table is
      // cleared one entry before that.
      if (hasPrevious_ && next_ > limit_ - 2) Clear();
      const std::vector<int>& known = runCodes_[size_t(pixel)];
      const bool extends = hasPrevious_ && previousPixel_ == pixel;
      const size_t grown = extends ? previousLength_ + 1 : 0;
      const size_t longest = std::min(length, known.size() + 1);  // runs 2.. are at [len - 2]
      if (grown >= 2 && grown <= length && grown >= longest) {
        Emit(next_, pixel, grown);  // the code the decoder is about to define
      } else if (longest >= 2) {
        Emit(known[longest - 2], pixel, longest);
      } else {
        Emit(pixel, pixel, 1);
      }
      length -= previousLength_;
    }
  }

  void Emit(int code, int pixel, size_t length) {
    packer_.Put(code, width_);
    if (hasPrevious_) {
      if (previousPixel_ == pixel) {
        std::vector<int>& known = runCodes_[size_t(pixel)];
        if (known.empty()) touched_.push_back(pixel);
        if (known.size() + 2 == previousLength_ + 1) known.push_back(next_);
      }
      ++next_;
    }
    hasPrevious_ = true;
    previousPixel_ = pixel;
    previousLength_ = length;
  }

  const int clear_;
  const int width_;
  const int limit_;
  TCodePacker packer_;
  int next_ = 0;
  bool hasPrevious_ = false;
  int previousPixel_ = 0;
  size_t previousLength_ = 0;
  std::array<std::vector<int>, 256> runCodes_;  // per index: codes of its runs of length 2, 3, ..
  std::vector<int> touched_;
};

}  // namespace

std::vector<uint8_t> EncodeRunLengthCodes(const uint8_t* pixels, size_t count, int minCodeSize) {
  std::vector<uint8_t> out;
  out.reserve(count / 2 + 16);
  TRunLengthEncoder(minCodeSize, out).Encode(pixels, count);
  return out;
}

size_t EstimateLzwBytes(const uint8_t* pixels, size_t count, int minCodeSize) {
  if (count == 0) return 2;
  constexpr int kTableSize = 8192;  // open addressing over (prefix, index) pairs
  std::vector<int32_t> keys(kTableSize, -1);
  std::vector<int16_t> codes(kTableSize, 0);
  const int clear = 1 << minCodeSize;
  int width = minCodeSize + 1;
  int next = clear + 2;
  size_t bits = size_t(width);  // the leading clear code
  int prefix = pixels[0];
  for (size_t i = 1; i < count; ++i) {
    const int32_t key = (prefix << 8) | pixels[i];
    uint32_t h = (uint32_t(key) * 2654435761u) >> 19;
    while (keys[h] != -1 && keys[h] != key) h = (h + 1) & (kTableSize - 1);
    if (keys[h] == key) {
      prefix = codes[h];
      continue;
    }
    bits += size_t(width);
    if (next < 4096) {
      keys[h] = key;
      codes[h] = int16_t(next++);
      if (next > (1 << width) && width < 12) ++width;
    } else {
      bits += size_t(width);  // clear code, and the table starts over
      std::fill(keys.begin(), keys.end(), -1);
      width = minCodeSize + 1;
      next = clear + 2;
    }
    prefix = pixels[i];
  }
  bits += 2 * size_t(width);  // the last string and the end code
  const size_t bytes = (bits + 7) / 8;
  return bytes + bytes / 255 + 2;  // sub-block lengths and the terminator
}

}  // namespace gif_detail
