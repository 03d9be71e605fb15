#pragma once
// Row conversion between the pixel layouts of device-independent bitmaps (as found in BMP files
// and in the sub-images of icon files) and 32-bit pixel words. Shared by the BMP and icon codecs.

#include <array>
#include <cstdint>

#include "model/Colors.h"
#include "model/codecs/PaletteMapper.h"

// One colour channel stored under a bit mask in a 16- or 32-bit pixel.
struct TChannelMask {
  uint32_t Mask = 0;
  int Shift = 0;
  uint32_t Max = 0;  // the channel value at full intensity

  explicit TChannelMask(uint32_t mask = 0);
  // The channel scaled to 0..255; a channel without bits reads as 0. Channels of up to 8 bits
  // repeat their bits (5 bits abcde read as abcdeabc), as ImageMagick and browsers read them;
  // wider ones are scaled.
  uint32_t Extract(uint32_t value) const {
    if (Max == 0) return 0;
    const uint32_t v = (value & Mask) >> Shift;
    if (Max <= 255) return Lut[v];
    return uint32_t((uint64_t(v) * 255 + Max / 2) / Max);
  }
  std::array<uint8_t, 256> Lut{};
};

// How the stored rows of one bitmap turn into pixel words.
class TDibRowDecoder {
 public:
  // Indexed rows (1, 2, 4 or 8 bits): `palette` holds `count` colours; indices beyond it read as
  // black.
  static TDibRowDecoder Indexed(int bits, const TColor* palette, int count);
  static TDibRowDecoder Bgr24();
  // 16- or 32-bit rows whose channels sit under the given masks. With an `alpha` mask each pixel
  // word carries its transparency (255 - alpha) in the top byte, as 32-bit images keep it.
  static TDibRowDecoder Masked(int bits, uint32_t red, uint32_t green, uint32_t blue,
                               uint32_t alpha = 0);

  int Bits() const { return bits_; }
  // Decodes `width` pixels from `src`, which must hold the row's DibStride bytes.
  void DecodeRow(const uint8_t* src, int width, TPixel* dst) const;
  // The pixel word of a palette index (for run-length coded bitmaps).
  TPixel IndexColor(int index) const { return lut_[index & 0xFF]; }

 private:
  void DecodeIndexed(const uint8_t* src, int width, TPixel* dst) const;
  void DecodeMasked(const uint8_t* src, int width, TPixel* dst) const;

  int bits_ = 24;
  bool plainBgrx_ = false;  // 32-bit rows in the usual blue, green, red, unused order
  bool plainBgra_ = false;  // the same with alpha in the fourth byte
  std::array<TPixel, 256> lut_{};
  TChannelMask red_, green_, blue_, alpha_;
};

// Row encoders: each writes one stored row of `width` pixels (without the padding).
void EncodeIndexedRow(const TPixel* src, int width, int bits, TPaletteMapper& mapper, uint8_t* dst);
void Encode555Row(const TPixel* src, int width, uint8_t* dst);
void EncodeBgrRow(const TPixel* src, int width, uint8_t* dst);
// Blue, green, red and a fourth byte of `alpha`.
void EncodeBgraRow(const TPixel* src, int width, uint8_t alpha, uint8_t* dst);
// Blue, green, red and each pixel's own alpha (straight, not premultiplied).
void EncodeBgraAlphaRow(const TPixel* src, int width, uint8_t* dst);
// 16-bit words with each channel scaled into its mask (contiguous masks), the way the decoder
// scales it back, so that decoded values survive being written again.
void EncodeMasked16Row(const TPixel* src, int width, const std::array<uint32_t, 3>& masks,
                       uint8_t* dst);

// A channel value scaled to `levels` steps (31 or 63) with rounding; the decoders scale it back.
constexpr uint32_t QuantizeChannel(uint32_t v, uint32_t levels) {
  return (v * levels + 127) / 255;
}

// The stored pixel format for an image's bit count: 1, 4, 8, 15 (5-5-5 in 16-bit words), 16
// (5-6-5), 24 or 32 bits.
constexpr int DibFormatBits(int bitCount) {
  if (bitCount == 1) return 1;
  if (bitCount >= 2 && bitCount <= 4) return 4;
  if (bitCount >= 5 && bitCount <= 8) return 8;
  if (bitCount >= 9 && bitCount <= 15) return 15;
  if (bitCount == 16) return 16;
  if (bitCount >= 17 && bitCount <= 24) return 24;
  return 32;
}
