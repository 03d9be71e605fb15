#include <gtest/gtest.h>

#include "model/Errors.h"
#include "model/codecs/GifCodec.h"
#include "model/codecs/GifTestSupport.h"

using namespace gif_test;

namespace {

TComposedGif Compose(const TBytes& bytes) {
  return ComposeGif(ReadGif(bytes.data(), bytes.size()));
}

std::vector<uint8_t> Filled(int w, int h, uint8_t index) {
  return std::vector<uint8_t>(size_t(w) * size_t(h), index);
}

TColor At(const TComposedFrame& f, int x, int y) {
  return PixelToColor(f.Image.Pixel(x, y));
}

}  // namespace

TEST(GifCompose, SmallFrameShowsEarlierFramesAroundIt) {
  TRawGifBuilder b(20, 20, 2);
  const TBytes bytes = b.Control(1, 10)
                           .Image(0, 0, 20, 20, Filled(20, 20, 1))
                           .Control(0, 7)
                           .Image(5, 5, 10, 10, Filled(10, 10, 2))
                           .Finish();
  const TComposedGif gif = Compose(bytes);
  ASSERT_EQ(gif.Frames.size(), 2u);
  const TComposedFrame& second = gif.Frames[1];
  EXPECT_EQ(second.Image.Width(), 20);
  EXPECT_EQ(At(second, 4, 4), b.GlobalTable[1]);
  EXPECT_EQ(At(second, 5, 5), b.GlobalTable[2]);
  EXPECT_EQ(At(second, 14, 14), b.GlobalTable[2]);
  EXPECT_EQ(At(second, 15, 14), b.GlobalTable[1]);
  EXPECT_EQ(second.DelayMs, 70);
  EXPECT_EQ(gif.Frames[0].Disposal, 1);
}

// Decoders show uncovered pixels differently, so restoring to the background uncovers them also in
// an animation without transparency; saved again, they stay uncovered.
TEST(GifCompose, RestoreToBackgroundUncoversEvenWithoutTransparency) {
  TRawGifBuilder b(8, 8, 2, 3);
  const TBytes bytes = b.Control(0, 0)
                           .Image(0, 0, 8, 8, Filled(8, 8, 1))
                           .Control(2, 0)
                           .Image(2, 2, 3, 3, Filled(3, 3, 2))
                           .Control(0, 0)
                           .Image(0, 0, 1, 1, Filled(1, 1, 0))
                           .Finish();
  const TComposedGif gif = Compose(bytes);
  const TComposedFrame& last = gif.Frames[2];
  EXPECT_TRUE(last.Transparent);
  EXPECT_EQ(At(last, 3, 3), last.TransparentColor);
  EXPECT_EQ(At(last, 5, 5), b.GlobalTable[1]);
  EXPECT_EQ(At(last, 0, 0), b.GlobalTable[0]);
}

TEST(GifCompose, RestoreToBackgroundWithTransparencyUncoversTheFrame) {
  TRawGifBuilder b(8, 8, 2, 3);
  const TBytes bytes = b.Control(2, 0)
                           .Image(0, 0, 8, 8, Filled(8, 8, 1))
                           .Control(0, 0, 0)
                           .Image(0, 0, 4, 4, Filled(4, 4, 2))
                           .Finish();
  const TComposedGif gif = Compose(bytes);
  EXPECT_EQ(gif.KeyColor, IconTransparentColor);
  const TComposedFrame& second = gif.Frames[1];
  EXPECT_TRUE(second.Transparent);
  EXPECT_EQ(second.TransparentColor, b.GlobalTable[0]);
  EXPECT_EQ(At(second, 1, 1), b.GlobalTable[2]);
  EXPECT_EQ(At(second, 6, 6), b.GlobalTable[0]);  // uncovered: the frame's transparent colour
  // The first frame is not transparent: pixels no frame covered keep the key colour.
  const TBytes partial = TRawGifBuilder(8, 8, 2)
                             .Control(0, 0, 1)
                             .Image(0, 0, 2, 2, Filled(2, 2, 0))
                             .Control(0, 0)
                             .Image(4, 4, 2, 2, Filled(2, 2, 3))
                             .Finish();
  const TComposedGif p = Compose(partial);
  EXPECT_EQ(At(p.Frames[1], 7, 7), IconTransparentColor);
  EXPECT_EQ(At(p.Frames[0], 7, 7), TRawGifBuilder(8, 8, 2).GlobalTable[1]);
}

TEST(GifCompose, RestorePreviousPutsBackTheEarlierPicture) {
  TRawGifBuilder b(6, 6, 3);
  const TBytes bytes = b.Control(1, 0)
                           .Image(0, 0, 6, 6, Filled(6, 6, 4))
                           .Control(3, 0)
                           .Image(1, 1, 4, 4, Filled(4, 4, 6))
                           .Control(3, 0, 0)
                           .Image(0, 0, 2, 2, {0, 7, 7, 7})
                           .Finish();
  const TComposedGif gif = Compose(bytes);
  EXPECT_EQ(At(gif.Frames[1], 2, 2), b.GlobalTable[6]);
  const TComposedFrame& third = gif.Frames[2];
  EXPECT_EQ(At(third, 1, 1), b.GlobalTable[7]);
  EXPECT_EQ(At(third, 3, 3), b.GlobalTable[4]);  // the second frame was taken away again
  EXPECT_EQ(At(third, 0, 0), b.GlobalTable[4]);  // its transparent pixel shows what lies below
}

TEST(GifCompose, KeyColourAvoidsEveryTable) {
  TRawGifBuilder b(2, 1, 1);
  b.GlobalColor(1, IconTransparentColor);
  const TBytes bytes = b.Image(0, 0, 2, 1, {0, 1}).Finish();
  TGifData data = ReadGif(bytes.data(), bytes.size());
  EXPECT_EQ(ComposeGif(data).KeyColor, 0x87A788u);
  data.Frames[0].LocalTable = {0x87A788, 0x87A789};
  data.Frames[0].LocalBits = 1;
  EXPECT_EQ(ComposeGif(data).KeyColor, 0x87A78Au);
}

TEST(GifCompose, FramesWithoutControlAndLongDelays) {
  TRawGifBuilder b(4, 4, 1);
  const TBytes bytes = b.Image(0, 0, 4, 4, Filled(4, 4, 1))
                           .Control(2, 7000, 1)
                           .Image(0, 0, 2, 2, Filled(2, 2, 0), 5)
                           .Finish();
  const TComposedGif gif = Compose(bytes);
  ASSERT_EQ(gif.Frames.size(), 2u);
  EXPECT_EQ(gif.Frames[0].DelayMs, 100);
  EXPECT_EQ(gif.Frames[0].Disposal, 0);
  EXPECT_FALSE(gif.Frames[0].Transparent);
  EXPECT_FALSE(gif.Frames[0].LocalPalette);
  EXPECT_EQ(gif.Frames[1].DelayMs, 70000u);  // beyond 16 bits of milliseconds
  EXPECT_EQ(gif.Frames[1].Disposal, 2);
  // The group takes the deepest table; its palette is the global table padded with black.
  EXPECT_EQ(gif.BitCount, 5);
  ASSERT_EQ(gif.Palette.size(), 32u);
  EXPECT_EQ(gif.Palette[1], clWhite);
  EXPECT_EQ(gif.Palette[2], clBlack);
  EXPECT_TRUE(gif.Frames[1].LocalPalette);
  EXPECT_EQ(gif.Frames[1].Palette.size(), 32u);
  EXPECT_EQ(gif.Frames[1].TransparentColor, MakeColor(1, 254, 128));
}

TEST(GifCompose, SingleImagePicture) {
  TRawGifBuilder b(6, 5, 2, 2);
  TGifPictureExtras extras;
  const TBytes plain =
      b.Comment("a").Comment("b").Image(1, 1, 2, 2, {0, 1, 3, 3}, 0, true).Finish();
  TDecodedPicture p = DecodeGifPicture(plain.data(), plain.size(), &extras);
  EXPECT_EQ(p.Kind, TPictureKind::Gif);
  EXPECT_EQ(p.BitCount, 2);
  EXPECT_EQ(p.Palette, b.GlobalTable);
  // The image leaves pixels uncovered: they are transparent. Colour 0 is drawn, so they take a
  // colour of no table instead.
  EXPECT_TRUE(p.Transparent);
  EXPECT_EQ(p.TransparentColor, IconTransparentColor);
  EXPECT_EQ(PixelToColor(p.Image.Pixel(0, 0)), IconTransparentColor);
  EXPECT_EQ(PixelToColor(p.Image.Pixel(1, 1)), b.GlobalTable[0]);
  EXPECT_EQ(PixelToColor(p.Image.Pixel(2, 2)), b.GlobalTable[3]);
  EXPECT_TRUE(extras.Interlaced);
  EXPECT_EQ(extras.Comments, (std::vector<std::string>{"a", "b"}));

  const TBytes clear =
      TRawGifBuilder(6, 5, 0).Control(0, 0, 1).Image(0, 0, 2, 1, {0, 1}, 3).Finish();
  p = DecodeGifPicture(clear.data(), clear.size());
  EXPECT_EQ(p.BitCount, 3);  // a local table alone gives the palette
  EXPECT_EQ(p.Palette.size(), 8u);
  EXPECT_TRUE(p.Transparent);
  EXPECT_EQ(p.TransparentColor, MakeColor(1, 254, 128));
  EXPECT_EQ(PixelToColor(p.Image.Pixel(5, 4)), MakeColor(1, 254, 128));
  EXPECT_EQ(PixelToColor(p.Image.Pixel(0, 0)), MakeColor(0, 255, 128));
}

TEST(GifCompose, RefusesAnimationsTooLargeToFlatten) {
  TGifData gif;
  gif.ScreenWidth = gif.ScreenHeight = 8192;  // 64 Mpixels: three working pictures and one frame
  gif.GlobalBits = 1;
  gif.GlobalTable = {clBlack, clWhite};
  gif.Frames.push_back({0, 0, 1, 1, false, {}, 0, {1}, {}, {}});
  gif.Frames.push_back(gif.Frames[0]);
  EXPECT_THROW(ComposeGif(gif), EVelmoraError);
}

// A transparent frame shows its uncovered pixels in its own transparent colour unless a covered
// pixel has that colour; then the key colour stands in. Whether one has it changes as frames
// cover and uncover pixels, also in frames far from the one asking.
TEST(GifCompose, TheOwnTransparentColourGivesWayWhileACoveredPixelHasIt) {
  TRawGifBuilder b(8, 8, 2);
  const TBytes bytes = b.Control(0, 0)
                           .Image(0, 0, 2, 2, Filled(2, 2, 2))
                           .Control(0, 0, 2)  // colour 2 is on the screen
                           .Image(5, 5, 1, 1, Filled(1, 1, 1))
                           .Control(0, 0, 2)  // covered over: gone
                           .Image(0, 0, 2, 2, Filled(2, 2, 3))
                           .Control(0, 0, 1)  // draws colour 2 elsewhere
                           .Image(6, 6, 1, 1, Filled(1, 1, 2))
                           .Control(0, 0, 2)  // so it is back
                           .Image(0, 7, 1, 1, Filled(1, 1, 0))
                           .Control(0, 0, 2)  // and gone again
                           .Image(6, 6, 1, 1, Filled(1, 1, 3))
                           .Finish();
  const TComposedGif gif = Compose(bytes);
  ASSERT_EQ(gif.Frames.size(), 6u);
  const TColor own = b.GlobalTable[2];
  const TColor expected[] = {b.GlobalTable[0], gif.KeyColor, own, gif.KeyColor, gif.KeyColor, own};
  for (size_t i = 0; i < 6; ++i) {
    EXPECT_TRUE(gif.Frames[i].Transparent) << i;
    EXPECT_EQ(gif.Frames[i].TransparentColor, expected[i]) << i;
    EXPECT_EQ(At(gif.Frames[i], 3, 3), expected[i]) << i;  // never covered
  }
}
