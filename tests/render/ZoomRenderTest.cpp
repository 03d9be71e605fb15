#include "render/ZoomRender.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

#include "model/SelectBitmap.h"

namespace {

constexpr TColor Grid = MakeColor(128, 128, 128);
constexpr TColor Back = MakeColor(192, 192, 192);
constexpr TColor Red = MakeColor(255, 0, 0);

TColor At(const TSurface& s, int x, int y) {
  return PixelToColor(s.Pixel(x, y));
}

TZoomStyle Style(int factor, bool grid = true) {
  TZoomStyle s;
  s.Factor = factor;
  s.GridColor = Grid;
  s.Background = Back;
  s.Grid = grid;
  return s;
}

// A pixel with alpha over an opaque colour, each channel rounded to the nearest.
TColor Over(TPixel p, TColor under) {
  const int a = AlphaOf(p);
  const TColor c = PixelToColor(p & 0xFFFFFF);
  int channels[3];
  for (int k = 0; k < 3; ++k) {
    const int v = int((c >> (8 * k)) & 0xFF) * a + int((under >> (8 * k)) & 0xFF) * (255 - a);
    channels[k] = (2 * v + 255) / 510;
  }
  return MakeColor(channels[0], channels[1], channels[2]);
}

// The magnified render written the plain way, pixel by pixel, as a yardstick for the quick one.
TSurface ReferenceZoom(const TSurface& src, int ox, int oy, int w, int h, const TZoomStyle& st) {
  TSurface out(w, h, 0);
  const int f = st.Factor, g = f <= 4 ? 2 : f / 2;
  const bool grid = st.Grid && f >= 4;
  int sy = oy - 1, rowsLeft = 0;
  for (int i = 0; i < h; ++i) {
    bool gridRow = false;
    if (rowsLeft == 0) {
      ++sy;
      rowsLeft = f;
      gridRow = grid;
    }
    if (i == h - 1) gridRow = true;
    int sx = ox, colsLeft = f;
    for (int j = 0; j < w; ++j) {
      TColor c;
      if (gridRow || (colsLeft == f && grid) || j == w - 1) {
        c = st.GridColor;
      } else {
        const TColor p = At(src, sx, sy);
        const TColor hatch = j % g == i % g ? st.Background ^ 0xFFFFFF : st.Background;
        if (st.Alpha)
          c = Over(src.Pixel(sx, sy), st.Hatch ? hatch : st.Background);
        else if (!st.Transparent || p != st.TransparentColor)
          c = p;
        else
          c = hatch;
      }
      out.SetPixel(j, i, ColorToPixel(c));
      if (--colsLeft == 0) {
        ++sx;
        colsLeft = f;
      }
    }
    --rowsLeft;
  }
  return out;
}

TSurface Render(const TSurface& src, int ox, int oy, int w, int h, const TZoomStyle& st) {
  TSurface out(w, h, 0);
  DrawZoomed(src, ox, oy, RowsOf(out), st);
  // The high byte only tells Qt the pixel is opaque.
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      EXPECT_EQ(out.Pixel(x, y) >> 24, 0xFFu);
      out.SetPixel(x, y, out.Pixel(x, y) & 0xFFFFFF);
    }
  return out;
}

TEST(ZoomRender, OnePixelAt1600PercentIsAFramedSquare) {
  TSurface src(1, 1, ColorToPixel(Red));
  const TSurface view = Render(src, 0, 0, 17, 17, Style(16));
  for (int y = 0; y < 17; ++y)
    for (int x = 0; x < 17; ++x) {
      const bool frame = x == 0 || y == 0 || x == 16 || y == 16;
      EXPECT_EQ(At(view, x, y), frame ? Grid : Red) << x << "," << y;
    }
}

TEST(ZoomRender, NoGridBelow400PercentButAlwaysTheClosingLine) {
  TSurface src(4, 3, ColorToPixel(Red));
  for (int f : {1, 2, 4, 8}) {
    const int w = 4 * f + 1, h = 3 * f + 1;
    const TSurface view = Render(src, 0, 0, w, h, Style(f));
    for (int x = 0; x < w; ++x) EXPECT_EQ(At(view, x, h - 1), Grid) << f;
    for (int y = 0; y < h; ++y) EXPECT_EQ(At(view, w - 1, y), Grid) << f;
    EXPECT_EQ(At(view, 0, 0), f >= 4 ? Grid : Red) << f;
    EXPECT_EQ(At(view, f, 1), f >= 4 ? Grid : Red) << f;  // the second cell's first column
  }
  // Switching the grid off leaves only the closing line.
  const TSurface view = Render(src, 0, 0, 33, 25, Style(8, false));
  EXPECT_EQ(At(view, 0, 0), Red);
  EXPECT_EQ(At(view, 8, 8), Red);
  EXPECT_EQ(At(view, 32, 3), Grid);
}

TEST(ZoomRender, HatchIsAnchoredToTheView) {
  TSurface src(3, 3, ColorToPixel(Red));
  src.SetPixel(1, 1, ColorToPixel(clBlack));
  TZoomStyle st = Style(4);
  st.Transparent = true;
  st.TransparentColor = clBlack;
  const TSurface view = Render(src, 0, 0, 13, 13, st);
  // At 400% and below the hatch is a checkerboard of single view pixels.
  for (int y = 5; y < 8; ++y)
    for (int x = 5; x < 8; ++x)
      EXPECT_EQ(At(view, x, y), (x % 2 == y % 2) ? (Back ^ 0xFFFFFF) : Back) << x << "," << y;
  // At 1600% the inverse colour runs along diagonals every 8 view pixels: shifting the origin by
  // one image pixel moves the picture, not the hatch's phase.
  st.Factor = 16;
  for (int ox : {0, 1}) {
    TSurface wide(4, 1, ColorToPixel(clBlack));
    const TSurface v = Render(wide, ox, 0, 3 * 16 + 1, 17, st);
    for (int x = 1; x < 48; ++x) {
      if (x % 16 == 0) continue;
      EXPECT_EQ(At(v, x, 3), x % 8 == 3 ? (Back ^ 0xFFFFFF) : Back) << ox << " " << x;
    }
  }
}

TEST(ZoomRender, AlphaBlendsOverTheHatch) {
  // A half-transparent red pixel between opaque ones, whose colour is also the key: with alpha
  // the key means nothing, and the pixel mixes with both hatch colours.
  TSurface src(3, 1, ColorToPixel(clBlack));
  src.SetPixel(1, 0, WithAlpha(ColorToPixel(Red), 128));
  TZoomStyle st = Style(4);
  st.Alpha = true;
  st.Transparent = true;
  st.TransparentColor = clBlack;
  for (int factor : {1, 4, 5}) {
    st.Factor = factor;
    const TSurface view = Render(src, 0, 0, 3 * factor + 1, factor + 1, st);
    const int first = factor >= 4 ? 1 : 0;  // past the grid line
    EXPECT_EQ(At(view, first, first), clBlack) << factor;
    // 255 * 128 / 255 + 192 * 127 / 255 = 224 for red, 96 for green and blue over the back...
    const TColor overBack = MakeColor(224, 96, 96);
    // ... and 128 + 63 * 127 / 255 = 159 and 0 + 63 * 127 / 255 = 31 over its inverse.
    const TColor overInverse = MakeColor(159, 31, 31);
    std::set<TColor> seen;
    for (int y = first; y < factor; ++y)
      for (int x = factor + first; x < 2 * factor; ++x) seen.insert(At(view, x, y));
    if (factor > 1) {
      EXPECT_EQ(seen, (std::set<TColor>{overBack, overInverse})) << factor;
    } else {
      EXPECT_TRUE(seen == std::set<TColor>{overBack} || seen == std::set<TColor>{overInverse});
    }
  }
}

TEST(ZoomRender, MatchesThePlainRenderAtEveryZoom) {
  std::mt19937 rng(7);
  TSurface src(37, 23);
  const TColor colours[] = {Red, clBlack, clWhite, MakeColor(1, 2, 3)};
  for (int y = 0; y < src.Height(); ++y)
    for (int x = 0; x < src.Width(); ++x) src.SetPixel(x, y, ColorToPixel(colours[rng() % 4]));
  for (int f : {1, 2, 4, 8, 16})
    for (bool grid : {true, false})
      for (bool transparent : {true, false}) {
        TZoomStyle st = Style(f, grid);
        st.Transparent = transparent;
        st.TransparentColor = clBlack;
        // Whole cells, and a view that ends in half a cell on both sides.
        for (int part : {0, f / 2}) {
          const int ox = 3, oy = 2, cols = 30, rows = 20;
          const int w = cols * f + 1 + part, h = rows * f + 1 + part;
          EXPECT_EQ(Render(src, ox, oy, w, h, st), ReferenceZoom(src, ox, oy, w, h, st))
              << "factor " << f << " grid " << grid << " transparent " << transparent
              << " part " << part;
        }
      }
}

TEST(ZoomRender, AlphaMatchesThePlainBlendAtEveryZoom) {
  std::mt19937 rng(5);
  TSurface src(41, 27);
  const int alphas[] = {0, 255, 1, 128, 254};
  for (int y = 0; y < src.Height(); ++y)
    for (int x = 0; x < src.Width(); ++x)
      src.SetPixel(x, y, WithAlpha(rng() & 0xFFFFFF, alphas[rng() % 5]));
  for (int f : {1, 2, 3, 4, 8, 16})
    for (bool grid : {true, false})
      for (bool hatch : {true, false}) {
        TZoomStyle st = Style(f, grid);
        st.Alpha = true;
        st.Hatch = hatch;
        st.Background = MakeColor(200, 100, 30);
        for (int part : {0, f / 2 + 1}) {
          const int w = 30 * f + 1 + part, h = 20 * f + 1 + part;
          EXPECT_EQ(Render(src, 2, 4, w, h, st), ReferenceZoom(src, 2, 4, w, h, st))
              << "factor " << f << " grid " << grid << " hatch " << hatch << " part " << part;
        }
      }
}

TEST(ZoomRender, AViewLargeEnoughForBandsMatchesThePlainRender) {
  // Views of this size are rendered in bands on several threads; each band must start its cells
  // afresh, including the hatch phase and the two-row pass at 200%.
  std::mt19937 rng(11);
  TSurface src(700, 420);
  const TColor colours[] = {Red, clBlack, clWhite};
  for (int y = 0; y < src.Height(); ++y)
    for (int x = 0; x < src.Width(); ++x) src.SetPixel(x, y, ColorToPixel(colours[rng() % 3]));
  for (int f : {1, 2, 4, 8, 16}) {
    TZoomStyle st = Style(f);
    st.Transparent = true;
    st.TransparentColor = clBlack;
    const int w = 641 + f / 2, h = 401 + f / 2;
    EXPECT_EQ(Render(src, 5, 3, w + f * 40, h + f * 15, st),
              ReferenceZoom(src, 5, 3, w + f * 40, h + f * 15, st))
        << "factor " << f;
  }
}

TEST(DashSegments, PhaseFollowsTheStartCoordinate) {
  TSurface t(40, 2, 0);
  const TPixel a = 1, b = 2;
  DrawDashRow(RowsOf(t), 0, 0, 16, 0xF0F0F0F0u, a, b);
  // The running bit starts at bit 0 and is rotated before each pixel: pixel k tests bit k + 1.
  for (int k = 0; k < 16; ++k) EXPECT_EQ(t.Pixel(k, 0), ((k + 1) % 8) >= 4 ? a : b) << k;
  // A segment starting at 16 has the phase of one starting at 0; one at 17 is one pixel on.
  DrawDashRow(RowsOf(t), 16, 1, 8, 0xF0F0F0F0u, a, b);
  for (int k = 0; k < 8; ++k) EXPECT_EQ(t.Pixel(16 + k, 1), t.Pixel(k, 0)) << k;
  TSurface c(1, 30, 0);
  DrawDashColumn(RowsOf(c), 0, 17, 8, 0xF0F0F0F0u, a, b);
  for (int k = 0; k < 8; ++k) EXPECT_EQ(c.Pixel(0, 17 + k), t.Pixel(k + 1, 0)) << k;
  // Pixels outside the target are left out.
  DrawDashRow(RowsOf(t), 36, 0, 10, ~0u, a, b);
  DrawDashColumn(RowsOf(c), 0, 28, 10, ~0u, a, b);
  EXPECT_EQ(t.Pixel(39, 0), a);
}

// Target pixels that the outline drew (every other pixel is 0).
std::vector<std::pair<int, int>> Drawn(const TSurface& t) {
  std::vector<std::pair<int, int>> drawn;
  for (int y = 0; y < t.Height(); ++y)
    for (int x = 0; x < t.Width(); ++x)
      if (t.Pixel(x, y)) drawn.emplace_back(x, y);
  return drawn;
}

TEST(SelectionOutline, EdgesLieOnTheGridLinesAroundTheSelection) {
  TMaskSurface mask(4, 4);
  mask.SetSelected(1, 1, true);
  mask.SetSelected(3, 3, true);  // touches the right and bottom image edges
  const int f = 4;
  TSurface t(4 * f + 1, 4 * f + 1, 0);
  const TPixelRows rows = RowsOf(t);
  ASSERT_TRUE(DrawSelectionOutline(mask, 0, 0, {0, 0, 4, 4}, f, &rows, {~0u, clWhite, clBlack}));
  for (const auto& [x, y] : Drawn(t)) {
    const bool first = (x == 4 || x == 8) && y >= 4 && y < 8;
    const bool firstRow = (y == 4 || y == 8) && x >= 4 && x < 8;
    const bool second = (x == 12 || x == 16) && y >= 12 && y < 16;
    const bool secondRow = (y == 12 || y == 16) && x >= 12 && x < 16;
    EXPECT_TRUE(first || firstRow || second || secondRow) << x << "," << y;
  }
  // Four segments of four pixels around each pixel, sharing their top-left corner.
  EXPECT_EQ(Drawn(t).size(), size_t(2 * 15));
}

TEST(SelectionOutline, OnlyTheVisiblePartCounts) {
  TMaskSurface mask(100, 100);
  for (int y = 10; y < 20; ++y)
    for (int x = 10; x < 20; ++x) mask.SetSelected(x, y, true);
  // Scrolled so that the selection lies left of the view: no edge, nothing drawn.
  EXPECT_FALSE(DrawSelectionOutline(mask, 0, 0, {30, 0, 60, 40}, 8, nullptr, {}));
  // Inside the selection, away from its edges, nothing counts either.
  EXPECT_FALSE(DrawSelectionOutline(mask, 0, 0, {12, 12, 18, 18}, 8, nullptr, {}));
  EXPECT_TRUE(DrawSelectionOutline(mask, 0, 0, {19, 12, 30, 18}, 8, nullptr, {}));
  // A floating offset moves the selection into view.
  EXPECT_TRUE(DrawSelectionOutline(mask, 25, 0, {30, 0, 60, 40}, 8, nullptr, {}));
}

// The outline found the plain way: every pixel compared with its left and upper neighbour.
bool ReferenceOutline(const TMaskSurface& mask, int lx, int ly, const TRect& v, int f,
                      TSurface& t) {
  const int w = mask.Width(), h = mask.Height();
  const TRect u = v.Offset(-lx, -ly).Intersect(mask.Bounds());
  if (u.IsEmpty()) return false;  // the image's right edge is not in view either
  const TPixelRows rows = RowsOf(t);
  bool found = false;
  const auto column = [&](int x, int y) {
    found = true;
    DrawDashColumn(rows, x, y, f, 0xF0F0F0F0u, 1, 2);
  };
  const auto row = [&](int x, int y) {
    found = true;
    DrawDashRow(rows, x, y, f, 0xF0F0F0F0u, 1, 2);
  };
  for (int y = u.Top; y < u.Bottom; ++y) {
    const int ty = (y + ly - v.Top) * f;
    for (int x = u.Left; x < u.Right; ++x) {
      const int tx = (x + lx - v.Left) * f;
      const bool cur = mask.IsSelected(x, y);
      if (cur != (x > 0 && mask.IsSelected(x - 1, y))) column(tx, ty);
      if (cur != (y > 0 && mask.IsSelected(x, y - 1))) row(tx, ty);
      if (y == h - 1 && cur) row(tx, ty + f);
    }
    if (u.Right == w && mask.IsSelected(w - 1, y)) column((w + lx - v.Left) * f, ty);
  }
  return found;
}

TEST(SelectionOutline, MatchesThePlainSearchOnRandomMasks) {
  std::mt19937 rng(11);
  for (int round = 0; round < 300; ++round) {
    const int w = 1 + int(rng() % 70), h = 1 + int(rng() % 40), f = 1 << (rng() % 5);
    TMaskSurface mask(w, h);
    // Rectangles give long runs, single pixels give short ones.
    for (int k = int(rng() % 4); k > 0; --k) {
      const int x = int(rng() % unsigned(w)), y = int(rng() % unsigned(h));
      mask.FillRect({x, y, x + 1 + int(rng() % 40), y + 1 + int(rng() % 20)},
                    k % 2 ? TMaskPen::Black : TMaskPen::Xor);
    }
    for (int k = int(rng() % 10); k > 0; --k)
      mask.SetSelected(int(rng() % unsigned(w)), int(rng() % unsigned(h)), true);
    const int lx = int(rng() % 9) - 4, ly = int(rng() % 9) - 4;
    const int left = int(rng() % unsigned(w)), top = int(rng() % unsigned(h));
    const TRect v{left, top, left + 1 + int(rng() % unsigned(w - left)),
                  top + 1 + int(rng() % unsigned(h - top))};
    TSurface quick(v.Width() * f + 1, v.Height() * f + 1, 0), plain = quick;
    const TPixelRows rows = RowsOf(quick);
    const bool found = DrawSelectionOutline(mask, lx, ly, v, f, &rows, {0xF0F0F0F0u, 0, 0});
    EXPECT_EQ(found, ReferenceOutline(mask, lx, ly, v, f, plain))
        << round << " mask " << w << "x" << h << " offset " << lx << "," << ly << " view " << v.Left
        << "," << v.Top << "," << v.Right << "," << v.Bottom;
    // Colours differ (pixel words against colours), so compare where something was drawn.
    for (int y = 0; y < quick.Height(); ++y)
      for (int x = 0; x < quick.Width(); ++x)
        ASSERT_EQ(quick.Pixel(x, y) != 0, plain.Pixel(x, y) != 0) << round << ": " << x << "," << y;
  }
}

TEST(LayerCompositing, SelectedCellsShowTheLayerOverGridAndHatch) {
  TSelectBitmap image;
  image.InitImage(4, 4, nullptr, 24);
  image.EditImage().Fill(ColorToPixel(clBlack));
  image.EditMask().SetSelected(1, 1, true);
  image.LiftSelection(false, clWhite);
  image.EditLayer()->SetPixel(1, 1, ColorToPixel(Red));
  image.LayerLeft = 2;
  image.LayerTop = 1;
  const int f = 8;
  TSurface view(4 * f + 1, 4 * f + 1, 0);
  DrawZoomed(image.Image(), 0, 0, RowsOf(view), Style(f));
  CompositeLayer(image, {0, 0, 4, 4}, f, RowsOf(view));
  // The cell of image pixel (3, 2) holds the layer's red pixel, grid lines included.
  for (int y = 2 * f; y < 3 * f; ++y)
    for (int x = 3 * f; x < 4 * f; ++x) EXPECT_EQ(At(view, x, y) & 0xFFFFFF, Red) << x << "," << y;
  EXPECT_EQ(At(view, 3 * f + 1, 3 * f + 1), clBlack);
  EXPECT_EQ(At(view, 1 * f + 1, 1 * f + 1), clBlack);  // the lifted place is not covered
  EXPECT_EQ(At(view, 4 * f, 2 * f + 3), Grid);         // the closing column stays
}

TEST(LayerCompositing, TranslucentLayerPixelsOfAlphaImagesShowTheHatch) {
  TSelectBitmap image;
  image.InitImage(2, 1, nullptr, 32);
  image.EditImage().Fill(ColorToPixel(clBlack));
  image.EditImage().SetPixel(1, 0, WithAlpha(ColorToPixel(Red), 128));
  image.EditMask().SetSelected(1, 0, true);
  image.LiftSelection(false, clWhite);
  image.LayerLeft = -1;  // the layer floats over the opaque black pixel
  const int f = 4;
  TSurface view(2 * f + 1, f + 1, 0);
  DrawZoomed(image.Image(), 0, 0, RowsOf(view), Style(f));
  CompositeLayer(image, {0, 0, 2, 1}, f, RowsOf(view), Back);
  // As over the hatch in the view (see AlphaBlendsOverTheHatch), not over the black beneath.
  EXPECT_EQ(At(view, 1, 1), MakeColor(159, 31, 31));
  EXPECT_EQ(At(view, 2, 1), MakeColor(224, 96, 96));
}

// A preview of a 32-bit image carries its alpha premultiplied.
TEST(Preview, AlphaImagesArePremultiplied) {
  TSelectBitmap image;
  image.InitImage(2, 1, nullptr, 32);
  image.EditImage().SetPixel(0, 0, WithAlpha(ColorToPixel(Red), 128));
  image.EditImage().SetPixel(1, 0, WithAlpha(ColorToPixel(Red), 0));
  TSurface out(2, 1, 0);
  ComposePreview(image, {0, 0, 2, 1}, false, RowsOf(out));
  EXPECT_EQ(out.Pixel(0, 0), 0x80800000u);
  EXPECT_EQ(out.Pixel(1, 0), 0u);
}

TEST(Preview, TransparentPixelsAreClearAndTheLayerLiesOnTop) {
  TSelectBitmap image;
  image.InitImage(3, 2, nullptr, 24);
  image.EditImage().Fill(ColorToPixel(Red));
  image.EditImage().SetPixel(0, 0, ColorToPixel(clWhite));
  image.SetTransparent(true);
  image.SetTransparentColor(clWhite);
  image.EditMask().SetSelected(2, 0, true);
  image.LiftSelection(false, clWhite);
  image.LayerLeft = -2;
  image.LayerTop = 1;
  TSurface out(3, 2, 0x12345678);
  ComposePreview(image, {0, 0, 3, 2}, true, RowsOf(out));
  EXPECT_EQ(out.Pixel(0, 0), 0u);
  EXPECT_EQ(out.Pixel(1, 0), ColorToPixel(Red) | OpaqueBits);
  EXPECT_EQ(out.Pixel(0, 1), ColorToPixel(Red) | OpaqueBits);  // the lifted pixel, moved
  // A part of the picture lands at the target's origin.
  TSurface part(1, 1, 0);
  ComposePreview(image, {1, 1, 2, 2}, false, RowsOf(part));
  EXPECT_EQ(part.Pixel(0, 0), ColorToPixel(Red) | OpaqueBits);
}

}  // namespace
