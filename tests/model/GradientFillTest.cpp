#include <gtest/gtest.h>

#include "model/Colors.h"
#include "model/Draw.h"

namespace {

TColor ColorAt(const TSurface& s, int x, int y) {
  return PixelToColor(s.Pixel(x, y));
}

}  // namespace

TEST(GradientFill, BandsAreClampedToTheExtent) {
  // 10 pixels, 255 bands asked: 10 bands of one pixel, red 0, 10, ..., 90.
  TSurface s(10, 2, 0);
  GradientFill(s, {0, 0, 10, 2}, MakeColor(0, 0, 0), MakeColor(90, 0, 0), true, 255);
  for (int x = 0; x < 10; ++x) {
    EXPECT_EQ(ColorAt(s, x, 0), MakeColor(10 * x, 0, 0)) << x;
    EXPECT_EQ(ColorAt(s, x, 1), MakeColor(10 * x, 0, 0)) << x;
  }
  // Fewer than two bands asked: two bands.
  GradientFill(s, {0, 0, 10, 2}, clBlack, clWhite, true, 1);
  EXPECT_EQ(ColorAt(s, 4, 0), clBlack);
  EXPECT_EQ(ColorAt(s, 5, 0), clWhite);
}

TEST(GradientFill, LeftoverPixelsTakeTheEndColour) {
  // 100 pixels in 3 bands of 33, and one pixel left over.
  TSurface s(100, 1, 0);
  const TColor from = MakeColor(0, 100, 200), to = MakeColor(200, 50, 0);
  GradientFill(s, {0, 0, 100, 1}, from, to, true, 3);
  EXPECT_EQ(ColorAt(s, 0, 0), from);
  EXPECT_EQ(ColorAt(s, 32, 0), from);
  EXPECT_EQ(ColorAt(s, 33, 0), MakeColor(100, 75, 100));
  EXPECT_EQ(ColorAt(s, 65, 0), MakeColor(100, 75, 100));
  EXPECT_EQ(ColorAt(s, 66, 0), to);
  EXPECT_EQ(ColorAt(s, 99, 0), to);
}

TEST(GradientFill, HalvesRoundAwayFromZero) {
  // Band 1 of 3 lies halfway: +2.5 rounds to 3, -2.5 to -3, so reversed gradients mirror.
  TSurface s(3, 3, 0);
  GradientFill(s, {0, 0, 3, 3}, MakeColor(0, 5, 10), MakeColor(5, 0, 5), false, 3);
  EXPECT_EQ(ColorAt(s, 1, 0), MakeColor(0, 5, 10));
  EXPECT_EQ(ColorAt(s, 1, 1), MakeColor(3, 2, 7));
  EXPECT_EQ(ColorAt(s, 1, 2), MakeColor(5, 0, 5));
}

TEST(GradientFill, PixelWordsAndOrientation) {
  TSurface s(4, 6, 0);
  GradientFill(s, {0, 0, 4, 6}, clRed, MakeColor(0, 0, 255), false, 255);
  EXPECT_EQ(s.Pixel(0, 0), 0xFF0000u);  // red sits in the third byte of a pixel word
  EXPECT_EQ(s.Pixel(3, 5), 0x0000FFu);
  for (int y = 0; y < 6; ++y)
    for (int x = 1; x < 4; ++x) EXPECT_EQ(s.Pixel(x, y), s.Pixel(0, y));
}

TEST(GradientFill, ClippedAndDegenerateRectangles) {
  // The bands follow the whole rectangle, also where it leaves the surface.
  TSurface whole(20, 1, 0), part(10, 1, 0);
  GradientFill(whole, {0, 0, 20, 1}, clBlack, clWhite, true, 7);
  GradientFill(part, {-5, 0, 15, 1}, clBlack, clWhite, true, 7);
  for (int x = 0; x < 10; ++x) EXPECT_EQ(part.Pixel(x, 0), whole.Pixel(x + 5, 0)) << x;
  GradientFill(part, {15, 0, -5, 1}, clBlack, clWhite, true, 7);  // unnormalised
  for (int x = 0; x < 10; ++x) EXPECT_EQ(part.Pixel(x, 0), whole.Pixel(x + 5, 0)) << x;

  // One pixel wide: a single band of the start colour. Empty: nothing.
  TSurface one(1, 3, 0x123456);
  GradientFill(one, {0, 0, 1, 3}, clYellow, clWhite, true, 255);
  EXPECT_EQ(ColorAt(one, 0, 2), clYellow);
  GradientFill(one, {0, 0, 0, 3}, clBlack, clBlack, true, 255);
  EXPECT_EQ(ColorAt(one, 0, 2), clYellow);
}
