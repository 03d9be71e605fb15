#pragma once
// An even sample of a surface's pixels, for statistics that need not see every pixel.

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "model/Surface.h"

// Visits about `pixels` pixels of `s` (all of them when it holds fewer): every `step`-th pixel
// of every `step`-th row, the columns shifted from one row to the next so that the sample does
// not fall into stripes of the picture.
template <typename TVisit>
void VisitSample(const TSurface& s, int64_t pixels, TVisit visit) {
  const int64_t all = int64_t(s.Width()) * s.Height();
  const int step = std::max(1, int(std::sqrt(double(all) / double(pixels))));
  for (int y = step / 2, k = 0; y < s.Height(); y += step, ++k) {
    const TPixel* row = s.Row(y);
    for (int x = (k * 7) % step; x < s.Width(); x += step) visit(row[x]);
  }
}
