#include "model/codecs/GifCodeStreams.h"

#include <algorithm>
#include <array>
#include <limits>

namespace gif_detail {
namespace {

class TCodePacker {
 public:
  explicit TCodePacker(std::vector<uint8_t>& out) : out_(out) {}
  bool Enough() const { return false; }
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

namespace {

// The string table of an LZW coder: (prefix code, index) pairs in open addressing. Entries carry
// the generation of the table, so starting over costs nothing until the generations run out; one
// table per thread serves every coding.
class TLzwTable {
 public:
  void Start(int minCodeSize) {
    first_ = (1 << minCodeSize) + 2;
    Reset();
  }
  // The code of prefix + index, or -1.
  int Find(int prefix, int index) const {
    const uint32_t key = Key(prefix, index);
    for (uint32_t h = Hash(key);; h = (h + 1) & (kSize - 1)) {
      if (keys_[h] == key) return codes_[h];
      if ((keys_[h] >> 20) != generation_) return -1;
    }
  }
  // Adds prefix + index as the next code.
  void Add(int prefix, int index) {
    const uint32_t key = Key(prefix, index);
    uint32_t h = Hash(key);
    while ((keys_[h] >> 20) == generation_) h = (h + 1) & (kSize - 1);
    keys_[h] = key;
    codes_[h] = int16_t(next_++);
  }
  void Reset() {
    next_ = first_;
    if (++generation_ < 4096) return;
    keys_.fill(0);
    generation_ = 1;
  }
  int Next() const { return next_; }

 private:
  static constexpr uint32_t kSize = 8192;
  static uint32_t Hash(uint32_t key) { return ((key & 0xFFFFF) * 2654435761u) >> 19; }
  uint32_t Key(int prefix, int index) const {
    return (generation_ << 20) | (uint32_t(prefix) << 8) | uint32_t(index);
  }
  int first_ = 0;
  int next_ = 0;
  uint32_t generation_ = 1;
  std::array<uint32_t, kSize> keys_{};
  std::array<int16_t, kSize> codes_{};
};

// Counts the bits of the codes instead of packing them, giving up beyond a limit.
class TCodeCounter {
 public:
  explicit TCodeCounter(size_t limitBytes) : limitBits_(limitBytes * 8) {}
  void Put(int, int width) { bits_ += size_t(width); }
  void Flush() {}
  bool Enough() const { return bits_ > limitBits_; }
  size_t Bytes() const { return (bits_ + 7) / 8; }

 private:
  size_t bits_ = 0;
  size_t limitBits_;
};

// The LZW coder of giflib's encoder, which every decoder reads: a code is widened after it is
// sent once the next free code no longer fits, and the table starts over at code 4095.
template <typename TSink>
void EncodeLzw(const uint8_t* pixels, size_t count, int minCodeSize, TSink& sink) {
  const int clear = 1 << minCodeSize;
  int width = minCodeSize + 1;
  static thread_local TLzwTable shared;
  TLzwTable* table = &shared;
  table->Start(minCodeSize);
  const auto put = [&](int code) {
    sink.Put(code, width);
    if (table->Next() >= (1 << width) && width < 12) ++width;
  };
  put(clear);
  if (count > 0) {
    int prefix = pixels[0];
    for (size_t i = 1; i < count; ++i) {
      const int index = pixels[i];
      const int code = table->Find(prefix, index);
      if (code >= 0) {
        prefix = code;
        continue;
      }
      put(prefix);
      if (sink.Enough()) return;
      if (table->Next() >= 4095) {
        put(clear);
        table->Reset();
        width = minCodeSize + 1;
      } else {
        table->Add(prefix, index);
      }
      prefix = index;
    }
    put(prefix);
  }
  put(clear + 1);
  sink.Flush();
}

}  // namespace

std::vector<uint8_t> EncodeLzwCodes(const uint8_t* pixels, size_t count, int minCodeSize) {
  std::vector<uint8_t> out;
  out.reserve(count / 2 + 16);
  TCodePacker packer(out);
  EncodeLzw(pixels, count, minCodeSize, packer);
  return out;
}

size_t LzwImageBytes(const uint8_t* pixels, size_t count, int minCodeSize, size_t limit) {
  TCodeCounter counter(limit);
  EncodeLzw(pixels, count, minCodeSize, counter);
  const size_t bytes = counter.Bytes();
  return 1 + bytes + (bytes + 254) / 255 + 1;  // code size, sub-block lengths, terminator
}

}  // namespace gif_detail
