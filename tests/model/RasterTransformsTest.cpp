#include <gtest/gtest.h>

#include "TestRasters.h"
#include "model/RasterTransforms.h"

namespace {

constexpr TColor A = MakeColor(255, 0, 0);
constexpr TColor B = MakeColor(0, 255, 0);

TSelectBitmap* TwoByOne(TSelectBitmap& r) {
  r.InitImage(2, 1, nullptr, 24);
  r.EditImage() = SurfaceFromArt({"AB"}, {{'A', A}, {'B', B}});
  return &r;
}

}  // namespace

TEST(RasterTransforms, ClockwiseTurnsTwoByOneIntoOneByTwoLeftOnTop) {
  TSelectBitmap r;
  TwoByOne(r);
  r.EditMask().SetSelected(0, 0, true);
  RotateClockwise(r);
  ASSERT_EQ(r.Width(), 1);
  ASSERT_EQ(r.Height(), 2);
  EXPECT_EQ(ColorAt(r.Image(), 0, 0), A);
  EXPECT_EQ(ColorAt(r.Image(), 0, 1), B);
  EXPECT_TRUE(r.Mask().IsSelected(0, 0));  // the selection turns with the picture
  EXPECT_EQ(r.Mask().Width(), 1);
}

TEST(RasterTransforms, CounterClockwisePutsTheRightPixelOnTop) {
  TSelectBitmap r;
  TwoByOne(r);
  RotateCounterClockwise(r);
  EXPECT_EQ(ColorAt(r.Image(), 0, 0), B);
  EXPECT_EQ(ColorAt(r.Image(), 0, 1), A);
}

TEST(RasterTransforms, HalfTurnOfThreeByThree) {
  TSelectBitmap r;
  r.InitImage(3, 3, nullptr, 24);
  r.EditImage() = SurfaceFromArt({"...", "A..", "..."}, {{'.', B}, {'A', A}});
  Rotate180(r);
  EXPECT_EQ(ColorAt(r.Image(), 2, 1), A);
  EXPECT_EQ(ColorAt(r.Image(), 0, 1), B);
}

TEST(RasterTransforms, QuarterTurnsBothWaysRestoreTheImageLayerAndMask) {
  TSelectBitmap r;
  r.InitImage(16, 32, nullptr, 24);
  for (int y = 0; y < 32; ++y)
    for (int x = 0; x < 16; ++x) r.EditImage().SetPixel(x, y, TPixel(x * 100 + y));
  r.EditMask().FillRect({3, 5, 9, 7}, TMaskPen::Black);
  r.LiftSelection(false, clBlack);
  const TSurface image = r.Image(), layer = *r.Layer();
  const TMaskSurface mask = r.Mask();
  RotateClockwise(r);
  EXPECT_EQ(r.Width(), 32);
  EXPECT_EQ(r.Layer()->Width(), 32);
  RotateCounterClockwise(r);
  EXPECT_EQ(r.Image(), image);
  EXPECT_EQ(*r.Layer(), layer);
  EXPECT_EQ(r.Mask(), mask);
}

TEST(RasterTransforms, MirrorsSwapColumnsAndRows) {
  TSelectBitmap r;
  TwoByOne(r);
  FlipVertical(r);  // one pixel high: nothing happens
  EXPECT_EQ(ColorAt(r.Image(), 0, 0), A);
  MirrorHorizontal(r);
  EXPECT_EQ(ColorAt(r.Image(), 0, 0), B);
  RotateClockwise(r);
  FlipVertical(r);
  EXPECT_EQ(ColorAt(r.Image(), 0, 0), A);
}

TEST(SelectionFilters, OnlySelectedNonTransparentPixelsChange) {
  TSelectBitmap r;
  r.InitImage(3, 1, nullptr, 24);
  r.EditImage() = SurfaceFromArt({"ABA"}, {{'A', A}, {'B', B}});
  r.EditMask().FillRect({0, 0, 2, 1}, TMaskPen::Black);
  r.SetTransparent(true);
  r.SetTransparentColor(B);
  ApplyToSelection(r, [](TPixel) { return TPixel(0x010101); });
  EXPECT_EQ(r.Image().Pixel(0, 0), 0x010101u);
  EXPECT_EQ(ColorAt(r.Image(), 1, 0), B);  // transparent colour skipped
  EXPECT_EQ(ColorAt(r.Image(), 2, 0), A);  // not selected
}

TEST(SelectionFilters, PositionalFilterSeesTheBoxAndSkipsAOneColumnBox) {
  TSelectBitmap r;
  r.InitImage(5, 3, nullptr, 24);
  r.EditMask().FillRect({1, 0, 4, 2}, TMaskPen::Black);
  std::vector<std::array<int, 4>> seen;
  ApplyToSelectionPositional(
      r,
      [&](TPixel p, int param, int x, int h, int w, int y) {
        seen.push_back({x, h, w, y});
        return TPixel(param);
      },
      7);
  ASSERT_EQ(seen.size(), 6u);
  EXPECT_EQ(seen[0], (std::array<int, 4>{0, 1, 2, 0}));
  EXPECT_EQ(seen[5], (std::array<int, 4>{2, 1, 2, 1}));
  EXPECT_EQ(r.Image().Pixel(3, 1), 7u);

  TSelectBitmap narrow;
  narrow.InitImage(3, 3, nullptr, 24);
  narrow.EditMask().FillRect({1, 0, 2, 3}, TMaskPen::Black);
  const TSurface before = narrow.Image();
  ApplyToSelectionPositional(narrow, [](TPixel, int, int, int, int w, int) { return TPixel(1 / w); },
                             0);
  EXPECT_EQ(narrow.Image(), before);
}
