// The test side's own GIF stream parser, LZW decoder and hand-made stream builder.

#include <stdexcept>

#include "model/codecs/GifTestSupport.h"

namespace gif_test {
namespace {

class TByteReader {
 public:
  explicit TByteReader(const TBytes& b) : b_(b) {}
  uint8_t Byte() {
    if (pos_ >= b_.size()) throw std::runtime_error("unexpected end of stream");
    return b_[pos_++];
  }
  int Word() {
    const int lo = Byte();
    return lo | (Byte() << 8);
  }
  void Skip(size_t n) {
    if (b_.size() - pos_ < n) throw std::runtime_error("unexpected end of stream");
    pos_ += n;
  }
  std::vector<uint8_t> SubBlocks() {
    std::vector<uint8_t> data;
    for (int n = Byte(); n > 0; n = Byte())
      for (int i = 0; i < n; ++i) data.push_back(Byte());
    return data;
  }

 private:
  const TBytes& b_;
  size_t pos_ = 0;
};

// A textbook LZW decoder: the code width grows when the next free code reaches 2^width.
std::vector<uint8_t> DecodeLzw(const std::vector<uint8_t>& data, int minCodeSize, size_t pixels,
                               int& maxWidth) {
  const int clear = 1 << minCodeSize, end = clear + 1;
  std::vector<std::vector<uint8_t>> table;
  int width = minCodeSize + 1, previous = -1;
  auto reset = [&] {
    table.assign(size_t(clear + 2), {});
    for (int i = 0; i < clear; ++i) table[size_t(i)] = {uint8_t(i)};
    width = minCodeSize + 1;
    previous = -1;
  };
  reset();
  std::vector<uint8_t> out;
  size_t bit = 0;
  maxWidth = width;
  while (bit + size_t(width) <= data.size() * 8) {
    int code = 0;
    for (int i = 0; i < width; ++i, ++bit) code |= ((data[bit / 8] >> (bit % 8)) & 1) << i;
    maxWidth = std::max(maxWidth, width);
    if (code == clear) {
      reset();
      continue;
    }
    if (code == end) break;
    std::vector<uint8_t> entry;
    if (previous < 0) {
      if (code >= clear) throw std::runtime_error("bad first code");
      out.insert(out.end(), table[size_t(code)].begin(), table[size_t(code)].end());
      previous = code;
      continue;
    }
    if (size_t(code) < table.size()) {
      entry = table[size_t(previous)];
      entry.push_back(table[size_t(code)][0]);
      out.insert(out.end(), table[size_t(code)].begin(), table[size_t(code)].end());
    } else if (size_t(code) == table.size()) {
      entry = table[size_t(previous)];
      entry.push_back(entry[0]);
      out.insert(out.end(), entry.begin(), entry.end());
    } else {
      throw std::runtime_error("code beyond the table");
    }
    if (table.size() < 4096) table.push_back(std::move(entry));
    if (table.size() == (size_t(1) << width) && width < 12) ++width;
    previous = code;
  }
  if (out.size() < pixels) throw std::runtime_error("too few pixels");
  out.resize(pixels);
  return out;
}

std::vector<uint8_t> Deinterlace(const std::vector<uint8_t>& stored, int w, int h) {
  std::vector<uint8_t> rows(stored.size());
  size_t k = 0;
  const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass)
    for (int y = start[pass]; y < h; y += step[pass], ++k)
      std::copy_n(stored.begin() + ptrdiff_t(k) * w, w, rows.begin() + ptrdiff_t(y) * w);
  return rows;
}

void PutWord(TBytes& b, int v) {
  b.push_back(uint8_t(v & 0xFF));
  b.push_back(uint8_t((v >> 8) & 0xFF));
}

void PutSubBlocks(TBytes& b, const std::vector<uint8_t>& data) {
  for (size_t pos = 0; pos < data.size(); pos += 255) {
    const size_t n = std::min<size_t>(255, data.size() - pos);
    b.push_back(uint8_t(n));
    b.insert(b.end(), data.begin() + ptrdiff_t(pos), data.begin() + ptrdiff_t(pos + n));
  }
  b.push_back(0);
}

// Literal codes only, with a clear code before the decoder would widen its codes.
std::vector<uint8_t> LiteralCodes(const std::vector<uint8_t>& pixels, int m) {
  std::vector<uint8_t> out;
  uint32_t acc = 0;
  int count = 0;
  const int width = m + 1, clear = 1 << m;
  auto put = [&](int code) {
    acc |= uint32_t(code) << count;
    for (count += width; count >= 8; count -= 8, acc >>= 8) out.push_back(uint8_t(acc));
  };
  const int perClear = (2 << m) - clear - 2;
  for (size_t i = 0; i < pixels.size(); ++i) {
    if (i % size_t(perClear) == 0) put(clear);
    put(pixels[i]);
  }
  put(clear + 1);
  if (count > 0) out.push_back(uint8_t(acc));
  return out;
}

}  // namespace

TRawGif ParseRawGif(const TBytes& bytes) {
  TByteReader r(bytes);
  if (r.Byte() != 'G' || r.Byte() != 'I' || r.Byte() != 'F') throw std::runtime_error("no GIF");
  r.Skip(3);
  r.Word();
  r.Word();
  const uint8_t packed = r.Byte();
  r.Skip(2);
  if (packed & 0x80) r.Skip(3 * (size_t(2) << (packed & 7)));
  TRawGif gif;
  for (;;) {
    const uint8_t kind = r.Byte();
    if (kind == 0x3B) return gif;
    if (kind == 0x21) {
      const uint8_t label = r.Byte();
      const std::vector<uint8_t> data = r.SubBlocks();
      gif.Blocks += label == 0xFE ? 'C' : label == 0xF9 ? 'G' : label == 0xFF ? 'L' : 'X';
      continue;
    }
    if (kind != 0x2C) throw std::runtime_error("unknown block");
    TRawImage image;
    image.Left = r.Word();
    image.Top = r.Word();
    image.Width = r.Word();
    image.Height = r.Word();
    const uint8_t flags = r.Byte();
    image.Interlaced = (flags & 0x40) != 0;
    if (flags & 0x80) r.Skip(3 * (size_t(2) << (flags & 7)));
    image.MinCodeSize = r.Byte();
    const std::vector<uint8_t> data = r.SubBlocks();
    const size_t pixels = size_t(image.Width) * size_t(image.Height);
    image.Indices = DecodeLzw(data, image.MinCodeSize, pixels, image.MaxCodeWidth);
    if (image.Interlaced) image.Indices = Deinterlace(image.Indices, image.Width, image.Height);
    gif.Blocks += 'I';
    gif.Images.push_back(std::move(image));
  }
}

TColor BuilderColor(int index, int bits) {
  const int n = 1 << bits;
  const int v = n == 1 ? 0 : index * 255 / (n - 1);
  return MakeColor(v, v, v);
}

TRawGifBuilder::TRawGifBuilder(int width, int height, int globalBits, uint8_t background) {
  const char* magic = "GIF89a";
  bytes_.assign(magic, magic + 6);
  PutWord(bytes_, width);
  PutWord(bytes_, height);
  bytes_.push_back(uint8_t(globalBits > 0 ? 0x80 | 0x70 | (globalBits - 1) : 0x70));
  bytes_.push_back(background);
  bytes_.push_back(0);
  tableOffset_ = bytes_.size();
  for (int i = 0; globalBits > 0 && i < (1 << globalBits); ++i) {
    const TColor c = BuilderColor(i, globalBits);
    GlobalTable.push_back(c);
    bytes_.insert(bytes_.end(), {uint8_t(RedOf(c)), uint8_t(GreenOf(c)), uint8_t(BlueOf(c))});
  }
}

TRawGifBuilder& TRawGifBuilder::GlobalColor(int index, TColor c) {
  GlobalTable.at(size_t(index)) = c;
  const size_t at = tableOffset_ + 3 * size_t(index);
  bytes_[at] = uint8_t(RedOf(c));
  bytes_[at + 1] = uint8_t(GreenOf(c));
  bytes_[at + 2] = uint8_t(BlueOf(c));
  return *this;
}

TRawGifBuilder& TRawGifBuilder::Comment(const std::string& text) {
  bytes_.insert(bytes_.end(), {0x21, 0xFE});
  PutSubBlocks(bytes_, std::vector<uint8_t>(text.begin(), text.end()));
  return *this;
}

TRawGifBuilder& TRawGifBuilder::Control(int disposal, int delayCs, int transparentIndex) {
  const uint8_t packed = uint8_t((disposal << 2) | (transparentIndex >= 0 ? 1 : 0));
  bytes_.insert(bytes_.end(), {0x21, 0xF9, 4, packed});
  PutWord(bytes_, delayCs);
  bytes_.insert(bytes_.end(), {uint8_t(std::max(0, transparentIndex)), 0});
  return *this;
}

TRawGifBuilder& TRawGifBuilder::Loop(int count, const char* name) {
  bytes_.insert(bytes_.end(), {0x21, 0xFF, 11});
  bytes_.insert(bytes_.end(), name, name + 11);
  bytes_.insert(bytes_.end(), {3, 1});
  PutWord(bytes_, count);
  bytes_.push_back(0);
  return *this;
}

TRawGifBuilder& TRawGifBuilder::Image(int left, int top, int width, int height,
                                      const std::vector<uint8_t>& indices, int localBits,
                                      bool interlaced) {
  bytes_.push_back(0x2C);
  PutWord(bytes_, left);
  PutWord(bytes_, top);
  PutWord(bytes_, width);
  PutWord(bytes_, height);
  uint8_t flags = interlaced ? 0x40 : 0;
  if (localBits > 0) flags |= uint8_t(0x80 | (localBits - 1));
  bytes_.push_back(flags);
  for (int i = 0; localBits > 0 && i < (1 << localBits); ++i)
    bytes_.insert(bytes_.end(), {uint8_t(i), uint8_t(255 - i), 128});
  int bits = localBits > 0 ? localBits : 1;
  for (int i = 0; i < 8 && localBits == 0; ++i)
    if (!GlobalTable.empty() && (size_t(1) << i) == GlobalTable.size()) bits = i;
  const int m = std::max(2, bits);
  std::vector<uint8_t> stored = indices;
  if (interlaced) {
    stored.clear();
    const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
      for (int y = start[pass]; y < height; y += step[pass])
        stored.insert(stored.end(), indices.begin() + ptrdiff_t(y) * width,
                      indices.begin() + ptrdiff_t(y + 1) * width);
  }
  bytes_.push_back(uint8_t(m));
  PutSubBlocks(bytes_, LiteralCodes(stored, m));
  return *this;
}

TBytes TRawGifBuilder::Finish(bool trailer) {
  TBytes out = bytes_;
  if (trailer) out.push_back(0x3B);
  return out;
}

}  // namespace gif_test
