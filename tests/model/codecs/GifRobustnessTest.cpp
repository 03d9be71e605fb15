#include <gtest/gtest.h>

#include <cstdlib>

#include "model/Errors.h"
#include "model/codecs/GifCodec.h"
#include "model/codecs/GifTestSupport.h"

using namespace gif_test;

namespace {

std::string ReadError(const TBytes& bytes) {
  try {
    ReadGif(bytes.data(), bytes.size());
  } catch (const EVelmoraError& e) {
    return e.what();
  }
  return "";
}

std::vector<uint8_t> Ramp(int w, int h, int colors) {
  std::vector<uint8_t> v(size_t(w) * size_t(h));
  for (size_t i = 0; i < v.size(); ++i) v[i] = uint8_t(((i * 2654435761u) >> 13) % size_t(colors));
  return v;
}

TBytes TwoFrames(TGifCompression coding, bool interlaced, bool transparent) {
  TGifData gif;
  gif.ScreenWidth = 64;
  gif.ScreenHeight = 48;
  gif.GlobalBits = gif.BitsPerPixel = 3;
  for (int i = 0; i < 8; ++i) gif.GlobalTable.push_back(MakeColor(i * 32, 0, 0));
  // Large enough that its image data spans several sub-blocks: giflib reads whole sub-blocks.
  TGifFrameData f{0, 0, 64, 48, interlaced, {}, 0, Ramp(64, 48, 8), {}, {"c"}};
  f.Control = {true, 1, 3, transparent, 7};
  gif.Frames = {f, f};
  gif.Frames[1].Indices = Ramp(64, 48, 5);
  return WriteGif(gif, coding);
}

TBytes Data(const std::string& name) {
  const char* dir = std::getenv("VELMORA_TEST_DATA");
  return ReadFileBytes(std::string(dir ? dir : "tests/data") + "/gif/" + name);
}

}  // namespace

TEST(GifRobustness, ClearMessagesForWhatIsNoGif) {
  EXPECT_EQ(ReadError({}), "Not a GIF file.");
  EXPECT_EQ(ReadError({'B', 'M', 0, 0, 0, 0, 0, 0}), "Not a GIF file.");
  EXPECT_EQ(ReadError({'G', 'I', 'F'}).rfind("The GIF file is damaged.", 0), 0u);
  // A screen descriptor but no image at all.
  EXPECT_EQ(ReadError(TRawGifBuilder(4, 4, 1).Finish()), "The GIF file is damaged.");
  // Only images of no size.
  EXPECT_EQ(ReadError(TRawGifBuilder(4, 4, 1).Image(0, 0, 0, 3, {}).Finish()),
            "The GIF file is damaged.");
  // A code beyond the string table in the very first row.
  // Header, screen, a two-colour table and an image descriptor, then code size 2 and the codes
  // 7, 7, ... where only 0..5 are defined.
  TBytes broken = TRawGifBuilder(4, 4, 1).Finish();
  broken.pop_back();
  broken.insert(broken.end(), {0x2C, 0, 0, 0, 0, 4, 0, 4, 0, 0});
  broken.insert(broken.end(), {2, 2, 0xFF, 0xFF, 0, 0x3B});
  EXPECT_EQ(ReadError(broken).rfind("The GIF file is damaged. (", 0), 0u) << ReadError(broken);
}

// Every prefix of a file either fails with a message or gives frames; a prefix that holds the
// whole first frame gives it intact, and a cut inside a frame keeps the rows before the cut.
TEST(GifRobustness, EveryPrefixOfAFileIsHandled) {
  for (TGifCompression coding : {TGifCompression::Lzw, TGifCompression::Rle})
    for (bool interlaced : {false, true})
      for (bool transparent : {false, true}) {
        const TBytes whole = TwoFrames(coding, interlaced, transparent);
        const TGifData full = ReadGif(whole.data(), whole.size());
        int cutShort = 0;
        for (size_t n = 0; n < whole.size(); ++n) {
          TGifData gif;
          try {
            gif = ReadGif(whole.data(), n);
          } catch (const EVelmoraError&) {
            continue;
          }
          ASSERT_FALSE(gif.Frames.empty());
          for (size_t i = 0; i < gif.Frames.size(); ++i) {
            const TGifFrameData& f = gif.Frames[i];
            ASSERT_EQ(f.Indices.size(), size_t(f.Width) * size_t(f.Height));
            if (interlaced || transparent) continue;
            const auto& all = full.Frames[i].Indices;
            ASSERT_TRUE(std::equal(f.Indices.begin(), f.Indices.end(), all.begin())) << n;
          }
          if (!transparent) continue;
          // A transparent frame cut short keeps the missing pixels transparent.
          const TGifFrameData& last = gif.Frames.back();
          const auto& all = full.Frames[gif.Frames.size() - 1].Indices;
          ASSERT_EQ(last.Height, 48);
          for (size_t p = 0; p < all.size(); ++p)
            ASSERT_TRUE(last.Indices[p] == all[p] || last.Indices[p] == 7) << n;
          cutShort += last.Indices != all;
        }
        EXPECT_EQ(cutShort > 0, transparent);
        // Without the trailer, or without the block terminator, nothing is lost.
        const TGifData noTrailer = ReadGif(whole.data(), whole.size() - 1);
        EXPECT_EQ(noTrailer.Frames, full.Frames);
        const TGifData noTerminator = ReadGif(whole.data(), whole.size() - 2);
        EXPECT_EQ(noTerminator.Frames, full.Frames);
      }
}

TEST(GifRobustness, OversizedFilesAreRefused) {
  const TBytes huge = TRawGifBuilder(65535, 65535, 1).Image(0, 0, 1, 1, {0}).Finish();
  EXPECT_EQ(ReadError(huge), "The GIF file is too large.");
  EXPECT_THROW(DecodeGifPicture(huge.data(), huge.size()), EVelmoraError);
  // Each frame is flattened to the screen, so many frames of a large screen are too much.
  TRawGifBuilder many(5000, 5000, 1);
  for (int i = 0; i < 12; ++i) many.Image(0, 0, 1, 1, {1});
  EXPECT_EQ(ReadError(many.Finish()), "The GIF file is too large.");
  // A small screen with a frame declared far larger: decoded, but only the visible part kept.
  const TBytes wide = TRawGifBuilder(3, 2, 1).Image(1, 1, 3000, 4, Ramp(3000, 4, 2)).Finish();
  const TGifData gif = ReadGif(wide.data(), wide.size());
  ASSERT_EQ(gif.Frames.size(), 1u);
  EXPECT_EQ(gif.Frames[0].Width, 2);
  EXPECT_EQ(gif.Frames[0].Height, 1);
}

TEST(GifRobustness, ScreenOfNoSizeTakesTheFirstImage) {
  const TBytes bytes = TRawGifBuilder(0, 0, 1).Image(2, 1, 3, 3, Ramp(3, 3, 2)).Finish();
  const TGifData gif = ReadGif(bytes.data(), bytes.size());
  EXPECT_EQ(gif.ScreenWidth, 5);
  EXPECT_EQ(gif.ScreenHeight, 4);
  EXPECT_EQ(ComposeGif(gif).Frames.size(), 1u);
}

// Found by fuzzing: a frame with a local table followed by one without leaked giflib's copy of
// the local table on writing; a screen of no size grown to an image reaching beyond 65535 could
// not be written back.
TEST(GifRobustness, FuzzFindingsStayFixed) {
  for (const char* name : {"fuzz-local-table-leak.gif", "fuzz-screen-beyond-limit.gif"}) {
    const TBytes bytes = Data(name);
    const TGifData gif = ReadGif(bytes.data(), bytes.size());
    for (TGifCompression coding : {TGifCompression::Lzw, TGifCompression::Rle}) {
      const TBytes again = WriteGif(gif, coding);
      EXPECT_EQ(ReadGif(again.data(), again.size()).Frames.size(), gif.Frames.size()) << name;
    }
  }
}
