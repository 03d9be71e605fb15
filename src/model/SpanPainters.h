#pragma once
// Internal helpers of the drawing primitives: a rectangle in 64-bit coordinates (so that widths
// of rectangles near the limits of int cannot overflow) and the span painters that rasterisers
// hand their horizontal runs to. A painter clips each run once against its surface and then works
// on the raw row; rasterisers only visit rows inside the surface.

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "model/Geometry.h"
#include "model/Surface.h"

struct TBox64 {
  int64_t Left = 0;
  int64_t Top = 0;
  int64_t Right = 0;
  int64_t Bottom = 0;

  static TBox64 Normalized(const TRect& r) {
    return {std::min<int64_t>(r.Left, r.Right), std::min<int64_t>(r.Top, r.Bottom),
            std::max<int64_t>(r.Left, r.Right), std::max<int64_t>(r.Top, r.Bottom)};
  }
  int64_t Width() const { return Right - Left; }
  int64_t Height() const { return Bottom - Top; }
  bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
};

// The rows [First, Last) of a box that lie inside a surface of the given height.
struct TRowRange {
  int First = 0;
  int Last = 0;
};

inline TRowRange VisibleRows(const TBox64& b, int height) {
  return {int(std::clamp<int64_t>(b.Top, 0, height)),
          int(std::clamp<int64_t>(b.Bottom, 0, height))};
}

// Paints pixel words on a 32-bit surface.
class TPixelPainter {
 public:
  TPixelPainter(TSurface& surface, TPixel pixel) : surface_(surface), pixel_(pixel) {}

  int Width() const { return surface_.Width(); }
  int Height() const { return surface_.Height(); }

  // Paints [x0, x1) of row y; y must lie inside the surface, x0 and x1 need not.
  void Span(int y, int64_t x0, int64_t x1) const {
    const int64_t l = std::max<int64_t>(x0, 0);
    const int64_t r = std::min<int64_t>(x1, surface_.Width());
    if (l < r) std::fill(surface_.Row(y) + l, surface_.Row(y) + r, pixel_);
  }
  // (x, y) must lie inside the surface.
  void Point(int x, int y) const { surface_.Row(y)[x] = pixel_; }

 private:
  TSurface& surface_;
  TPixel pixel_;
};

// Applies a pen mode to the bits of a 1-bit mask, a whole byte at a time inside long runs.
class TMaskPainter {
 public:
  TMaskPainter(TMaskSurface& mask, TMaskPen pen) : mask_(mask), pen_(pen) {}

  int Width() const { return mask_.Width(); }
  int Height() const { return mask_.Height(); }

  void Span(int y, int64_t x0, int64_t x1) const {
    const int l = int(std::max<int64_t>(x0, 0));
    const int r = int(std::min<int64_t>(x1, mask_.Width()));
    if (l >= r) return;
    uint8_t* row = mask_.Row(y);
    const int first = l >> 3;
    const int last = (r - 1) >> 3;
    const uint8_t headBits = uint8_t(0xFF >> (l & 7));
    const uint8_t tailBits = uint8_t(0xFF << (7 - ((r - 1) & 7)));
    if (first == last) {
      Apply(row[first], uint8_t(headBits & tailBits));
      return;
    }
    Apply(row[first], headBits);
    ApplyWhole(row + first + 1, last - first - 1);
    Apply(row[last], tailBits);
  }
  void Point(int x, int y) const { Apply(mask_.Row(y)[x >> 3], uint8_t(0x80 >> (x & 7))); }

 private:
  void Apply(uint8_t& byte, uint8_t bits) const {
    switch (pen_) {
      case TMaskPen::Black:
        byte = uint8_t(byte & ~bits);
        break;
      case TMaskPen::White:
        byte = uint8_t(byte | bits);
        break;
      case TMaskPen::Xor:
        byte = uint8_t(byte ^ bits);
        break;
    }
  }
  void ApplyWhole(uint8_t* bytes, int count) const {
    switch (pen_) {
      case TMaskPen::Black:
        std::memset(bytes, 0x00, size_t(count));
        break;
      case TMaskPen::White:
        std::memset(bytes, 0xFF, size_t(count));
        break;
      case TMaskPen::Xor:
        for (int i = 0; i < count; ++i) bytes[i] = uint8_t(~bytes[i]);
        break;
    }
  }

  TMaskSurface& mask_;
  TMaskPen pen_;
};
