#include <gtest/gtest.h>

#include "model/codecs/GifCodec.h"
#include "model/codecs/GifTestSupport.h"

using namespace gif_test;

namespace {

TGifData Reread(const TGifData& gif, TGifCompression coding) {
  const TBytes bytes = WriteGif(gif, coding);
  return ReadGif(bytes.data(), bytes.size());
}

// A 4-colour sprite walking across a striped background, each frame full size.
TGifData WalkingSprite(int disposal, bool transparent) {
  TGifData gif;
  gif.ScreenWidth = 64;
  gif.ScreenHeight = 48;
  gif.GlobalBits = gif.BitsPerPixel = 3;
  for (int i = 0; i < 8; ++i) gif.GlobalTable.push_back(MakeColor(i * 30, 255 - i * 30, i * 9));
  for (int step = 0; step < 10; ++step) {
    TGifFrameData f;
    f.Width = 64;
    f.Height = 48;
    f.Control = {true, uint8_t(disposal), 5, transparent, 7};
    f.Indices.resize(64 * 48);
    for (int y = 0; y < 48; ++y)
      for (int x = 0; x < 64; ++x) {
        const bool sprite = x >= step * 5 && x < step * 5 + 8 && y >= 20 && y < 28;
        const uint8_t ground = transparent ? 7 : uint8_t((y / 4) % 3);
        f.Indices[size_t(y) * 64 + size_t(x)] = sprite ? uint8_t(3 + (x + y) % 4) : ground;
      }
    gif.Frames.push_back(std::move(f));
  }
  return gif;
}

void ExpectSamePlay(const TGifData& original, const TGifData& optimized, const char* what) {
  const auto expected = PlayGif(original);
  ASSERT_EQ(PlayGif(optimized), expected) << what;
  for (TGifCompression coding : {TGifCompression::Lzw, TGifCompression::Rle})
    ASSERT_EQ(PlayGif(Reread(optimized, coding)), expected) << what;
}

}  // namespace

TEST(GifOptimize, RandomAnimationsPlayExactlyAsBefore) {
  std::mt19937 rng(2024);
  for (int round = 0; round < 600; ++round) {
    const TGifData gif = RandomAnimation(rng, round < 300 ? 6 : 24, 7);
    const TGifData optimized = OptimizeGif(gif);
    ASSERT_EQ(optimized.Frames.size(), gif.Frames.size());
    for (const TGifFrameData& f : optimized.Frames) {
      ASSERT_GE(f.Left, 0);
      ASSERT_LE(f.Left + f.Width, gif.ScreenWidth);
      ASSERT_LE(f.Top + f.Height, gif.ScreenHeight);
    }
    ExpectSamePlay(gif, optimized, ("round " + std::to_string(round)).c_str());
  }
}

TEST(GifOptimize, CropsToTheMovingSprite) {
  for (int disposal : {0, 1, 2, 3}) {
    for (bool transparent : {false, true}) {
      const TGifData gif = WalkingSprite(disposal, transparent);
      const TGifData optimized = OptimizeGif(gif);
      ExpectSamePlay(gif, optimized, "sprite");
      for (size_t i = 1; i < optimized.Frames.size(); ++i) {
        const TGifFrameData& f = optimized.Frames[i];
        EXPECT_LE(f.Width, 13) << disposal << transparent << i;  // old and new place at most
        EXPECT_LE(f.Height, 8) << disposal << transparent << i;
      }
      EXPECT_LT(WriteGif(optimized, TGifCompression::Lzw).size(),
                WriteGif(gif, TGifCompression::Lzw).size() / 2);
    }
  }
}

TEST(GifOptimize, KeepsDelaysCommentsAndTables) {
  TGifData gif = WalkingSprite(1, false);
  gif.Frames[4].Comments = {"hello"};
  gif.Frames[5].LocalTable = gif.GlobalTable;
  gif.Frames[5].LocalBits = 3;
  gif.Frames[6].Control.Present = false;
  gif.Frames[7] = gif.Frames[6];  // nothing changes: still a frame of its own
  gif.Frames[7].Control = {true, 0, 77, false, 0};
  const TGifData optimized = OptimizeGif(gif);
  ExpectSamePlay(gif, optimized, "fields");
  EXPECT_EQ(optimized.Frames[4].Comments, gif.Frames[4].Comments);
  EXPECT_TRUE(optimized.Frames[5].LocalTable.empty());  // its colours are all global ones
  EXPECT_EQ(optimized.Frames[7].Control.DelayCs, 77);
  EXPECT_EQ(optimized.Frames[7].Width * optimized.Frames[7].Height, 1);
}

TEST(GifOptimize, LeavesOtherInputAlone) {
  TGifData gif = WalkingSprite(0, false);
  gif.Frames[3].Left = 1;
  EXPECT_EQ(OptimizeGif(gif), gif);
}
