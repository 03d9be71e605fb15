// Resizing as the properties panel does, and the longest frame delay a GIF can record.

#include <gtest/gtest.h>

#include "model/Errors.h"
#include "model/Groups.h"
#include "model/ImageProperties.h"
#include "model/WorkImages.h"

namespace {

TColor At(const TSelectBitmap& image, int x, int y) { return PixelToColor(image.Image().Pixel(x, y)); }

TEST(ImageProperties, NewPixelsTakeAColourThePaletteHasOrTheTransparentColour) {
  TWorkBitmap dark;
  TPaletteRecord greys;
  greys.Count = 2;
  greys.SetColor(0, clBlack);
  greys.SetColor(1, MakeColor(100, 100, 100));  // no white here
  dark.InitImage(2, 2, &greys, 1);
  dark.EditImage().Fill(ColorToPixel(clBlack));
  ResizeCanvas(dark, 3, 4);
  EXPECT_EQ(At(dark, 1, 1), clBlack);
  EXPECT_EQ(At(dark, 2, 0), MakeColor(100, 100, 100));
  EXPECT_EQ(At(dark, 0, 3), MakeColor(100, 100, 100));

  TWorkBitmap clear;
  clear.InitImage(2, 2, nullptr, 24);
  clear.SetTransparent(true);
  clear.SetTransparentColor(MakeColor(1, 2, 3));
  ResizeCanvas(clear, 4, 2);
  EXPECT_EQ(At(clear, 3, 1), MakeColor(1, 2, 3));
  EXPECT_EQ(At(clear, 1, 1), clWhite);
}

TEST(ImageProperties, AFrameResizesItsWholeAnimationAndBadSizesChangeNothing) {
  TGifImageGroup g;
  g.SetBitCount(4);
  FillDefaultPalette(g.Palette, 4);
  g.AddFrame();
  g.AddFrame();
  g.SetWidth(2);
  g.SetHeight(2);
  g.GetFrame(1)->SetTransparent(true);
  g.GetFrame(1)->SetTransparentColor(g.Palette.Color(3));
  ResizeCanvas(*g.GetFrame(0), 3, 3);
  EXPECT_EQ(g.Width, 3);
  EXPECT_EQ(g.GetFrame(1)->Width(), 3);
  EXPECT_EQ(At(*g.GetFrame(0), 2, 2), clWhite);
  EXPECT_EQ(At(*g.GetFrame(1), 2, 2), g.Palette.Color(3));

  EXPECT_THROW(ResizeCanvas(*g.GetFrame(0), 70000, 70000), EVelmoraError);
  EXPECT_THROW(ResizeGroupCanvas(g, -1, 4), EVelmoraError);
  EXPECT_EQ(g.GetFrame(1)->Width(), 3);
  ResizeGroupCanvas(g, 1, 5);
  EXPECT_EQ(g.GetFrame(0)->Height(), 5);
  EXPECT_EQ(At(*g.GetFrame(1), 0, 4), g.Palette.Color(3));
}

TEST(ImageProperties, DelaysUpToTheLongestAGifRecordsAreKept) {
  TWorkGifFrame frame;
  frame.SetDelay(655350);
  EXPECT_EQ(frame.Delay(), 655350u);
  frame.SetDelay(700000);
  EXPECT_EQ(frame.Delay(), TWorkGifFrame::MaxDelay);
}

}  // namespace
