// One-pixel lines, clipped by their parameter range.
//
// A line is walked along its major axis (the one with the larger difference), one step per
// pixel, t = 0 .. len - 1, the end point (t = len) excluded. At step t the minor axis has moved
// q(t) = round(t * rise / len) pixels. q is evaluated exactly in unsigned 64-bit arithmetic for
// any int coordinates, which lets the visible part of t be found directly (q is monotonic, so a
// binary search finds where the minor coordinate enters and leaves the surface) and the walk
// start there, however far outside the surface the end points lie.

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "model/Draw.h"
#include "model/SpanPainters.h"

namespace {

// q(t) = floor((2 * t * rise + bias) / (2 * len)) with its remainder; bias len - 1 rounds
// halves down, bias len rounds them up.
class TLineSteps {
 public:
  TLineSteps(uint64_t len, uint64_t rise, bool halvesUp)
      : len_(len), rise_(rise), bias_(halvesUp ? len : len - 1) {}

  // Quotient and remainder of 2 * t * rise + bias by 2 * len, without overflow for t < len.
  void At(uint64_t t, uint64_t& q, uint64_t& rem) const {
    const uint64_t p = t * rise_;  // both below 2^32
    const uint64_t v = 2 * (p % len_) + bias_;
    q = p / len_ + v / (2 * len_);
    rem = v % (2 * len_);
  }
  uint64_t Q(uint64_t t) const {
    uint64_t q, rem;
    At(t, q, rem);
    return q;
  }
  // Smallest t in [lo, hi] with Q(t) >= target, or hi + 1.
  int64_t FirstAtLeast(int64_t lo, int64_t hi, uint64_t target) const {
    while (lo <= hi) {
      const int64_t mid = lo + (hi - lo) / 2;
      if (Q(uint64_t(mid)) >= target)
        hi = mid - 1;
      else
        lo = mid + 1;
    }
    return lo;
  }
  uint64_t Len() const { return len_; }
  uint64_t Rise() const { return rise_; }

 private:
  uint64_t len_;
  uint64_t rise_;
  uint64_t bias_;
};

// A line in major/minor terms: m = m0 + sm * t, n = n0 + sn * q(t), inside mExtent x nExtent.
struct TAxisLine {
  int64_t M0, N0;
  int Sm, Sn;
  int64_t MExtent, NExtent;
};

// The range of t (inclusive) whose pixels lie inside the surface; empty when first > last.
void VisibleSteps(const TAxisLine& l, const TLineSteps& steps, int64_t& first, int64_t& last) {
  first = 0;
  last = int64_t(steps.Len()) - 1;
  if (l.Sm > 0) {
    first = std::max(first, -l.M0);
    last = std::min(last, l.MExtent - 1 - l.M0);
  } else {
    first = std::max(first, l.M0 - (l.MExtent - 1));
    last = std::min(last, l.M0);
  }
  // The minor coordinate must stay in [0, NExtent): q within [qLow, qHigh].
  int64_t qLow = l.Sn > 0 ? -l.N0 : l.N0 - (l.NExtent - 1);
  const int64_t qHigh = l.Sn > 0 ? l.NExtent - 1 - l.N0 : l.N0;
  if (qHigh < 0 || first > last) {
    last = first - 1;
    return;
  }
  qLow = std::max<int64_t>(qLow, 0);
  first = steps.FirstAtLeast(first, last, uint64_t(qLow));
  last = steps.FirstAtLeast(first, last, uint64_t(qHigh) + 1) - 1;
}

template <class TPainter>
void RasterLine(const TPainter& painter, int x0, int y0, int x1, int y1) {
  const int64_t dx = int64_t(x1) - x0;
  const int64_t dy = int64_t(y1) - y0;
  if ((dx == 0 && dy == 0) || painter.Width() == 0 || painter.Height() == 0) return;
  const bool xMajor = std::llabs(dx) >= std::llabs(dy);
  const int64_t dm = xMajor ? dx : dy;
  const int64_t dn = xMajor ? dy : dx;
  const TAxisLine l{xMajor ? x0 : y0,
                    xMajor ? y0 : x0,
                    dm < 0 ? -1 : 1,
                    dn < 0 ? -1 : 1,
                    xMajor ? painter.Width() : painter.Height(),
                    xMajor ? painter.Height() : painter.Width()};
  // Halves go to the smaller minor coordinate: down in q when the minor axis grows, up in q
  // when it shrinks. This keeps the pixels independent of the direction of drawing.
  const TLineSteps steps(uint64_t(std::llabs(dm)), uint64_t(std::llabs(dn)), l.Sn < 0);
  int64_t first, last;
  VisibleSteps(l, steps, first, last);
  if (first > last) return;

  uint64_t q, rem;
  steps.At(uint64_t(first), q, rem);
  const uint64_t twoLen = 2 * steps.Len();
  const uint64_t twoRise = 2 * steps.Rise();
  for (int64_t t = first; t <= last; ++t) {
    const int m = int(l.M0 + l.Sm * t);
    const int n = int(l.N0 + l.Sn * int64_t(q));
    if (xMajor)
      painter.Point(m, n);
    else
      painter.Point(n, m);
    rem += twoRise;
    if (rem >= twoLen) {
      rem -= twoLen;
      ++q;
    }
  }
}

}  // namespace

void DrawLine(TSurface& surface, int x0, int y0, int x1, int y1, TPixel pixel) {
  RasterLine(TPixelPainter(surface, pixel), x0, y0, x1, y1);
}

void DrawLine(TMaskSurface& mask, int x0, int y0, int x1, int y1, TMaskPen pen) {
  RasterLine(TMaskPainter(mask, pen), x0, y0, x1, y1);
}
