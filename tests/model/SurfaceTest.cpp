#include <gtest/gtest.h>

#include "model/Errors.h"
#include "model/Surface.h"

TEST(Surface, AbsurdSizesFailWithAMessage) {
  EXPECT_THROW(TSurface(-1, 5), EVelmoraError);
  EXPECT_THROW(TSurface(1 << 20, 1 << 20), EVelmoraError);
  EXPECT_THROW(TMaskSurface(5, -3), EVelmoraError);
  TSurface s(2, 2);
  EXPECT_THROW(s.SetSize(100000, 100000), EVelmoraError);
  EXPECT_EQ(s.Width(), 2);  // a refused resize leaves the surface as it was
}

TEST(Surface, ResizeKeepsTopLeftPixels) {
  TSurface s(3, 2, 0x111111);
  s.SetPixel(2, 1, 0xABCDEF);
  s.SetSize(4, 3, 0x222222);
  EXPECT_EQ(s.Pixel(2, 1), 0xABCDEFu);
  EXPECT_EQ(s.Pixel(3, 0), 0x222222u);
  EXPECT_EQ(s.Pixel(0, 2), 0x222222u);
}

TEST(MaskSurface, PenModesAndEquality) {
  TMaskSurface m(37, 3);
  EXPECT_FALSE(m.AnySelected());
  m.FillRect({30, 1, 40, 2}, TMaskPen::Black);
  EXPECT_TRUE(m.IsSelected(36, 1));
  EXPECT_FALSE(m.IsSelected(29, 1));
  m.FillRect({0, 0, 37, 3}, TMaskPen::Xor);
  EXPECT_FALSE(m.IsSelected(36, 1));
  EXPECT_TRUE(m.IsSelected(0, 0));
  m.FillRect({0, 0, 37, 3}, TMaskPen::White);
  EXPECT_EQ(m, TMaskSurface(37, 3));
}
