#include "model/codecs/DibRows.h"

#include <bit>
#include <cstring>

TChannelMask::TChannelMask(uint32_t mask) : Mask(mask) {
  if (mask == 0) return;
  Shift = std::countr_zero(mask);
  Max = mask >> Shift;
  if (Max > 255) return;
  const int bits = std::bit_width(Max);
  const bool contiguous = (Max & (Max + 1)) == 0;
  for (uint32_t v = 0; v <= Max; ++v) {
    uint32_t r = 0;
    for (int filled = 0; contiguous && filled < 8; filled += bits)
      r |= filled + bits <= 8 ? v << (8 - filled - bits) : v >> (filled + bits - 8);
    Lut[v] = uint8_t(contiguous ? r : (v * 255 + Max / 2) / Max);
  }
}

TDibRowDecoder TDibRowDecoder::Indexed(int bits, const TColor* palette, int count) {
  TDibRowDecoder d;
  d.bits_ = bits;
  d.lut_.fill(0);  // indices beyond the palette read as black
  for (int i = 0; i < count && i < 256; ++i) d.lut_[i] = ColorToPixel(palette[i]);
  return d;
}

TDibRowDecoder TDibRowDecoder::Bgr24() {
  return TDibRowDecoder();
}

TDibRowDecoder TDibRowDecoder::Masked(int bits, uint32_t red, uint32_t green, uint32_t blue,
                                      uint32_t alpha) {
  TDibRowDecoder d;
  d.bits_ = bits;
  d.red_ = TChannelMask(red);
  d.green_ = TChannelMask(green);
  d.blue_ = TChannelMask(blue);
  d.alpha_ = TChannelMask(alpha);
  const bool plain = bits == 32 && red == 0xFF0000 && green == 0xFF00 && blue == 0xFF;
  d.plainBgrx_ = plain && alpha == 0;
  d.plainBgra_ = plain && alpha == 0xFF000000u;
  return d;
}

void TDibRowDecoder::DecodeRow(const uint8_t* src, int width, TPixel* dst) const {
  if (bits_ <= 8) {
    DecodeIndexed(src, width, dst);
  } else if (bits_ == 24) {
    for (int x = 0; x < width; ++x, src += 3)
      dst[x] = TPixel(src[0]) | (TPixel(src[1]) << 8) | (TPixel(src[2]) << 16);
  } else if (plainBgrx_) {
    for (int x = 0; x < width; ++x, src += 4)
      dst[x] = TPixel(src[0]) | (TPixel(src[1]) << 8) | (TPixel(src[2]) << 16);
  } else if (plainBgra_) {
    for (int x = 0; x < width; ++x, src += 4)
      dst[x] = TPixel(src[0]) | (TPixel(src[1]) << 8) | (TPixel(src[2]) << 16) |
               (TPixel(255 - src[3]) << 24);
  } else {
    DecodeMasked(src, width, dst);
  }
}

void TDibRowDecoder::DecodeIndexed(const uint8_t* src, int width, TPixel* dst) const {
  if (bits_ == 8) {
    for (int x = 0; x < width; ++x) dst[x] = lut_[src[x]];
    return;
  }
  const int perByte = 8 / bits_;
  const unsigned valueMask = (1u << bits_) - 1;
  for (int x = 0; x < width; ++x) {
    const int shift = 8 - bits_ * (x % perByte + 1);
    dst[x] = lut_[(src[x / perByte] >> shift) & valueMask];
  }
}

void TDibRowDecoder::DecodeMasked(const uint8_t* src, int width, TPixel* dst) const {
  const int bytes = bits_ / 8;
  for (int x = 0; x < width; ++x, src += bytes) {
    const uint32_t v = bytes == 2 ? uint32_t(src[0] | (src[1] << 8))
                                  : uint32_t(src[0]) | (uint32_t(src[1]) << 8) |
                                        (uint32_t(src[2]) << 16) | (uint32_t(src[3]) << 24);
    dst[x] = blue_.Extract(v) | (green_.Extract(v) << 8) | (red_.Extract(v) << 16);
    if (alpha_.Max != 0) dst[x] = WithAlpha(dst[x], int(alpha_.Extract(v)));
  }
}

void EncodeIndexedRow(const TPixel* src, int width, int bits, TPaletteMapper& mapper,
                      uint8_t* dst) {
  if (bits == 8) {
    for (int x = 0; x < width; ++x) dst[x] = uint8_t(mapper.IndexOf(src[x]));
    return;
  }
  const int perByte = 8 / bits;
  std::memset(dst, 0, size_t((width + perByte - 1) / perByte));
  for (int x = 0; x < width; ++x) {
    const int shift = 8 - bits * (x % perByte + 1);
    dst[x / perByte] |= uint8_t(mapper.IndexOf(src[x]) << shift);
  }
}

void EncodeMasked16Row(const TPixel* src, int width, const std::array<uint32_t, 3>& masks,
                       uint8_t* dst) {
  const TChannelMask red(masks[0]), green(masks[1]), blue(masks[2]);
  const auto put = [](const TChannelMask& m, uint32_t v) {
    return m.Max == 0 ? 0u : (uint32_t((uint64_t(v) * m.Max + 127) / 255) << m.Shift) & m.Mask;
  };
  for (int x = 0; x < width; ++x, dst += 2) {
    const TPixel p = src[x];
    const uint32_t v = put(red, (p >> 16) & 0xFF) | put(green, (p >> 8) & 0xFF) | put(blue, p & 0xFF);
    dst[0] = uint8_t(v);
    dst[1] = uint8_t(v >> 8);
  }
}

void Encode555Row(const TPixel* src, int width, uint8_t* dst) {
  for (int x = 0; x < width; ++x, dst += 2) {
    const TPixel p = src[x];
    const uint32_t v = (QuantizeChannel((p >> 16) & 0xFF, 31) << 10) |
                       (QuantizeChannel((p >> 8) & 0xFF, 31) << 5) | QuantizeChannel(p & 0xFF, 31);
    dst[0] = uint8_t(v);
    dst[1] = uint8_t(v >> 8);
  }
}

void EncodeBgrRow(const TPixel* src, int width, uint8_t* dst) {
  for (int x = 0; x < width; ++x, dst += 3) {
    const TPixel p = src[x];
    dst[0] = uint8_t(p);
    dst[1] = uint8_t(p >> 8);
    dst[2] = uint8_t(p >> 16);
  }
}

void EncodeBgraRow(const TPixel* src, int width, uint8_t alpha, uint8_t* dst) {
  for (int x = 0; x < width; ++x, dst += 4) {
    const TPixel p = src[x];
    dst[0] = uint8_t(p);
    dst[1] = uint8_t(p >> 8);
    dst[2] = uint8_t(p >> 16);
    dst[3] = alpha;
  }
}

void EncodeBgraAlphaRow(const TPixel* src, int width, uint8_t* dst) {
  for (int x = 0; x < width; ++x, dst += 4) {
    const TPixel p = src[x];
    dst[0] = uint8_t(p);
    dst[1] = uint8_t(p >> 8);
    dst[2] = uint8_t(p >> 16);
    dst[3] = uint8_t(AlphaOf(p));
  }
}
