#include "render/ZoomRender.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <vector>

#include "model/SelectBitmap.h"
#include "render/RowBands.h"
#include "render/ZoomRows.h"

namespace {

// The row of one whole image pixel per view pixel: a copy, or a blend with the hatch row. Rows
// of this factor are never shared, so whether the hatch showed is not needed.
void ZoomRow1(const TPixel* src, TPixel* dst, int count, const TPixel* hatch, TPixel key) {
  if (!hatch) {
    for (int j = 0; j < count; ++j) dst[j] = src[j] | OpaqueBits;
    return;
  }
  // Both values are read unconditionally so that the loop becomes a vector blend.
  for (int j = 0; j < count; ++j) {
    const TPixel p = src[j], h = hatch[j];
    dst[j] = (p & 0xFFFFFF) == key ? h : p | OpaqueBits;
  }
}

// Whole cells of F view pixels without transparency: plain runs, the first one in the grid
// colour when the grid shows.
template <int F>
void PlainCells(const TPixel* src, TPixel* dst, int cells, int f, bool grid, TPixel gridPixel) {
  if constexpr (F > 0) f = F;
  if (grid) {
    for (int c = 0; c < cells; ++c, dst += f) {
      const TPixel v = src[c] | OpaqueBits;
      dst[0] = gridPixel;
      for (int k = 1; k < f; ++k) dst[k] = v;
    }
  } else {
    for (int c = 0; c < cells; ++c, dst += f) {
      const TPixel v = src[c] | OpaqueBits;
      for (int k = 0; k < f; ++k) dst[k] = v;
    }
  }
}

// Hatched cells of F view pixels (F known when compiled): the hatch period divides F, so every
// transparent cell of a row shows the same F pixels, `hatchCell`. Each cell is then a select
// between that run and its colour, without a branch, which the compiler turns into vector
// blends as in the 100% row. With G the first pixel of each cell is the grid colour.
template <int F, bool G>
bool HatchedCells(const TPixel* src, TPixel* dst, int cells, const TPixel* hatchCell,
                  const TRowStyle& s) {
  TPixel hatch[F];
  for (int k = 0; k < F; ++k) hatch[k] = G && k == 0 ? s.Grid : hatchCell[k];
  TPixel any = 0;
  for (int c = 0; c < cells; ++c, dst += F) {
    const TPixel p = src[c];
    const TPixel t = (p & 0xFFFFFF) == s.Key ? ~TPixel(0) : 0;
    const TPixel v = p | OpaqueBits;
    for (int k = 0; k < F; ++k) dst[k] = G && k == 0 ? s.Grid : (hatch[k] & t) | (v & ~t);
    any |= t;
  }
  return any != 0;
}

// Both view rows of a row of hatched two-pixel cells in one pass (no grid at this factor): the
// source pixel and its test are shared, and the rows differ only in the hatch they show.
// Answers whether any cell showed the hatch.
VectorClones bool HatchedCellRows2(const TPixel* src, TPixel* top, TPixel* bottom, int count,
                                   const TPixel* hatchTop, const TPixel* hatchBottom, TPixel key) {
  const TPixel a0 = hatchTop[0], a1 = hatchTop[1], b0 = hatchBottom[0], b1 = hatchBottom[1];
  const int cells = count / 2;
  TPixel any = 0;
  for (int c = 0; c < cells; ++c) {
    const TPixel p = src[c];
    const TPixel t = (p & 0xFFFFFF) == key ? ~TPixel(0) : 0;
    const TPixel v = (p | OpaqueBits) & ~t;
    top[2 * c] = (a0 & t) | v;
    top[2 * c + 1] = (a1 & t) | v;
    bottom[2 * c] = (b0 & t) | v;
    bottom[2 * c + 1] = (b1 & t) | v;
    any |= t;
  }
  if (count % 2) {  // a view narrower than whole cells ends in half a cell
    const TPixel p = src[cells];
    const bool transparent = (p & 0xFFFFFF) == key;
    top[count - 1] = transparent ? hatchTop[count - 1] : p | OpaqueBits;
    bottom[count - 1] = transparent ? hatchBottom[count - 1] : p | OpaqueBits;
    any |= transparent;
  }
  return any != 0;
}

// Magnified cells of F view pixels each (F known when compiled, 0 for any factor `f`).
template <int F>
bool ZoomCells(const TPixel* src, TPixel* dst, int count, int f, const TPixel* hatch,
               const TRowStyle& s) {
  if constexpr (F > 0) f = F;
  bool hatched = false;
  const int cells = count / f;
  if (!hatch) {
    PlainCells<F>(src, dst, cells, f, s.GridColumns, s.Grid);
  } else if constexpr (F == 2 || F == 4) {
    hatched = s.GridColumns ? HatchedCells<F, true>(src, dst, cells, hatch, s)
                            : HatchedCells<F, false>(src, dst, cells, hatch, s);
  } else {
    // Larger cells: a mispredicted branch costs little against the run it writes, and the copy
    // and the fill beat blending every pixel.
    for (int c = 0; c < cells; ++c) {
      TPixel* cell = dst + size_t(c) * size_t(f);
      const TPixel p = src[c];
      if ((p & 0xFFFFFF) == s.Key) {
        std::memcpy(cell, hatch + size_t(c) * size_t(f), size_t(f) * sizeof(TPixel));
        hatched = true;
      } else {
        std::fill(cell, cell + f, p | OpaqueBits);
      }
      if (s.GridColumns) cell[0] = s.Grid;
    }
  }
  dst += size_t(cells) * size_t(f);
  // A view narrower than whole cells ends in part of a cell.
  if (const int rest = count - cells * f; rest > 0) {
    const TPixel p = src[cells];
    const bool transparent = hatch && (p & 0xFFFFFF) == s.Key;
    const TPixel* restHatch = hatch ? hatch + size_t(cells) * size_t(f) : nullptr;
    for (int k = 0; k < rest; ++k) dst[k] = transparent ? restHatch[k] : p | OpaqueBits;
    if (s.GridColumns) dst[0] = s.Grid;
    hatched |= transparent;
  }
  return hatched;
}

// Writes one content row of the view: `count` pixels (the closing column excluded) from `src`.
// `hatch` is the hatch row of this view row, or null without transparency. Answers whether the
// row shows any hatch, that is whether it depends on the view row.
//
// Built twice, for processors with AVX2 and for the rest, and chosen when the program starts: the
// row loops are vector selects and fills, which AVX2 does eight pixels at a time instead of four.
VectorClones bool ZoomRow(const TPixel* src, TPixel* dst, int count, const TPixel* hatch,
                          const TRowStyle& s) {
  if (s.Alpha) return ZoomAlphaCells(src, dst, count, hatch, s);
  switch (s.Factor) {
    case 1:
      ZoomRow1(src, dst, count, hatch, s.Key);
      return hatch != nullptr;
    case 2:
      return ZoomCells<2>(src, dst, count, 2, hatch, s);
    case 4:
      return ZoomCells<4>(src, dst, count, 4, hatch, s);
    case 8:
      return ZoomCells<8>(src, dst, count, 8, hatch, s);
    case 16:
      return ZoomCells<16>(src, dst, count, 16, hatch, s);
    default:
      return ZoomCells<0>(src, dst, count, s.Factor, hatch, s);
  }
}

// The hatch for every phase: row r holds the hatch of view rows r, r + period, ...; the inverse
// background lies where the column and the row agree modulo the period.
std::vector<TPixel> HatchRows(int width, const TRowStyle& s) {
  std::vector<TPixel> rows(size_t(width) * size_t(s.HatchPeriod));
  for (int r = 0; r < s.HatchPeriod; ++r)
    for (int j = 0; j < width; ++j)
      rows[size_t(r) * size_t(width) + size_t(j)] = j % s.HatchPeriod == r ? s.BackInverse : s.Back;
  return rows;
}

TRowStyle MakeRowStyle(const TZoomStyle& style) {
  const int f = std::max(style.Factor, 1);
  TRowStyle s{};
  s.Factor = f;
  s.GridColumns = style.Grid && f >= 4;
  s.Grid = ViewPixel(style.GridColor);
  // Without the hatch, transparent pixels simply show their own colour.
  s.Alpha = style.Alpha;
  s.Transparent = (style.Transparent || style.Alpha) && style.Hatch;
  // With alpha no pixel stands for transparency by its colour: the key matches none.
  s.Key = style.Alpha ? OpaqueBits : ColorToPixel(style.TransparentColor);
  s.Back = ViewPixel(style.Background);
  s.BackInverse = ViewPixel(style.Background ^ 0xFFFFFF);
  s.HatchPeriod = f <= 4 ? 2 : f / 2;
  return s;
}

// Writes view rows [first, last) of DrawZoomed; `first` starts a cell, so the rows of each cell
// are written by one call and copies between them stay within it.
void DrawZoomedRows(const TSurface& source, int originX, int originY, const TPixelRows& target,
                    const TRowStyle& s, const std::vector<TPixel>& hatchRows, int first, int last) {
  const int count = target.Width - 1;  // content columns; the last one closes the picture
  const size_t rowBytes = size_t(target.Width) * sizeof(TPixel);
  int sourceRow = originY + first / s.Factor;
  int rowsLeft = 0;
  int firstContentRow = first;  // first non-grid row of the current cell
  bool cellHatched = false;
  bool written = false;  // the row was written with the one before
  for (int i = first; i < last; ++i) {
    TPixel* dst = target.Row(i);
    if (i == target.Height - 1) {
      std::fill(dst, dst + target.Width, s.Grid);
      break;
    }
    bool gridRow = false;
    if (rowsLeft == 0) {
      rowsLeft = s.Factor;
      gridRow = s.GridColumns;  // grid rows and columns come and go together
      firstContentRow = gridRow ? i + 1 : i;
      ++sourceRow;
    }
    --rowsLeft;
    if (gridRow) {
      std::fill(dst, dst + target.Width, s.Grid);
      continue;
    }
    if (written) {
      written = false;
      continue;
    }
    // Rows of one cell are equal, or, with hatched pixels, equal to the row one period above.
    const int copyFrom = cellHatched ? i - s.HatchPeriod : firstContentRow;
    if (i > firstContentRow && copyFrom >= firstContentRow) {
      std::memcpy(dst, target.Row(copyFrom), rowBytes);
      continue;
    }
    const TPixel* src = source.Row(sourceRow - 1) + originX;
    const TPixel* hatch =
        s.Transparent ? hatchRows.data() + size_t(i % s.HatchPeriod) * size_t(count) : nullptr;
    if (hatch && s.Factor == 2 && i + 1 < target.Height - 1) {
      TPixel* below = target.Row(i + 1);
      const TPixel* hatchBelow = hatchRows.data() + size_t((i + 1) % s.HatchPeriod) * size_t(count);
      cellHatched = s.Alpha ? ZoomAlphaCellRows2(src, dst, below, count, hatch, hatchBelow, s)
                            : HatchedCellRows2(src, dst, below, count, hatch, hatchBelow, s.Key);
      dst[count] = s.Grid;
      below[count] = s.Grid;
      written = true;
      continue;
    }
    const bool hatched = ZoomRow(src, dst, count, hatch, s);
    if (i == firstContentRow) cellHatched = hatched;
    dst[count] = s.Grid;
  }
}

// Views from this many pixels on are rendered in bands on several threads; below it the hand-over
// would cost more than it saves.
constexpr size_t BandedViewPixels = size_t(1) << 18;

}  // namespace

void DrawZoomed(const TSurface& source, int originX, int originY, const TPixelRows& target,
                const TZoomStyle& style) {
  if (target.Width <= 0 || target.Height <= 0) return;
  const TRowStyle s = MakeRowStyle(style);
  const int count = target.Width - 1;
  const std::vector<TPixel> hatchRows = s.Transparent ? HatchRows(count, s) : std::vector<TPixel>();
  const bool parallel = size_t(target.Width) * size_t(target.Height) >= BandedViewPixels;
  RunRowBands(target.Height, s.Factor, parallel, [&](int first, int last) {
    DrawZoomedRows(source, originX, originY, target, s, hatchRows, first, last);
  });
}

void CompositeLayer(const TSelectBitmap& image, const TRect& visible, int factor,
                    const TPixelRows& target, TColor background) {
  const TSurface* layer = image.Layer();
  if (!layer) return;
  // Translucent layer pixels of a 32-bit image show the hatch through, as they will once dropped.
  const bool alpha = image.GetBitCount() == 32;
  const int period = factor <= 4 ? 2 : factor / 2;
  const TPixel back = ViewPixel(background), inverse = ViewPixel(background ^ 0xFFFFFF);
  const TMaskSurface& mask = image.Mask();
  const int lx = image.LayerLeft, ly = image.LayerTop;
  const TRect bounds{0, 0, std::min(layer->Width(), mask.Width()),
                     std::min(layer->Height(), mask.Height())};
  const TRect s = visible.Offset(-lx, -ly).Intersect(bounds);
  if (s.IsEmpty()) return;
  for (int sy = s.Top; sy < s.Bottom; ++sy) {
    const int top = (sy + ly - visible.Top) * factor;
    const int bottom = std::min(top + factor, target.Height);
    const TPixel* layerRow = layer->Row(sy);
    for (int sx = s.Left; sx < s.Right; ++sx) {
      if (!mask.IsSelected(sx, sy)) continue;
      const int left = std::max((sx + lx - visible.Left) * factor, 0);
      const int right = std::min((sx + lx - visible.Left) * factor + factor, target.Width);
      const TPixel p = layerRow[sx] | OpaqueBits;
      if (alpha && IsTranslucent(layerRow[sx])) {
        for (int y = std::max(top, 0); y < bottom; ++y)
          for (int x = left; x < right; ++x)
            target.Row(y)[x] = BlendOver(layerRow[sx], x % period == y % period ? inverse : back);
        continue;
      }
      for (int y = std::max(top, 0); y < bottom; ++y)
        std::fill(target.Row(y) + left, target.Row(y) + right, p);
    }
  }
}

namespace {

// The running bit of a dash segment starting at coordinate `start` along its axis: the phase is
// the start modulo 16 as a 16-bit counter, the shift count taken modulo 32.
uint32_t DashStartBit(int start) {
  const int16_t s = int16_t(start);
  const int phase = s % 16;  // truncating, so negative starts give negative phases
  return 1u << (unsigned(phase) & 31u);
}

}  // namespace

void DrawDashRow(const TPixelRows& target, int x, int y, int n, uint32_t pattern, TPixel a,
                 TPixel b) {
  if (y < 0 || y >= target.Height) return;
  TPixel* row = target.Row(y);
  uint32_t bit = DashStartBit(x);
  for (int k = 0; k < n; ++k) {
    bit = std::rotl(bit, 1);
    const int px = x + k;
    if (px >= 0 && px < target.Width) row[px] = (pattern & bit) ? a : b;
  }
}

void DrawDashColumn(const TPixelRows& target, int x, int y, int n, uint32_t pattern, TPixel a,
                    TPixel b) {
  if (x < 0 || x >= target.Width) return;
  uint32_t bit = DashStartBit(y);
  for (int k = 0; k < n; ++k) {
    bit = std::rotl(bit, 1);
    const int py = y + k;
    if (py >= 0 && py < target.Height) target.Row(py)[x] = (pattern & bit) ? a : b;
  }
}

namespace {

// Whether a mask row has no selected pixel.
bool RowUnselected(const TMaskSurface& mask, int y) {
  const uint8_t* row = mask.Row(y);
  const int whole = mask.Width() / 8;
  for (int i = 0; i < whole; ++i)
    if (row[i] != 0xFF) return false;
  const int rest = mask.Width() % 8;
  if (rest == 0) return true;
  const uint8_t used = uint8_t(0xFF << (8 - rest));
  return (row[whole] & used) == used;
}

}  // namespace

bool DrawSelectionOutline(const TMaskSurface& mask, int lx, int ly, const TRect& visible,
                          int factor, const TPixelRows* target, const TOutlineStyle& style) {
  const int w = mask.Width(), h = mask.Height(), f = factor;
  const TRect u = visible.Offset(-lx, -ly).Intersect(mask.Bounds());
  if (u.IsEmpty()) return false;
  const TPixel a = ViewPixel(style.First), b = ViewPixel(style.Second);
  const uint32_t pattern = style.Pattern;
  bool found = false;
  bool aboveUnselected = u.Top == 0 || RowUnselected(mask, u.Top - 1);
  for (int y = u.Top; y < u.Bottom; ++y) {
    const bool rowUnselected = RowUnselected(mask, y);
    const bool skip = rowUnselected && aboveUnselected;
    aboveUnselected = rowUnselected;
    if (skip) continue;  // no edge can start on this row
    const int ty = (y + ly - visible.Top) * f;
    bool left = u.Left > 0 && mask.IsSelected(u.Left - 1, y);
    const uint8_t* row = mask.Row(y);
    const uint8_t* up = y > 0 ? mask.Row(y - 1) : nullptr;
    for (int x = u.Left; x < u.Right; ++x) {
      // Eight pixels equal to their left neighbour and to the row above hold no edge: inside
      // and outside large selections whole bytes are passed over at once.
      while ((x & 7) == 0 && x + 8 <= u.Right && y != h - 1) {
        const uint8_t same = left ? 0x00 : 0xFF;  // selected pixels are 0 bits
        if (row[x >> 3] != same || (up ? up[x >> 3] : 0xFF) != same) break;
        x += 8;
      }
      if (x >= u.Right) break;
      const int tx = (x + lx - visible.Left) * f;
      const bool cur = mask.IsSelected(x, y);
      const bool above = y > 0 && mask.IsSelected(x, y - 1);
      if (cur != left) {
        found = true;
        if (target) DrawDashColumn(*target, tx, ty, f, pattern, a, b);
      }
      if (cur != above) {
        found = true;
        if (target) DrawDashRow(*target, tx, ty, f, pattern, a, b);
      }
      if (y == h - 1 && cur) {
        found = true;
        if (target) DrawDashRow(*target, tx, ty + f, f, pattern, a, b);
      }
      left = cur;
    }
    if (u.Right == w && mask.IsSelected(w - 1, y)) {
      found = true;
      if (target) DrawDashColumn(*target, (w + lx - visible.Left) * f, ty, f, pattern, a, b);
    }
  }
  return found;
}

// A pixel word with alpha as premultiplied ARGB.
static TPixel PremultipliedPixel(TPixel p) {
  const uint32_t a = uint32_t(AlphaOf(p));
  if (a == 255) return p | OpaqueBits;
  TPixel out = a << 24;
  for (int shift : {0, 8, 16}) out |= ((((p >> shift) & 0xFF) * a + 127) / 255) << shift;
  return out;
}

void ComposePreview(const TSelectBitmap& image, const TRect& region, bool withLayer,
                    const TPixelRows& target) {
  const TSurface& pixels = image.Image();
  const TRect r = region.Intersect(pixels.Bounds());
  if (r.IsEmpty()) return;
  const bool alpha = image.GetBitCount() == 32;
  const bool transparent = image.GetTransparent() && !alpha;
  const TPixel key = ColorToPixel(image.GetTransparentColor());
  for (int y = r.Top; y < r.Bottom; ++y) {
    const TPixel* src = pixels.Row(y);
    TPixel* dst = target.Row(y - region.Top);
    if (alpha) {
      for (int x = r.Left; x < r.Right; ++x) dst[x - region.Left] = PremultipliedPixel(src[x]);
      continue;
    }
    for (int x = r.Left; x < r.Right; ++x) {
      const TPixel p = src[x] & 0xFFFFFF;
      dst[x - region.Left] = transparent && p == key ? 0 : p | OpaqueBits;
    }
  }
  const TSurface* layer = image.Layer();
  if (!withLayer || !layer) return;
  const TMaskSurface& mask = image.Mask();
  const int lx = image.LayerLeft, ly = image.LayerTop;
  const TRect shown = r.Offset(-lx, -ly).Intersect(mask.Bounds()).Intersect(layer->Bounds());
  for (int y = shown.Top; y < shown.Bottom; ++y) {
    TPixel* dst = target.Row(y + ly - region.Top);
    for (int x = shown.Left; x < shown.Right; ++x)
      if (mask.IsSelected(x, y))
        dst[x + lx - region.Left] =
            alpha ? PremultipliedPixel(layer->Pixel(x, y)) : layer->Pixel(x, y) | OpaqueBits;
  }
}
