#include "model/codecs/BmpRle.h"

namespace {

class TRlePainter {
 public:
  TRlePainter(const TDibRowDecoder& decoder, bool topDown, TSurface& image)
      : decoder_(decoder), topDown_(topDown), image_(image) {}

  bool Done() const { return y_ >= image_.Height(); }
  void NextLine() {
    x_ = 0;
    ++y_;
  }
  void Move(int dx, int dy) {
    x_ += dx;
    y_ += dy;
  }
  // One pixel of the given palette index at the current position, then one step right.
  void Put(int index) {
    if (x_ < image_.Width() && y_ < image_.Height()) {
      const int row = int(topDown_ ? y_ : image_.Height() - 1 - y_);
      image_.Row(row)[x_] = decoder_.IndexColor(index);
    }
    ++x_;
  }

 private:
  const TDibRowDecoder& decoder_;
  bool topDown_;
  TSurface& image_;
  int64_t x_ = 0;
  int64_t y_ = 0;  // counted in stored order from the first stored row
};

// The k-th index of absolute data: whole bytes for RLE8, nibbles (high first) for RLE4.
int IndexAt(const uint8_t* bytes, int k, int bits) {
  if (bits == 8) return bytes[k];
  const uint8_t b = bytes[k / 2];
  return (k % 2 == 0) ? b >> 4 : b & 0x0F;
}

}  // namespace

void DecodeRle(const uint8_t* data, size_t size, int bits, const TDibRowDecoder& decoder,
               bool topDown, TSurface& image) {
  TRlePainter painter(decoder, topDown, image);
  size_t i = 0;
  while (i + 1 < size && !painter.Done()) {
    const int count = data[i];
    const uint8_t value = data[i + 1];
    i += 2;
    if (count > 0) {  // a run: one byte repeated, or two nibbles alternating
      const int even = bits == 8 ? value : value >> 4, odd = bits == 8 ? value : value & 0x0F;
      for (int k = 0; k < count; ++k) painter.Put(k % 2 == 0 ? even : odd);
    } else if (value == 0) {
      painter.NextLine();
    } else if (value == 1) {
      return;
    } else if (value == 2) {
      if (i + 1 >= size) return;
      painter.Move(data[i], data[i + 1]);
      i += 2;
    } else {  // absolute data: `value` indices, padded to a 16-bit boundary
      const size_t bytes = bits == 8 ? value : (value + 1) / 2;
      const size_t present = size - i;
      const int available = int(bytes <= present ? value : (bits == 8 ? present : present * 2));
      for (int k = 0; k < available; ++k) painter.Put(IndexAt(data + i, k, bits));
      if (bytes > present) return;
      i += bytes + (bytes & 1);
    }
  }
}
