#include <gtest/gtest.h>

#include <climits>
#include <random>

#include "DrawTestSupport.h"
#include "model/Draw.h"
#include "model/Errors.h"

TEST(DrawRectangle, OutlineOnBorderPixelsAndBrushInside) {
  TSurface s(7, 5, kBack);
  DrawRectangle(s, {1, 0, 6, 4}, kPen, kBrush);
  EXPECT_EQ(Picture(s), Rows({".#####.", ".#ooo#.", ".#ooo#.", ".#####.", "......."}));

  // Clear brush: the inside keeps its pixels.
  s.Fill(kBack);
  DrawRectangle(s, {1, 0, 6, 4}, kPen, std::nullopt);
  EXPECT_EQ(Picture(s), Rows({".#####.", ".#...#.", ".#...#.", ".#####.", "......."}));

  // No pen: the brush covers the whole rectangle.
  s.Fill(kBack);
  DrawRectangle(s, {1, 0, 6, 4}, std::nullopt, kBrush);
  EXPECT_EQ(Picture(s), Rows({".ooooo.", ".ooooo.", ".ooooo.", ".ooooo.", "......."}));
}

TEST(DrawRectangle, CornersMayComeInAnyOrder) {
  TSurface a(8, 8, kBack), b(8, 8, kBack);
  DrawRectangle(a, {1, 2, 6, 7}, kPen, kBrush);
  DrawRectangle(b, {6, 7, 1, 2}, kPen, kBrush);
  EXPECT_EQ(a, b);
  b.Fill(kBack);
  DrawRectangle(b, {6, 2, 1, 7}, kPen, kBrush);
  EXPECT_EQ(a, b);
}

TEST(DrawRectangle, ThinAndEmptyRectangles) {
  TSurface s(5, 4, kBack);
  DrawRectangle(s, {1, 1, 4, 2}, kPen, kBrush);  // one row: all pen
  DrawRectangle(s, {0, 0, 1, 4}, kPen, kBrush);  // one column
  DrawRectangle(s, {3, 2, 5, 4}, kPen, kBrush);  // 2 x 2: no inside
  DrawRectangle(s, {2, 2, 2, 4}, kPen, kBrush);  // empty
  EXPECT_EQ(Picture(s), Rows({"#....", "####.", "#..##", "#..##"}));
}

TEST(DrawRectangle, PartlyOutsideTheSurface) {
  TSurface s(5, 5, kBack);
  DrawRectangle(s, {-2, -2, 3, 3}, kPen, kBrush);
  EXPECT_EQ(Picture(s), Rows({"oo#..", "oo#..", "###..", ".....", "....."}));
  s.Fill(kBack);
  DrawRectangle(s, {INT_MIN, 1, INT_MAX, INT_MAX}, kPen, kBrush);
  EXPECT_EQ(Picture(s), Rows({".....", "#####", "ooooo", "ooooo", "ooooo"}));
}

TEST(DrawRectangle, MaskPenTouchesEveryPixelOnce) {
  TMaskSurface m(9, 6);
  DrawRectangle(m, {1, 1, 8, 5}, TMaskPen::Black);
  DrawRectangle(m, {4, 0, 9, 3}, TMaskPen::Xor);
  TMaskSurface expected(9, 6);
  expected.FillRect({1, 1, 8, 5}, TMaskPen::Black);
  expected.FillRect({4, 0, 9, 3}, TMaskPen::Xor);
  EXPECT_EQ(m, expected);

  // Outline only.
  TMaskSurface outline(9, 6);
  DrawRectangle(outline, {1, 1, 8, 5}, TMaskPen::Black, false);
  EXPECT_TRUE(outline.IsSelected(1, 1));
  EXPECT_TRUE(outline.IsSelected(7, 3));
  EXPECT_FALSE(outline.IsSelected(4, 3));
  EXPECT_FALSE(outline.IsSelected(8, 3));
}

TEST(FillRectMask, AgreesWithBitwiseFillForEveryPenAndAlignment) {
  std::mt19937 random(11);
  std::uniform_int_distribution<int> coordinate(-20, 90);
  std::bernoulli_distribution coin;
  for (int i = 0; i < 300; ++i) {
    TMaskSurface m(71, 5), expected(71, 5);
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 71; ++x) {
        const bool white = coin(random);
        m.SetWhite(x, y, white);
        expected.SetWhite(x, y, white);
      }
    const TRect r{coordinate(random), -1, coordinate(random), 4};
    const TMaskPen pen = TMaskPen(i % 3);
    FillRectMask(m, r, pen);
    expected.FillRect(r.Normalized(), pen);
    ASSERT_EQ(m, expected) << r.Left << ".." << r.Right << " pen " << i % 3;
  }
}

TEST(ShapeMask, WhiteWhereTheShapeLies) {
  const TMaskSurface filled = ShapeMask(TShapeKind::Rectangle, 4, 3, false);
  EXPECT_EQ(filled, TMaskSurface(4, 3, true));
  const TMaskSurface outline = ShapeMask(TShapeKind::Rectangle, 4, 3, true);
  EXPECT_FALSE(outline.IsWhite(1, 1));
  EXPECT_FALSE(outline.IsWhite(2, 1));
  EXPECT_TRUE(outline.IsWhite(0, 1));
  EXPECT_TRUE(outline.IsWhite(3, 2));

  TSurface drawn(9, 7, kBack);
  DrawEllipse(drawn, {0, 0, 9, 7}, kPen, kBrush);
  const TMaskSurface ring = ShapeMask(TShapeKind::Ellipse, 9, 7, true);
  const TMaskSurface disc = ShapeMask(TShapeKind::Ellipse, 9, 7, false);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 9; ++x) {
      EXPECT_EQ(ring.IsWhite(x, y), drawn.Pixel(x, y) == kPen);
      EXPECT_EQ(disc.IsWhite(x, y), drawn.Pixel(x, y) != kBack);
    }
  EXPECT_THROW(ShapeMask(TShapeKind::Ellipse, -1, 5, false), EVelmoraError);
}
