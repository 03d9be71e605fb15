#include <vector>

#include "render/ZoomRows.h"

namespace {

// Every source pixel blended over the background and over its inverse, the only two colours the
// hatch has; the cells then only choose between the two. Branch-free so that it vectorises.
// Answers whether any pixel was translucent.
VectorClones bool BlendOverBoth(const TPixel* src, int n, TPixel back, TPixel inverse,
                                TPixel* overBack, TPixel* overInverse) {
  TPixel any = 0;
  for (int c = 0; c < n; ++c) {
    const TPixel p = src[c];
    overBack[c] = BlendOver(p, back);
    overInverse[c] = BlendOver(p, inverse);
    any |= p >> 24;
  }
  return any != 0;
}

// Cells of F view pixels (F known when compiled, 0 for any factor `f`). The hatch period divides
// the factor, so every cell of a row shows the same hatch: `inverse[k]` is all ones where pixel k
// of a cell lies on the inverse colour.
template <int F>
VectorClones void TwoToneCells(const TPixel* overBack, const TPixel* overInverse, TPixel* dst,
                               int cells, int f, const TPixel* inverse, bool grid,
                               TPixel gridPixel) {
  if constexpr (F > 0) f = F;
  for (int c = 0; c < cells; ++c, dst += f) {
    const TPixel b = overBack[c], i = overInverse[c];
    for (int k = 0; k < f; ++k) dst[k] = (i & inverse[k]) | (b & ~inverse[k]);
    if (grid) dst[0] = gridPixel;
  }
}

// The 100% row: each pixel over its own hatch pixel. Answers whether any was translucent.
VectorClones bool BlendOverRow(const TPixel* src, const TPixel* hatch, TPixel* dst, int count) {
  TPixel any = 0;
  for (int j = 0; j < count; ++j) {
    dst[j] = BlendOver(src[j], hatch[j]);
    any |= src[j] >> 24;
  }
  return any != 0;
}

// The cells of one view row from the source pixels blended over both hatch colours.
void WriteTwoTones(const TPixel* overBack, const TPixel* overInverse, TPixel* dst, int count,
                   const TPixel* hatch, const TRowStyle& s) {
  const int f = s.Factor;
  const int cells = count / f, rest = count - cells * f;
  if (hatch && f % s.HatchPeriod != 0) {
    // Cells whose hatch differs from one to the next (factors the view does not offer).
    for (int j = 0; j < count; ++j) {
      const int c = j / f;
      dst[j] = hatch[j] == s.BackInverse ? overInverse[c] : overBack[c];
      if (s.GridColumns && j % f == 0) dst[j] = s.Grid;
    }
    return;
  }
  // Which pixels of a cell show the inverse colour; without the hatch, none. Kept per thread, as
  // the scratch rows are, so that a row costs no allocation.
  thread_local std::vector<TPixel> inverse;
  inverse.assign(size_t(f), 0);
  if (hatch)
    for (int k = 0; k < f; ++k) inverse[size_t(k)] = hatch[k] == s.BackInverse ? ~TPixel(0) : 0;
  const bool grid = s.GridColumns;
  const TPixel* in = inverse.data();
  switch (f) {
    case 2:
      TwoToneCells<2>(overBack, overInverse, dst, cells, f, in, grid, s.Grid);
      break;
    case 4:
      TwoToneCells<4>(overBack, overInverse, dst, cells, f, in, grid, s.Grid);
      break;
    default:
      TwoToneCells<0>(overBack, overInverse, dst, cells, f, in, grid, s.Grid);
  }
  // A view narrower than whole cells ends in part of a cell.
  if (rest > 0)
    TwoToneCells<0>(overBack + cells, overInverse + cells, dst + size_t(cells) * size_t(f), 1, rest,
                    in, grid, s.Grid);
}

// The source pixels of a view row (whole and part cells) blended over both hatch colours, in
// scratch rows of this thread that are kept between rows and renders.
struct TTwoTones {
  const TPixel* OverBack;
  const TPixel* OverInverse;
  bool Blended;
};

TTwoTones BlendCells(const TPixel* src, int count, const TRowStyle& s) {
  const int n = (count + s.Factor - 1) / s.Factor;
  thread_local std::vector<TPixel> overBack, overInverse;
  if (overBack.size() < size_t(n)) {
    overBack.resize(size_t(n));
    overInverse.resize(size_t(n));
  }
  const bool blended =
      BlendOverBoth(src, n, s.Back, s.BackInverse, overBack.data(), overInverse.data());
  return {overBack.data(), overInverse.data(), blended};
}

}  // namespace

bool ZoomAlphaCells(const TPixel* src, TPixel* dst, int count, const TPixel* hatch,
                    const TRowStyle& s) {
  if (s.Factor == 1 && hatch) return BlendOverRow(src, hatch, dst, count);
  const TTwoTones tones = BlendCells(src, count, s);
  WriteTwoTones(tones.OverBack, tones.OverInverse, dst, count, hatch, s);
  return tones.Blended;
}

bool ZoomAlphaCellRows2(const TPixel* src, TPixel* top, TPixel* bottom, int count,
                        const TPixel* hatchTop, const TPixel* hatchBottom, const TRowStyle& s) {
  const TTwoTones tones = BlendCells(src, count, s);
  WriteTwoTones(tones.OverBack, tones.OverInverse, top, count, hatchTop, s);
  WriteTwoTones(tones.OverBack, tones.OverInverse, bottom, count, hatchBottom, s);
  return tones.Blended;
}
