#include "model/EllipseRows.h"

#include <algorithm>
#include <cmath>

// The ellipse passes through the centres of the outermost pixels of the box. In doubled
// coordinates about the box's centre, the pixel in column i and row j lies at
// (X, Y) = (2i - a, 2j - b) with a = w - 1 and b = h - 1, which are integers for even and odd
// sizes alike, and the ellipse is X^2 b^2 + Y^2 a^2 = a^2 b^2.
//
// In an upper-half row the shape reaches the largest X that passes either test:
// - steep parts: the curve crosses the row's centre line less than half a pixel left of the
//   pixel's centre, (X - 1)^2 b^2 + Y^2 a^2 <= a^2 b^2 (or X <= 1, the centre pixels);
// - flat parts: the curve crosses the pixel's column above the row's lower edge,
//   X^2 b^2 + (Y + 1)^2 a^2 <= a^2 b^2.
// These are the choices of the midpoint algorithm in its two regions; taking the larger makes the
// choice without a region switch and keeps the extents growing towards the middle row. Products
// reach 2^128 for boxes near 2^32 pixels, hence the 128-bit arithmetic.

namespace {

using TWide = unsigned __int128;

// The largest t in [0, cap] with (t * scale)^2 <= k, for scale >= 1 and k <= cap^2 * scale^2.
uint64_t MaxScaledRoot(TWide k, uint64_t scale, uint64_t cap) {
  auto fits = [&](uint64_t t) {
    const TWide v = TWide(t) * scale;
    return v * v <= k;
  };
  uint64_t t = uint64_t(std::min(std::sqrt(double(k)) / double(scale), double(cap)));
  while (t > 0 && !fits(t)) --t;
  while (t < cap && fits(t + 1)) ++t;
  return t;
}

// The largest value <= v with the parity of a (the X of a pixel centre), or -1.
int64_t PixelAtOrBelow(int64_t v, uint64_t a) {
  return v - ((int64_t(a) - v) & 1);
}

}  // namespace

TEllipseRows::TEllipseRows(int64_t width, int64_t height)
    : width_(width),
      height_(height),
      a_(uint64_t(width - 1)),
      b_(uint64_t(height - 1)),
      lastUpper_((height - 1) / 2) {}

int64_t TEllipseRows::RawExtent(int64_t j) const {
  // Row -1 stands for "nothing yet": the top row's outline starts at the centre.
  if (j < 0) return width_ / 2 - 1;
  const int64_t a = int64_t(a_);
  if (b_ == 0) return a;
  const uint64_t y = uint64_t(int64_t(b_) - 2 * j);  // |Y| of the row's centre
  const TWide a2 = TWide(a_) * a_;
  int64_t best = a & 1;

  const TWide steep = a2 * (TWide(b_ - y) * (b_ + y));
  best = std::max(best, PixelAtOrBelow(std::min<int64_t>(MaxScaledRoot(steep, b_, a_) + 1, a), a_));

  const uint64_t yEdge = y == 0 ? 1 : y - 1;  // |Y + 1|
  if (yEdge <= b_) {
    const TWide flat = a2 * (TWide(b_ - yEdge) * (b_ + yEdge));
    best = std::max(best, PixelAtOrBelow(int64_t(MaxScaledRoot(flat, b_, a_)), a_));
  }
  return (best + a) / 2;
}

int64_t TEllipseRows::Extent(int64_t j) const {
  const int64_t e = RawExtent(j);
  // A row that juts out by two or more pixels while the next row keeps its end would put its end
  // pixel in a corner that the outline does not need: the pixel beside it and the one below
  // already touch diagonally. Such a row ends one pixel earlier. The middle rows of an even
  // height mirror each other and keep their ends.
  if (j >= 0 && j < lastUpper_ && RawExtent(j + 1) == e && e - RawExtent(j - 1) >= 2) return e - 1;
  return e;
}

TEllipseRows::TRow TEllipseRows::Row(int64_t y) const {
  const int64_t j = std::min(y, height_ - 1 - y);
  const int64_t e = Extent(j);
  const int64_t s = std::min(Extent(j - 1) + 1, e);  // the right outline is [s, e]
  TRow row{width_ - 1 - e, e, width_ - s, s - 1};
  return row;
}
