#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <random>
#include <set>
#include <utility>

#include "DrawTestSupport.h"
#include "model/Draw.h"

namespace {

using TPixelSet = std::set<std::pair<int, int>>;

TPixelSet PenPixels(const TSurface& s) {
  TPixelSet out;
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x)
      if (s.Pixel(x, y) == kPen) out.insert({x, y});
  return out;
}

// The pixels of a line drawn on a 41 x 41 surface with the start in the middle.
TPixelSet LineFromCentre(int dx, int dy) {
  TSurface s(41, 41, kBack);
  DrawLine(s, 20, 20, 20 + dx, 20 + dy, kPen);
  return PenPixels(s);
}

// Where the line from (x0, y0) to (x1, y1) crosses the pixel's major coordinate, the pixel's
// centre may be at most half a pixel away along the minor axis.
bool NearIdealLine(int x, int y, int x0, int y0, int x1, int y1) {
  const double dx = x1 - x0, dy = y1 - y0;
  if (std::abs(dx) >= std::abs(dy)) return std::abs(y0 + (x - x0) * dy / dx - y) <= 0.5;
  return std::abs(x0 + (y - y0) * dx / dy - x) <= 0.5;
}

}  // namespace

TEST(DrawLine, StartIncludedEndExcludedInEveryOctant) {
  const int ends[][2] = {{7, 3},  {3, 7},  {-3, 7}, {-7, 3},  {-7, -3}, {-3, -7},
                         {3, -7}, {7, -3}, {6, 0},  {0, 6},   {-6, 0},  {0, -6},
                         {5, 5},  {-5, 5}, {5, -5}, {-5, -5}, {1, 0},   {2, 1}};
  for (const auto& e : ends) {
    SCOPED_TRACE(testing::Message() << "to (" << e[0] << ", " << e[1] << ")");
    const TPixelSet line = LineFromCentre(e[0], e[1]);
    EXPECT_TRUE(line.count({20, 20}));
    EXPECT_FALSE(line.count({20 + e[0], 20 + e[1]}));
    // One pixel per step along the major axis, each close to the ideal line.
    const int steps = std::max(std::abs(e[0]), std::abs(e[1]));
    EXPECT_EQ(int(line.size()), steps);
    std::set<int> majors;
    for (const auto& [x, y] : line) {
      EXPECT_TRUE(NearIdealLine(x, y, 20, 20, 20 + e[0], 20 + e[1])) << x << "," << y;
      majors.insert(std::abs(e[0]) >= std::abs(e[1]) ? x : y);
    }
    EXPECT_EQ(int(majors.size()), steps);
  }
}

TEST(DrawLine, SamePointDrawsNothing) {
  TSurface s(5, 5, kBack);
  DrawLine(s, 2, 2, 2, 2, kPen);
  EXPECT_EQ(s, TSurface(5, 5, kBack));
}

TEST(DrawLine, HalfwayPixelsIgnoreTheDirection) {
  // At x = 2 the ideal line is exactly halfway between rows 0 and 1: the upper row is taken in
  // both directions.
  TSurface s(5, 2, kBack);
  DrawLine(s, 0, 0, 4, 1, kPen);
  EXPECT_EQ(Picture(s), Rows({"###..", "...#."}));
  s.Fill(kBack);
  DrawLine(s, 4, 1, 0, 0, kPen);
  EXPECT_EQ(Picture(s), Rows({".##..", "...##"}));

  // A line and its reverse share every pixel but their (excluded) end points.
  for (int dx = -13; dx <= 13; ++dx)
    for (int dy = -13; dy <= 13; ++dy) {
      if (dx == 0 && dy == 0) continue;
      TPixelSet forward = LineFromCentre(dx, dy);
      TSurface s2(41, 41, kBack);
      DrawLine(s2, 20 + dx, 20 + dy, 20, 20, kPen);
      TPixelSet backward = PenPixels(s2);
      forward.erase({20, 20});
      backward.erase({20 + dx, 20 + dy});
      EXPECT_EQ(forward, backward) << dx << "," << dy;
    }
}

TEST(DrawLine, ClippingKeepsThePixelsOfTheWholeLine) {
  // A line from far outside must leave exactly the pixels the unclipped line has there.
  std::mt19937 random(7);
  std::uniform_int_distribution<int> coordinate(-300, 400);
  for (int i = 0; i < 400; ++i) {
    const int x0 = coordinate(random), y0 = coordinate(random);
    const int x1 = coordinate(random), y1 = coordinate(random);
    TSurface whole(800, 800, kBack);
    DrawLine(whole, x0 + 300, y0 + 300, x1 + 300, y1 + 300, kPen);
    TSurface clipped(100, 60, kBack);
    DrawLine(clipped, x0, y0, x1, y1, kPen);
    ASSERT_EQ(clipped, Crop(whole, 300, 300, 100, 60)) << x0 << "," << y0 << " " << x1 << "," << y1;
  }
}

TEST(DrawLine, HugeCoordinatesAreClippedExactly) {
  TSurface s(100, 100, kBack);
  DrawLine(s, INT_MIN, INT_MIN, INT_MAX, INT_MAX, kPen);
  for (int i = 0; i < 100; ++i) EXPECT_EQ(s.Pixel(i, i), kPen);
  EXPECT_EQ(PenPixels(s).size(), 100u);

  s.Fill(kBack);
  DrawLine(s, -2000000000, 50, 2000000000, 50, kPen);
  EXPECT_EQ(PenPixels(s).size(), 100u);

  // A steep line over the whole int range: each pixel is the rounded ideal position, computed
  // here in 128-bit arithmetic, row by row.
  const int64_t x0 = -2000000000, y0 = INT_MAX, x1 = 2000000101, y1 = INT_MIN;
  s.Fill(kBack);
  DrawLine(s, int(x0), int(y0), int(x1), int(y1), kPen);
  TPixelSet expected;
  for (int y = 0; y < 100; ++y) {
    // x = x0 + (y0 - y) * (x1 - x0) / (y0 - y1); halves go to the smaller x.
    const __int128 num = __int128(y0 - y) * (x1 - x0);
    const __int128 den = y0 - y1;
    const __int128 x = x0 + (2 * num + den - 1) / (2 * den);
    if (x >= 0 && x < 100) expected.insert({int(x), y});
  }
  EXPECT_FALSE(expected.empty());
  EXPECT_EQ(PenPixels(s), expected);
}

TEST(DrawLine, MaskPenModes) {
  TMaskSurface m(20, 10);
  DrawLine(m, 0, 0, 19, 9, TMaskPen::Black);
  int selected = 0;
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 20; ++x) selected += m.IsSelected(x, y);
  EXPECT_EQ(selected, 19);
  EXPECT_TRUE(m.IsSelected(0, 0));
  EXPECT_FALSE(m.IsSelected(19, 9));
  // Xor touches each pixel once: drawing twice restores the mask.
  TMaskSurface before = m;
  DrawLine(m, 3, 9, 17, 0, TMaskPen::Xor);
  EXPECT_NE(m, before);
  DrawLine(m, 3, 9, 17, 0, TMaskPen::Xor);
  EXPECT_EQ(m, before);
  DrawLine(m, 0, 0, 19, 9, TMaskPen::White);
  EXPECT_FALSE(m.AnySelected());
}
