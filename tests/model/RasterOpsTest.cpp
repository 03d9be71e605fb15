#include <gtest/gtest.h>

#include "model/RasterOps.h"

TEST(Blit, CombinesAndClipsAtNegativeOffsets) {
  TSurface dst(3, 3, 0x0F0F0F);
  TSurface src(2, 2, 0x00FF00);
  src.SetPixel(1, 1, 0x123456);
  Blit(dst, -1, -1, src, TRop::Copy);  // only the source's bottom-right pixel lands
  EXPECT_EQ(dst.Pixel(0, 0), 0x123456u);
  EXPECT_EQ(dst.Pixel(1, 0), 0x0F0F0Fu);
  Blit(dst, 2, 2, src, TRop::Or);
  EXPECT_EQ(dst.Pixel(2, 2), 0x0FFF0Fu);
  Blit(dst, 1, 1, src, TRop::And);
  EXPECT_EQ(dst.Pixel(1, 1), 0x000F00u);
  Blit(dst, 1, 0, src, TRop::Xor);
  EXPECT_EQ(dst.Pixel(1, 0), 0x0FF00Fu);
  Blit(dst, 0, 1, src, TRop::OrNotSource);
  EXPECT_EQ(dst.Pixel(0, 1), 0xFF0FFFu);
  Blit(dst, 10, 10, src, TRop::Copy);  // entirely outside: nothing happens
}

TEST(Blit, MaskSourceReadsBlackForSelected) {
  TMaskSurface mask(2, 1);
  mask.SetSelected(0, 0, true);
  TSurface dst(2, 1, 0x336699);
  Blit(dst, 0, 0, mask, TRop::Or);
  EXPECT_EQ(dst.Pixel(0, 0), 0x336699u);
  EXPECT_EQ(dst.Pixel(1, 0), 0xFFFFFFu);
  TMaskSurface target(3, 1);
  Blit(target, 1, 0, mask, TRop::Copy);
  EXPECT_FALSE(target.IsSelected(0, 0));
  EXPECT_TRUE(target.IsSelected(1, 0));
  EXPECT_FALSE(target.IsSelected(2, 0));
}

TEST(Blit, MaskPartCopiesOnlyThatPartAndClips) {
  TMaskSurface src(4, 4, false);  // all selected
  TMaskSurface dst(4, 4);
  Blit(dst, 1, 2, src, TRect{0, 0, 2, 1}, TRop::Copy);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      EXPECT_EQ(dst.IsSelected(x, y), y == 2 && (x == 1 || x == 2)) << x << "," << y;
  // A part reaching past both masks lands clipped. Xor with white bits toggles what it covers;
  // source (0, 0) lands at (2, 2), so only the target's last two rows and columns change.
  Blit(dst, 0, 0, TMaskSurface(4, 4), TRect{-2, -2, 3, 3}, TRop::Xor);
  EXPECT_TRUE(dst.IsSelected(1, 2));
  EXPECT_FALSE(dst.IsSelected(2, 2));
  EXPECT_TRUE(dst.IsSelected(3, 2));
  EXPECT_TRUE(dst.IsSelected(3, 3));
  EXPECT_FALSE(dst.IsSelected(1, 1));
}

TEST(Blit, TransparentDrawAndBrushCopy) {
  TSurface dst(2, 1, 0x111111);
  TSurface src(2, 1, 0xF707F7);
  src.SetPixel(1, 0, 0x222222);
  DrawTransparent(dst, 0, 0, src, 0xF707F7);
  EXPECT_EQ(dst.Pixel(0, 0), 0x111111u);
  EXPECT_EQ(dst.Pixel(1, 0), 0x222222u);
  const TSurface brushed = BrushCopy(src, 0xF707F7, 0x08F808);
  EXPECT_EQ(brushed.Pixel(0, 0), 0x08F808u);
  EXPECT_EQ(brushed.Pixel(1, 0), 0x222222u);
}
