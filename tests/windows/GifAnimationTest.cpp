#include <gtest/gtest.h>

#include "model/Errors.h"
#include "model/GifBuilder.h"
#include "model/Groups.h"
#include "model/codecs/GifCodec.h"
#include "windows/GifAnimation.h"

namespace {

constexpr QRgb Red = 0xFFFF0000, Green = 0xFF00FF00, Blue = 0xFF0000FF;

TGifFrameData Frame(int left, int top, int w, int h, std::vector<uint8_t> indices) {
  TGifFrameData f;
  f.Left = left;
  f.Top = top;
  f.Width = w;
  f.Height = h;
  f.Indices = std::move(indices);
  return f;
}

TGifControl Control(uint8_t disposal, uint16_t delayCs, int transparentIndex = -1) {
  TGifControl c;
  c.Present = true;
  c.Disposal = disposal;
  c.DelayCs = delayCs;
  c.Transparent = transparentIndex >= 0;
  c.TransparentIndex = uint8_t(std::max(transparentIndex, 0));
  return c;
}

TEST(GifAnimation, FramesAreLaidOverAndDisposedOfAsBrowsersDo) {
  TGifData gif;
  gif.ScreenWidth = gif.ScreenHeight = 4;
  gif.GlobalTable = {clBlack, MakeColor(255, 0, 0), MakeColor(0, 255, 0), MakeColor(0, 0, 255)};
  gif.GlobalBits = 2;
  gif.Frames.push_back(Frame(0, 0, 4, 4, std::vector<uint8_t>(16, 1)));  // red, kept
  gif.Frames.back().Control = Control(1, 5);
  gif.Frames.push_back(Frame(2, 2, 2, 2, {2, 2, 2, 2}));  // green, then the state before it
  gif.Frames.back().Control = Control(3, 0);
  gif.Frames.push_back(Frame(0, 0, 2, 2, {3, 0, 0, 3}));  // blue with holes, then cleared
  gif.Frames.back().Control = Control(2, 1, 0);
  gif.Frames.push_back(Frame(3, 3, 1, 1, {3}));  // no control extension
  const TGifAnimation animation = TGifAnimation::Decode(WriteGif(gif, TGifCompression::Lzw));
  ASSERT_EQ(animation.Count(), 4);
  EXPECT_EQ(animation.Size(), QSize(4, 4));
  const auto pixel = [&](int frame, int x, int y) {
    return animation.Frame(frame).Picture.pixel(x, y);
  };
  EXPECT_EQ(pixel(0, 3, 3), Red);
  EXPECT_EQ(pixel(1, 2, 2), Green);
  EXPECT_EQ(pixel(1, 1, 1), Red);
  // "Restore previous" brought the red back; the transparent index let it show through.
  EXPECT_EQ(pixel(2, 2, 2), Red);
  EXPECT_EQ(pixel(2, 0, 0), Blue);
  EXPECT_EQ(pixel(2, 1, 0), Red);
  // "Restore to background" cleared the rectangle: the player's background shows there.
  EXPECT_EQ(qAlpha(pixel(3, 0, 0)), 0);
  EXPECT_EQ(qAlpha(pixel(3, 1, 1)), 0);
  EXPECT_EQ(pixel(3, 2, 2), Red);
  EXPECT_EQ(pixel(3, 3, 3), Blue);
  // Delays of 0 and 1 hundredths, and a missing one, play at 100 ms.
  EXPECT_EQ(animation.Frame(0).DelayMs, 50);
  EXPECT_EQ(animation.Frame(1).DelayMs, 100);
  EXPECT_EQ(animation.Frame(2).DelayMs, 100);
  EXPECT_EQ(animation.Frame(3).DelayMs, 100);
  EXPECT_EQ(TGifAnimation::PlayDelayMs(2), 20);
}

TEST(GifAnimation, GroupsPlayWithTheirOwnOrTheIconPace) {
  TGifImageGroup gif;
  gif.SetBitCount(4);
  FillDefaultPalette(gif.Palette, 4);
  for (int i = 0; i < 3; ++i) gif.AddFrame();
  gif.SetWidth(6);
  gif.SetHeight(5);
  static_cast<TWorkGifFrame*>(gif.GetFrame(0))->SetDelay(0);
  static_cast<TWorkGifFrame*>(gif.GetFrame(1))->SetDelay(70);
  for (int i = 0; i < 3; ++i)
    gif.GetFrame(i)->EditImage().Fill(ColorToPixel(gif.Palette.Color(9 + i)));
  const TGifAnimation played = TGifAnimation::Decode(BuildGifStream(gif));
  ASSERT_EQ(played.Count(), 3);
  EXPECT_EQ(played.Size(), QSize(6, 5));
  EXPECT_EQ(played.Frame(0).DelayMs, 100);
  EXPECT_EQ(played.Frame(1).DelayMs, 70);
  EXPECT_EQ(played.Frame(2).DelayMs, 100);
  EXPECT_EQ(played.Frame(2).Picture.pixel(5, 4), 0xFF000000 | ColorToPixel(gif.Palette.Color(11)));

  TIconGroup icon;
  for (int size : {16, 32}) icon.AddFrame()->InitImage(size, size, nullptr, 24);
  const TGifAnimation sub = TGifAnimation::Decode(BuildGifStream(icon));
  ASSERT_EQ(sub.Count(), 2);
  EXPECT_EQ(sub.Frame(0).DelayMs, 300);

  EXPECT_THROW(TGifAnimation::Decode(TBytes{'G', 'I', 'F'}), EVelmoraError);
}

TEST(GifAnimation, SubIconsWithSoftEdgesPlayWithTheirAlpha) {
  TIconGroup icon;
  icon.AddFrame()->InitImage(2, 2, nullptr, 32);
  icon.AddFrame()->InitImage(4, 3, nullptr, 32);
  TSurface& small = icon.GetFrame(0)->EditImage();
  small.Fill(ColorToPixel(MakeColor(0, 0, 255)));
  small.Row(0)[0] = WithAlpha(ColorToPixel(MakeColor(255, 0, 0)), 128);
  small.Row(1)[1] = WithAlpha(0, 0);
  const TGifAnimation played = TGifAnimation::Compose(icon);
  ASSERT_EQ(played.Count(), 2);
  EXPECT_EQ(played.Size(), QSize(4, 3));
  EXPECT_EQ(played.Frame(0).DelayMs, 300);
  const QImage first = played.Frame(0).Picture;
  EXPECT_EQ(qAlpha(first.pixel(0, 0)), 128);
  EXPECT_NEAR(qRed(qUnpremultiply(first.pixel(0, 0))), 255, 1);
  EXPECT_EQ(first.pixel(1, 0), Blue);
  EXPECT_EQ(qAlpha(first.pixel(1, 1)), 0);
  EXPECT_EQ(qAlpha(first.pixel(3, 2)), 0);  // beyond the smaller sub-icon
  EXPECT_EQ(qAlpha(played.Frame(1).Picture.pixel(3, 2)), 255);
}

}  // namespace
