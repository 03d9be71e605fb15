// The magic wand's region and its combination with the selection.

#include "render/WandRegion.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(WandRegion, ConnectedThroughEdgesOnly) {
  // A diagonal pair of red pixels does not connect; the red L does.
  TSurface image(5, 4, 0xFFFFFF);
  const TPixel red = ColorToPixel(MakeColor(255, 0, 0));
  for (TPoint p : {TPoint{0, 0}, TPoint{1, 0}, TPoint{1, 1}, TPoint{2, 2}})
    image.SetPixel(p.X, p.Y, red);
  image.SetPixel(4, 3, red | 0xFF000000u);  // the high byte plays no part
  TMaskSurface region = WandRegion(image, 1, 1);
  int count = 0;
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 5; ++x) count += region.IsSelected(x, y);
  EXPECT_EQ(count, 3);
  EXPECT_FALSE(region.IsSelected(2, 2));
  EXPECT_TRUE(WandRegion(image, 3, 3).IsSelected(3, 3));
  EXPECT_FALSE(WandRegion(image, 3, 3).IsSelected(4, 3));
  EXPECT_FALSE(WandRegion(image, 9, 9).AnySelected());
}

TEST(WandRegion, CombinesInFourModes) {
  TMaskSurface region(10, 1), mask(10, 1);
  for (int x = 2; x < 6; ++x) region.SetSelected(x, 0, true);
  for (int x = 4; x < 9; ++x) mask.SetSelected(x, 0, true);
  const auto bits = [](const TMaskSurface& m) {
    std::string s;
    for (int x = 0; x < m.Width(); ++x) s += m.IsSelected(x, 0) ? '1' : '0';
    return s;
  };
  TMaskSurface m = mask;
  CombineRegion(m, region, TSelectMode::Replace);
  EXPECT_EQ(bits(m), "0011110000");
  m = mask;
  CombineRegion(m, region, TSelectMode::Add);
  EXPECT_EQ(bits(m), "0011111110");
  m = mask;
  CombineRegion(m, region, TSelectMode::Subtract);
  EXPECT_EQ(bits(m), "0000001110");
  m = mask;
  CombineRegion(m, region, TSelectMode::Xor);
  EXPECT_EQ(bits(m), "0011001110");
  EXPECT_FALSE(m == mask);
  CombineRegion(m, region, TSelectMode::Xor);
  EXPECT_TRUE(m == mask);
}

}  // namespace
