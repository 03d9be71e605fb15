#include <gtest/gtest.h>

#include <climits>
#include <deque>
#include <string>
#include <vector>

#include "DrawTestSupport.h"
#include "model/Draw.h"

namespace {

TSurface Ellipse(int w, int h, std::optional<TPixel> pen = kPen,
                 std::optional<TPixel> brush = kBrush) {
  TSurface s(w, h, kBack);
  DrawEllipse(s, {0, 0, w, h}, pen, brush);
  return s;
}

// Checks the shape rules on an ellipse drawn over the whole of its w x h surface.
class TEllipseCheck {
 public:
  explicit TEllipseCheck(const TSurface& s) : s_(s), w_(s.Width()), h_(s.Height()) {}

  bool Outline(int x, int y) const { return Inside(x, y) && s_.Pixel(x, y) == kPen; }
  bool Shape(int x, int y) const { return Inside(x, y) && s_.Pixel(x, y) != kBack; }

  void MirrorSymmetric() const {
    for (int y = 0; y < h_; ++y)
      for (int x = 0; x < w_; ++x) {
        ASSERT_EQ(s_.Pixel(x, y), s_.Pixel(w_ - 1 - x, y)) << "left-right at " << x << "," << y;
        ASSERT_EQ(s_.Pixel(x, y), s_.Pixel(x, h_ - 1 - y)) << "top-bottom at " << x << "," << y;
      }
  }

  // Every row holds one run of shape pixels, the runs never shrink towards the middle row, and
  // the shape touches all four sides of its box.
  void ConvexRowsTouchingTheBox() const {
    int previous = -1;
    for (int y = 0; y <= (h_ - 1) / 2; ++y) {
      int first = 0;
      while (first < w_ && !Shape(first, y)) ++first;
      int last = first;
      while (last < w_ && Shape(last, y)) ++last;
      for (int x = last; x < w_; ++x) ASSERT_FALSE(Shape(x, y)) << "second run in row " << y;
      ASSERT_LT(first, w_) << "empty row " << y;
      ASSERT_GE(last - first, previous) << "row " << y << " shrinks";
      previous = last - first;
    }
    ASSERT_EQ(previous, w_);
  }

  // The outline is exactly the border of the shape: the shape pixels with an edge neighbour
  // outside it. So the brush neither leaks out of the outline nor leaves a hole next to it.
  void OutlineIsTheBorder() const {
    for (int y = 0; y < h_; ++y)
      for (int x = 0; x < w_; ++x) {
        if (!Shape(x, y)) continue;
        const bool border =
            !Shape(x - 1, y) || !Shape(x + 1, y) || !Shape(x, y - 1) || !Shape(x, y + 1);
        ASSERT_EQ(Outline(x, y), border) << x << "," << y;
      }
  }

  // The outline is 8-connected and closed: each of its pixels has two outline neighbours or
  // more, except the tip of a spike on a mirror axis where the ellipse is narrower than a pixel.
  void ConnectedAndClosed() const {
    std::vector<char> seen(size_t(w_ * h_), 0);
    std::deque<std::pair<int, int>> queue;
    int total = 0;
    for (int y = 0; y < h_; ++y)
      for (int x = 0; x < w_; ++x)
        if (Outline(x, y)) {
          ++total;
          if (queue.empty() && !seen[size_t(y * w_ + x)]) {
            seen[size_t(y * w_ + x)] = 1;
            queue.push_back({x, y});
          }
          if (2 * x != w_ - 1 && 2 * y != h_ - 1) {
            ASSERT_GE(OutlineNeighbours(x, y), 2) << x << "," << y;
          }
        }
    int reached = 0;
    while (!queue.empty()) {
      const auto [x, y] = queue.front();
      queue.pop_front();
      ++reached;
      for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
          if (Outline(x + dx, y + dy) && !seen[size_t((y + dy) * w_ + x + dx)]) {
            seen[size_t((y + dy) * w_ + x + dx)] = 1;
            queue.push_back({x + dx, y + dy});
          }
    }
    ASSERT_EQ(reached, total);
  }

  // No pixel sits in a corner the outline does not need (one outline neighbour beside it and
  // one above or below it, which touch each other diagonally anyway), except across the middle
  // line of an even size, where the mirror image forces it.
  void Thin() const {
    for (int y = 0; y < h_; ++y)
      for (int x = 0; x < w_; ++x) {
        if (!Outline(x, y)) continue;
        const int mirrorX = w_ - 1 - x, mirrorY = h_ - 1 - y;
        const bool beside =
            (Outline(x - 1, y) && x - 1 != mirrorX) || (Outline(x + 1, y) && x + 1 != mirrorX);
        const bool above =
            (Outline(x, y - 1) && y - 1 != mirrorY) || (Outline(x, y + 1) && y + 1 != mirrorY);
        ASSERT_FALSE(beside && above) << "corner at " << x << "," << y;
      }
  }

 private:
  bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < w_ && y < h_; }
  int OutlineNeighbours(int x, int y) const {
    int n = 0;
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx) n += (dx || dy) && Outline(x + dx, y + dy);
    return n;
  }

  const TSurface& s_;
  int w_, h_;
};

}  // namespace

TEST(DrawEllipse, SmallPictures) {
  EXPECT_EQ(Picture(Ellipse(1, 1)), Rows({"#"}));
  EXPECT_EQ(Picture(Ellipse(2, 2)), Rows({"##", "##"}));
  EXPECT_EQ(Picture(Ellipse(1, 3)), Rows({"#", "#", "#"}));
  EXPECT_EQ(Picture(Ellipse(4, 1)), Rows({"####"}));
  EXPECT_EQ(Picture(Ellipse(3, 3)), Rows({".#.", "#o#", ".#."}));
  EXPECT_EQ(Picture(Ellipse(4, 4)), Rows({".##.", "#oo#", "#oo#", ".##."}));
  EXPECT_EQ(Picture(Ellipse(5, 3)), Rows({".###.", "#ooo#", ".###."}));
  EXPECT_EQ(Picture(Ellipse(5, 5)), Rows({".###.", "#ooo#", "#ooo#", "#ooo#", ".###."}));
  EXPECT_EQ(Picture(Ellipse(8, 5)),
            Rows({"..####..", ".#oooo#.", "#oooooo#", ".#oooo#.", "..####.."}));
  EXPECT_EQ(Picture(Ellipse(10, 10)),
            Rows({"...####...", "..#oooo#..", ".#oooooo#.", "#oooooooo#", "#oooooooo#",
                  "#oooooooo#", "#oooooooo#", ".#oooooo#.", "..#oooo#..", "...####..."}));
  EXPECT_EQ(Picture(Ellipse(4, 10)),
            Rows({".##.", ".##.", "#oo#", "#oo#", "#oo#", "#oo#", "#oo#", "#oo#", ".##.", ".##."}));
  EXPECT_EQ(
      Picture(Ellipse(24, 6)),
      Rows({".....##############.....", ".####oooooooooooooo####.", "#oooooooooooooooooooooo#",
            "#oooooooooooooooooooooo#", ".####oooooooooooooo####.", ".....##############....."}));
}

TEST(DrawEllipse, ShapeRulesHoldForEverySize) {
  std::vector<std::pair<int, int>> sizes;
  for (int w = 1; w <= 40; ++w)
    for (int h = 1; h <= 40; ++h) sizes.push_back({w, h});
  // Large and flat ones too.
  sizes.insert(sizes.end(), {{200, 3}, {3, 200}, {255, 254}, {301, 97}, {64, 65}, {1000, 999}});
  for (const auto& [w, h] : sizes) {
    SCOPED_TRACE(testing::Message() << w << " x " << h);
    const TSurface s = Ellipse(w, h);
    const TEllipseCheck check(s);
    ASSERT_NO_FATAL_FAILURE(check.MirrorSymmetric());
    ASSERT_NO_FATAL_FAILURE(check.ConvexRowsTouchingTheBox());
    ASSERT_NO_FATAL_FAILURE(check.OutlineIsTheBorder());
    ASSERT_NO_FATAL_FAILURE(check.ConnectedAndClosed());
    ASSERT_NO_FATAL_FAILURE(check.Thin());
  }
}

TEST(DrawEllipse, PenAndBrushChoices) {
  const TSurface both = Ellipse(9, 7);
  const TSurface outlineOnly = Ellipse(9, 7, kPen, std::nullopt);
  const TSurface brushOnly = Ellipse(9, 7, std::nullopt, kBrush);
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 9; ++x) {
      const TPixel p = both.Pixel(x, y);
      EXPECT_EQ(outlineOnly.Pixel(x, y), p == kBrush ? kBack : p);
      EXPECT_EQ(brushOnly.Pixel(x, y), p == kBack ? kBack : kBrush);
    }
  TSurface nothing(9, 7, kBack);
  DrawEllipse(nothing, {0, 0, 9, 7}, std::nullopt, std::nullopt);
  EXPECT_EQ(nothing, TSurface(9, 7, kBack));
}

TEST(DrawEllipse, UnnormalisedEmptyAndClippedBoxes) {
  TSurface a(30, 30, kBack), b(30, 30, kBack);
  DrawEllipse(a, {3, 4, 21, 17}, kPen, kBrush);
  DrawEllipse(b, {21, 17, 3, 4}, kPen, kBrush);
  EXPECT_EQ(a, b);
  DrawEllipse(b, {5, 5, 5, 20}, kPen, kBrush);
  EXPECT_EQ(a, b);

  // Only the visible part is drawn, with the pixels of the whole ellipse.
  const TSurface whole = Ellipse(37, 23);
  TSurface part(20, 10, kBack);
  DrawEllipse(part, {-11, -6, 26, 17}, kPen, kBrush);
  EXPECT_EQ(part, Crop(whole, 11, 6, 20, 10));
}

TEST(DrawEllipse, HugeBoxesStaySymmetric) {
  // A 2000000001 x 21 ellipse centred on column 50 of the surface: near its centre the top and
  // bottom rows are flat outline and the rows between are brush.
  TSurface s(101, 21, kBack);
  DrawEllipse(s, {-1000000000 + 50, 0, 1000000000 + 51, 21}, kPen, kBrush);
  for (int x = 0; x < 101; ++x) {
    EXPECT_EQ(s.Pixel(x, 0), kPen);
    EXPECT_EQ(s.Pixel(x, 20), kPen);
    for (int y = 1; y < 20; ++y) ASSERT_EQ(s.Pixel(x, y), kBrush) << x << "," << y;
  }
  // The widest box there is draws without overflow; its mirror halves agree.
  TSurface t(64, 64, kBack);
  DrawEllipse(t, {INT_MIN, INT_MIN, INT_MAX, INT_MAX}, kPen, kBrush);
  TSurface u(64, 64, kBack);
  DrawEllipse(u, {INT_MIN + 1, INT_MIN + 1, INT_MAX, INT_MAX}, kPen, kBrush);
  EXPECT_EQ(t.Pixel(0, 0), kBrush);
  EXPECT_EQ(u.Pixel(0, 0), kBrush);
}

TEST(DrawEllipse, MaskXorTogglesEachPixelOfTheShapeOnce) {
  TMaskSurface m(40, 30);
  DrawRectangle(m, {0, 0, 20, 30}, TMaskPen::Black);
  DrawEllipse(m, {5, 3, 38, 26}, TMaskPen::Xor);
  const TSurface shape = [] {
    TSurface s(40, 30, kBack);
    DrawEllipse(s, {5, 3, 38, 26}, kPen, kBrush);
    return s;
  }();
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x)
      ASSERT_EQ(m.IsSelected(x, y), (x < 20) != (shape.Pixel(x, y) != kBack)) << x << "," << y;

  TMaskSurface ring(40, 30);
  DrawEllipse(ring, {5, 3, 38, 26}, TMaskPen::Xor, false);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) ASSERT_EQ(ring.IsSelected(x, y), shape.Pixel(x, y) == kPen);
}
