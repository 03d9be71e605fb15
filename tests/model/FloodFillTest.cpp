#include <gtest/gtest.h>

#include <deque>
#include <random>

#include "DrawTestSupport.h"
#include "model/Draw.h"

namespace {

// A plain breadth-first fill to compare with.
void ReferenceFill(TSurface& s, int x, int y, TPixel pixel) {
  const TPixel target = s.Pixel(x, y);
  if (target == pixel) return;
  std::deque<std::pair<int, int>> queue{{x, y}};
  s.SetPixel(x, y, pixel);
  while (!queue.empty()) {
    const auto [px, py] = queue.front();
    queue.pop_front();
    const int next[4][2] = {{px - 1, py}, {px + 1, py}, {px, py - 1}, {px, py + 1}};
    for (const auto& n : next)
      if (s.PixelOr(n[0], n[1], ~target) == target) {
        s.SetPixel(n[0], n[1], pixel);
        queue.push_back({n[0], n[1]});
      }
  }
}

// Concentric square walls one pixel apart, each with a single gap on alternating sides, so that
// the one-pixel corridor between them winds its way from the border into the middle.
TSurface Maze(int size) {
  TSurface s(size, size, kBack);
  int left = 0, top = 0, right = size - 1, bottom = size - 1;
  // Walls on every odd ring, each ring open at one place towards the next one.
  for (int ring = 1; left + 2 * ring < right - 2 * ring; ring += 2) {
    const int l = left + ring, t = top + ring, r = right - ring, b = bottom - ring;
    for (int x = l; x <= r; ++x) s.SetPixel(x, t, kPen), s.SetPixel(x, b, kPen);
    for (int y = t; y <= b; ++y) s.SetPixel(l, y, kPen), s.SetPixel(r, y, kPen);
    // The gap alternates between the top and the bottom wall, forcing a full lap per ring.
    s.SetPixel(ring % 4 == 1 ? l + 1 : r - 1, ring % 4 == 1 ? t : b, kBack);
  }
  return s;
}

}  // namespace

TEST(FloodFill, FillsTheEdgeConnectedRegionOnly) {
  TSurface s(6, 5, kBack);
  // A diagonal line of pen pixels: the corners touch, the regions on both sides stay apart.
  for (int i = 0; i < 5; ++i) s.SetPixel(i + 1, i, kPen);
  FloodFill(s, 5, 0, kBrush);
  EXPECT_EQ(Picture(s), Rows({".#oooo", "..#ooo", "...#oo", "....#o", ".....#"}));
  FloodFill(s, 1, 0, kBrush);  // the pen line itself is one diagonal chain of single pixels
  EXPECT_EQ(s.Pixel(1, 0), kBrush);
  EXPECT_EQ(s.Pixel(2, 1), kPen);
}

TEST(FloodFill, NothingToDo) {
  TSurface s(4, 4, kBack);
  s.SetPixel(1, 1, kPen);
  const TSurface before = s;
  FloodFill(s, -1, 0, kBrush);
  FloodFill(s, 0, 4, kBrush);
  FloodFill(s, 0, 0, kBack);  // same colour: returns at once
  EXPECT_EQ(s, before);
}

TEST(FloodFill, ComparesTheLow24BitsOnly) {
  TSurface s(3, 1, 0x00123456);
  s.SetPixel(1, 0, 0xFF123456);
  FloodFill(s, 0, 0, kBrush);
  EXPECT_EQ(Picture(s), Rows({"ooo"}));
  // A fill colour differing from the region only in its high byte is the same colour.
  TSurface t(3, 1, 0x00123456);
  FloodFill(t, 0, 0, 0xAA123456);
  EXPECT_EQ(t, TSurface(3, 1, 0x00123456));
}

TEST(FloodFill, AgreesWithBreadthFirstFillOnNoise) {
  std::mt19937 random(3);
  std::uniform_int_distribution<int> colour(0, 2);
  for (int i = 0; i < 60; ++i) {
    TSurface s(37, 23);
    for (int y = 0; y < 23; ++y)
      for (int x = 0; x < 37; ++x) s.SetPixel(x, y, TPixel(colour(random) ? kBack : kPen));
    TSurface expected = s;
    const int x = int(random() % 37), y = int(random() % 23);
    ReferenceFill(expected, x, y, kBrush);
    FloodFill(s, x, y, kBrush);
    ASSERT_EQ(s, expected) << "seed " << i;
  }
}

TEST(FloodFill, LongWindingCorridorWithoutRecursion) {
  TSurface s = Maze(2000);
  size_t corridor = 0;
  for (int y = 0; y < 2000; ++y)
    for (int x = 0; x < 2000; ++x) corridor += s.Pixel(x, y) == kBack;
  FloodFill(s, 0, 0, kBrush);
  size_t filled = 0, left = 0;
  for (int y = 0; y < 2000; ++y)
    for (int x = 0; x < 2000; ++x) {
      filled += s.Pixel(x, y) == kBrush;
      left += s.Pixel(x, y) == kBack;
    }
  EXPECT_EQ(filled, corridor);
  EXPECT_EQ(left, 0u);
  EXPECT_GT(filled, 1000000u);
}
