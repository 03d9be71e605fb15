#pragma once
// Packing one stored frame of an optimised animation: its colour table and its indices.

#include <array>
#include <cstdint>
#include <vector>

#include "model/Colors.h"
#include "model/Geometry.h"

namespace gif_detail {

// A screen pixel that no frame has covered since the start or a "restore to background"; no
// colour has a high byte, so it never equals a pixel word.
constexpr uint32_t kNothing = 0xFF000000u;

// Pixel words to table indices in a small open-addressing table; images repeat colours in runs,
// so the last answer is kept too.
class TColorIndex {
 public:
  // The index of the pixel word, or -1.
  int Find(uint32_t pixel) {
    if (pixel == lastPixel_) return lastIndex_;
    for (uint32_t h = Hash(pixel);; h = (h + 1) & (kSize - 1)) {
      if (keys_[h] == (pixel | kUsed)) return Remember(pixel, values_[h]);
      if (keys_[h] == 0) return -1;
    }
  }
  // Adds the pixel word unless it is known; returns its index.
  int Insert(uint32_t pixel, int index) {
    for (uint32_t h = Hash(pixel);; h = (h + 1) & (kSize - 1)) {
      if (keys_[h] == (pixel | kUsed)) return values_[h];
      if (keys_[h] == 0) {
        keys_[h] = pixel | kUsed;
        values_[h] = int16_t(index);
        return index;
      }
    }
  }

 private:
  static constexpr uint32_t kSize = 1024;  // at most 257 entries: always room
  static constexpr uint32_t kUsed = 0x40000000u;
  static uint32_t Hash(uint32_t pixel) { return (pixel * 2654435761u) >> 22; }
  int Remember(uint32_t pixel, int index) {
    lastPixel_ = pixel;
    lastIndex_ = index;
    return index;
  }
  std::array<uint32_t, kSize> keys_{};
  std::array<int16_t, kSize> values_{};
  uint32_t lastPixel_ = 0xFFFFFFFFu;
  int lastIndex_ = -1;
};

// What one stored frame has to do: turn the screen `Under` into `Shown` (both pixel words, row
// after row of `ScreenWidth`) inside `Rect`, which holds every pixel where they differ.
struct TFrameToPack {
  const uint32_t* Shown = nullptr;
  const uint32_t* Under = nullptr;
  int ScreenWidth = 0;
  TRect Rect;
  const std::vector<TColor>* Global = nullptr;  // the global table; may be empty
  TColor TransparentColor = clBlack;            // the entry written for transparent pixels
  bool NameTransparentIndex = false;  // give the frame a transparent index even if it needs none
};

struct TPackedFrame {
  std::vector<TColor> LocalTable;  // empty: the frame uses the global table
  std::vector<uint8_t> Indices;    // Rect's pixels, row-major
  int TransparentIndex = -1;       // -1: no pixel is transparent
};

// Pixels that change are drawn; pixels that stay are drawn again or left transparent, whichever
// of several arrangements codes smallest in LZW. The global table serves when it holds every
// colour drawn and, if some pixel must stay transparent, has an index no drawn colour needs;
// otherwise the frame gets a local table of the colours it draws. Only a frame that must draw
// more than 256 colours at once (never one read from a file) loses colours, to the nearest ones
// it keeps.
TPackedFrame PackFrame(const TFrameToPack& frame);

}  // namespace gif_detail
