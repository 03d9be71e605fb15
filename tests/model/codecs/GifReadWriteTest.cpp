#include <gtest/gtest.h>

#include "model/Errors.h"
#include "model/codecs/GifCodec.h"
#include "model/codecs/GifTestSupport.h"

using namespace gif_test;

namespace {

const TGifCompression kCodings[] = {TGifCompression::Lzw, TGifCompression::Rle};

TGifData ReadBack(const TBytes& bytes) {
  return ReadGif(bytes.data(), bytes.size());
}

std::vector<TColor> Table(int bits, int salt) {
  std::vector<TColor> t(size_t(1) << bits);
  for (size_t i = 0; i < t.size(); ++i) t[i] = MakeColor(int(i) * 3 + salt, int(i) ^ salt, 200);
  return t;
}

std::vector<uint8_t> Pattern(int w, int h, int colors, int seed) {
  std::vector<uint8_t> v(size_t(w) * size_t(h));
  for (size_t i = 0; i < v.size(); ++i)
    v[i] = uint8_t(((i / 3) * 7 + size_t(seed)) % size_t(colors));
  return v;
}

// Three frames that use every field the writer knows.
TGifData RichAnimation() {
  TGifData gif;
  gif.ScreenWidth = 23;
  gif.ScreenHeight = 17;
  gif.GlobalBits = gif.BitsPerPixel = 4;
  gif.GlobalTable = Table(4, 1);
  gif.BackgroundIndex = 3;
  gif.LoopCount = 5;
  TGifFrameData a;
  a.Width = 23;
  a.Height = 17;
  a.Interlaced = true;
  a.LocalBits = 3;
  a.LocalTable = Table(3, 9);
  a.Indices = Pattern(23, 17, 8, 0);
  a.Comments = {"first comment", std::string(600, 'x')};
  a.Control = {true, 2, 7, true, 5};
  TGifFrameData b;
  b.Left = 3;
  b.Top = 4;
  b.Width = 11;
  b.Height = 9;
  b.Indices = Pattern(11, 9, 16, 5);
  TGifFrameData c = b;
  c.Left = 0;
  c.Control = {true, 3, 65535, false, 0};
  c.Comments = {""};
  gif.Frames = {a, b, c};
  return gif;
}

}  // namespace

TEST(GifReadWrite, RoundTripKeepsEveryFieldWithBothCodings) {
  const TGifData gif = RichAnimation();
  for (TGifCompression coding : kCodings) {
    const TBytes bytes = WriteGif(gif, coding);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 6), "GIF89a");
    EXPECT_EQ(DescribeDifference(ReadBack(bytes), gif), "");
    // An independent decoder sees the same pixels and the extensions in the documented order:
    // loop, comments, control, image.
    const TRawGif raw = ParseRawGif(bytes);
    EXPECT_EQ(raw.Blocks, "LCCGIICGI");
    ASSERT_EQ(raw.Images.size(), 3u);
    for (size_t i = 0; i < 3; ++i) EXPECT_EQ(raw.Images[i].Indices, gif.Frames[i].Indices);
  }
}

TEST(GifReadWrite, RandomAnimationsSurviveBothCodings) {
  std::mt19937 rng(7);
  for (int round = 0; round < 150; ++round) {
    TGifData gif = RandomAnimation(rng, 40, 4);
    if (round % 3 == 0) gif.Frames[0].Interlaced = true;
    for (TGifCompression coding : kCodings) {
      const TBytes bytes = WriteGif(gif, coding);
      ASSERT_EQ(DescribeDifference(ReadBack(bytes), gif), "") << "round " << round;
      const TRawGif raw = ParseRawGif(bytes);
      for (size_t i = 0; i < gif.Frames.size(); ++i)
        ASSERT_EQ(raw.Images[i].Indices, gif.Frames[i].Indices) << "round " << round;
    }
  }
}

// The run-length coding must never make a decoder widen its codes, for every code size, and
// must still pack long runs tightly.
TEST(GifReadWrite, RunLengthCodingKeepsItsCodeWidth) {
  for (int bits = 1; bits <= 8; ++bits) {
    const int colors = 1 << bits;
    std::vector<std::vector<uint8_t>> patterns = {std::vector<uint8_t>(5000, uint8_t(colors - 1)),
                                                  Pattern(100, 50, colors, 1)};
    std::vector<uint8_t> runs;
    for (int r = 0; r < 400; ++r) runs.insert(runs.end(), size_t(r % 37 + 1), uint8_t(r % colors));
    patterns.push_back(runs);
    for (const auto& pixels : patterns) {
      TGifData gif;
      gif.ScreenWidth = int(pixels.size());
      gif.ScreenHeight = 1;
      gif.GlobalBits = gif.BitsPerPixel = bits;
      gif.GlobalTable = Table(bits, 2);
      gif.Frames.push_back({0, 0, int(pixels.size()), 1, false, {}, 0, pixels, {}, {}});
      const TBytes bytes = WriteGif(gif, TGifCompression::Rle);
      const TRawImage image = ParseRawGif(bytes).Images.at(0);
      EXPECT_EQ(image.Indices, pixels) << bits;
      EXPECT_EQ(image.MaxCodeWidth, image.MinCodeSize + 1) << bits;  // never widened
      EXPECT_EQ(ReadBack(bytes).Frames[0].Indices, pixels) << bits;
    }
  }
  TGifData flat;
  flat.ScreenWidth = flat.ScreenHeight = 256;
  flat.GlobalBits = flat.BitsPerPixel = 8;
  flat.GlobalTable = Table(8, 0);
  flat.Frames.push_back({0, 0, 256, 256, false, {}, 0, std::vector<uint8_t>(65536, 9), {}, {}});
  EXPECT_LT(WriteGif(flat, TGifCompression::Rle).size(), 2000u);
}

TEST(GifReadWrite, TablesArePaddedToCoverEveryIndex) {
  TGifData gif;
  gif.ScreenWidth = 4;
  gif.ScreenHeight = 1;
  gif.GlobalTable = {clRed, clWhite, clYellow};  // three colours: written as four
  gif.GlobalBits = 2;
  TGifFrameData f{0, 0, 4, 1, false, {clRed, clWhite}, 1, {0, 1, 6, 1}, {}, {}};
  gif.Frames = {f};
  f.LocalTable.clear();
  f.Indices = {0, 2, 2, 5};
  gif.Frames.push_back(f);
  const TGifData back = ReadBack(WriteGif(gif, TGifCompression::Lzw));
  EXPECT_EQ(back.GlobalTable, (std::vector<TColor>{clRed, clWhite, clYellow, 0, 0, 0, 0, 0}));
  EXPECT_EQ(back.Frames[0].LocalTable.size(), 8u);
  EXPECT_EQ(back.Frames[0].Indices, gif.Frames[0].Indices);
  EXPECT_EQ(back.Frames[1].Indices, gif.Frames[1].Indices);
}

TEST(GifReadWrite, WriterRefusesBrokenFrames) {
  TGifData gif = RichAnimation();
  gif.Frames[1].Indices.pop_back();
  EXPECT_THROW(WriteGif(gif, TGifCompression::Lzw), EVelmoraError);
  gif = RichAnimation();
  gif.Frames[0].Left = 70000;
  EXPECT_THROW(WriteGif(gif, TGifCompression::Rle), EVelmoraError);
}

// Streams made by hand, independently of the writer.
TEST(GifReadWrite, ReadsHandMadeStreams) {
  const std::vector<uint8_t> small = Pattern(6, 5, 4, 2);
  const TBytes bytes = TRawGifBuilder(10, 8, 2, 1)
                           .Loop(0, "ANIMEXTS1.0")
                           .Comment("one")
                           .Comment("two")
                           .Control(1, 12, 3)
                           .Image(1, 2, 6, 5, small, 0, true)
                           .Image(7, 6, 6, 5, small, 3)  // sticks out of the screen
                           .Finish();
  const TGifData gif = ReadBack(bytes);
  EXPECT_EQ(gif.LoopCount, 0);
  EXPECT_EQ(gif.BackgroundIndex, 1);
  EXPECT_EQ(gif.GlobalTable.size(), 4u);
  ASSERT_EQ(gif.Frames.size(), 2u);
  const TGifFrameData& a = gif.Frames[0];
  EXPECT_EQ(a.Comments, (std::vector<std::string>{"one", "two"}));
  EXPECT_EQ(a.Control, (TGifControl{true, 1, 12, true, 3}));
  EXPECT_TRUE(a.Interlaced);
  EXPECT_EQ(a.Indices, small);
  const TGifFrameData& b = gif.Frames[1];
  EXPECT_FALSE(b.Control.Present);
  EXPECT_EQ(b.LocalTable.size(), 8u);
  EXPECT_EQ(b.LocalTable[2], MakeColor(2, 253, 128));
  EXPECT_EQ(b.Width, 3);  // clipped to the screen
  EXPECT_EQ(b.Height, 2);
  EXPECT_EQ(b.Indices,
            (std::vector<uint8_t>{small[0], small[1], small[2], small[6], small[7], small[8]}));
}
