// Opening and saving GIF files without an edit: what a decoder shows stays as it was. The
// animations are hand-made streams; what they show is worked out by the test player, which knows
// nothing of the document classes.
#include <gtest/gtest.h>

#include <random>

#include "TempDir.h"
#include "model/Document.h"
#include "model/FileIO.h"
#include "model/GifBuilder.h"
#include "model/Groups.h"
#include "model/WorkImages.h"
#include "model/codecs/GifCodec.h"
#include "model/codecs/GifTestSupport.h"

using namespace gif_test;

namespace {

std::vector<TScreen> Plays(const TBytes& bytes) {
  return PlayGif(ReadGif(bytes.data(), bytes.size()));
}

// Opens the bytes as the editor does and saves the document again.
TBytes OpenAndSave(const TTempDir& dir, const TBytes& bytes) {
  WriteFileAtomic(dir.File("in.gif"), bytes);
  TDocument doc = OpenDocument(dir.File("in.gif"));
  doc.SaveToFile(dir.File("out.gif"));
  return ReadFileBytes(dir.File("out.gif"));
}

std::vector<uint8_t> Filled(int w, int h, uint8_t index) {
  return std::vector<uint8_t>(size_t(w) * size_t(h), index);
}

std::vector<uint8_t> Counting(int w, int h, int colors) {
  std::vector<uint8_t> v(size_t(w) * size_t(h));
  for (size_t i = 0; i < v.size(); ++i) v[i] = uint8_t(i % size_t(colors));
  return v;
}

}  // namespace

// Frames with tables of their own show pixels of earlier frames that their tables lack; every
// composed frame must survive, and the file the program writes without holding every frame must
// be the one saving the document writes.
TEST(GifFileFidelity, LocalTablesAndPartialFramesKeepEveryFrame) {
  TTempDir dir;
  const TBytes bytes = TRawGifBuilder(10, 8, 2)
                           .Loop(0)
                           .Control(1, 10)
                           .Image(0, 0, 10, 8, Counting(10, 8, 4))
                           .Control(1, 10)
                           .Image(2, 2, 5, 4, Counting(5, 4, 8), 3)
                           .Control(2, 10, 0)
                           .Image(4, 1, 6, 3, Counting(6, 3, 4), 2)
                           .Control(3, 10)
                           .Image(0, 5, 3, 3, Counting(3, 3, 16), 4)
                           .Control(0, 10)
                           .Image(7, 6, 2, 2, Filled(2, 2, 3))
                           .Finish();
  const TBytes saved = OpenAndSave(dir, bytes);
  EXPECT_EQ(Plays(saved), Plays(bytes));
  EXPECT_EQ(RewriteGifAnimation(ReadGif(bytes.data(), bytes.size()), 0), saved);
  // Saved again, the file stays the same.
  EXPECT_EQ(OpenAndSave(dir, saved), saved);
}

// A table holding the transparent colour twice: pixels of the other entry stay opaque, in the
// animation and in a single image.
TEST(GifFileFidelity, OpaquePixelsOfTheTransparentColourStayOpaque) {
  TTempDir dir;
  TRawGifBuilder b(4, 2, 2);
  b.GlobalColor(3, b.GlobalTable[1]);
  const std::vector<uint8_t> pixels = {1, 3, 1, 3, 0, 3, 2, 1};
  const TBytes animation = b.Control(1, 10, 3)
                               .Image(0, 0, 4, 2, pixels)
                               .Control(1, 10, 3)
                               .Image(0, 0, 4, 2, Filled(4, 2, 3))
                               .Finish();
  EXPECT_EQ(Plays(OpenAndSave(dir, animation)), Plays(animation));
  WriteFileAtomic(dir.File("a.gif"), animation);
  TDocument doc = OpenDocument(dir.File("a.gif"));
  const TWorkFrame& first = *doc.Group->GetFrame(0);
  EXPECT_NE(first.GetTransparentColor(), b.GlobalTable[1]);
  EXPECT_EQ(first.Image().Pixel(0, 0), ColorToPixel(b.GlobalTable[1]));
  EXPECT_EQ(first.Image().Pixel(1, 0), ColorToPixel(first.GetTransparentColor()));

  const TBytes single = TRawGifBuilder(4, 2, 2).Control(0, 0, 3).Image(0, 0, 4, 2, pixels).Finish();
  TRawGifBuilder same(4, 2, 2);
  same.GlobalColor(3, same.GlobalTable[1]);
  const TBytes picture = same.Control(0, 0, 3).Image(0, 0, 4, 2, pixels).Finish();
  EXPECT_EQ(Plays(OpenAndSave(dir, picture)), Plays(picture));
  EXPECT_EQ(Plays(OpenAndSave(dir, single)), Plays(single));
}

// A first frame smaller than the screen leaves pixels uncovered: the document shows them
// transparent, in a colour no covered pixel has, and saving leaves them uncovered.
TEST(GifFileFidelity, UncoveredPixelsAreTransparent) {
  TTempDir dir;
  const TBytes bytes = TRawGifBuilder(6, 4, 1)
                           .Control(1, 10)
                           .Image(0, 0, 3, 2, Counting(3, 2, 2))
                           .Control(1, 10)
                           .Image(3, 2, 3, 2, Filled(3, 2, 1))
                           .Finish();
  WriteFileAtomic(dir.File("u.gif"), bytes);
  TDocument doc = OpenDocument(dir.File("u.gif"));
  const TWorkFrame& first = *doc.Group->GetFrame(0);
  EXPECT_TRUE(first.GetTransparent());
  EXPECT_EQ(first.Image().Pixel(5, 3), ColorToPixel(first.GetTransparentColor()));
  for (int x = 0; x < 3; ++x)
    EXPECT_NE(first.Image().Pixel(x, 0), ColorToPixel(first.GetTransparentColor()));
  EXPECT_EQ(Plays(OpenAndSave(dir, bytes)), Plays(bytes));
}

// The looping extension comes back as read; a file without one plays once and stays so.
TEST(GifFileFidelity, LoopCountsComeBackAsRead) {
  TTempDir dir;
  for (int loop : {-1, 0, 3}) {
    TRawGifBuilder b(2, 2, 1);
    if (loop >= 0) b.Loop(loop);
    const TBytes bytes =
        b.Image(0, 0, 2, 2, Filled(2, 2, 0)).Image(0, 0, 2, 2, Filled(2, 2, 1)).Finish();
    WriteFileAtomic(dir.File("l.gif"), bytes);
    TDocument doc = OpenDocument(dir.File("l.gif"));
    EXPECT_EQ(static_cast<TGifImageGroup&>(*doc.Group).LoopCount,
              loop < 0 ? NoLoopExtension : loop);
    const TGifData saved = [&] {
      const TBytes out = OpenAndSave(dir, bytes);
      return ReadGif(out.data(), out.size());
    }();
    EXPECT_EQ(saved.LoopCount, loop < 0 ? std::nullopt : std::optional<int>(loop));
  }
}

// Frames that draw one pixel carry no table bigger than what they draw, so such files stay small.
TEST(GifFileFidelity, TinyFramesStaySmall) {
  TTempDir dir;
  TRawGifBuilder b(1, 1, 8);
  const TBytes bytes = b.Image(0, 0, 1, 1, {0})
                           .Comment("one")
                           .Comment("two")
                           .Image(0, 0, 1, 1, {5}, 8)
                           .Image(0, 0, 1, 1, {5}, 8)
                           .Finish();
  const TBytes saved = OpenAndSave(dir, bytes);
  EXPECT_EQ(Plays(saved), Plays(bytes));
  const TGifData back = ReadGif(saved.data(), saved.size());
  EXPECT_EQ(back.Frames[1].Comments, (std::vector<std::string>{"one", "two"}));
  for (const TGifFrameData& f : back.Frames) EXPECT_LE(f.LocalTable.size(), 2u);
  EXPECT_LT(saved.size(), 6 + 7 + 3 * 256 + 3 * 40u);  // the global table and little more
}

// Random animations whose frames cover parts of the screen, with every disposal, local tables
// and transparency: rewritten without holding the frames (the encoder then looks only where a
// frame changes the screen), they play as before and give the bytes a saved document gives.
TEST(GifFileFidelity, RandomPartialFramesRewriteAsTheDocumentSaves) {
  TTempDir dir;
  std::mt19937 rng(77);
  const auto between = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(rng); };
  for (int round = 0; round < 150; ++round) {
    TGifData gif = RandomAnimation(rng, 12, 7);
    gif.LoopCount = 0;
    for (size_t i = 1; i < gif.Frames.size(); ++i) {
      TGifFrameData& f = gif.Frames[i];
      const int left = between(0, f.Width - 1), top = between(0, f.Height - 1);
      const int w = between(1, f.Width - left), h = between(1, f.Height - top);
      std::vector<uint8_t> crop;
      for (int y = top; y < top + h; ++y)
        for (int x = left; x < left + w; ++x) crop.push_back(f.Indices[size_t(y * f.Width + x)]);
      f.Left = left, f.Top = top, f.Width = w, f.Height = h;
      f.Indices = std::move(crop);
    }
    const TBytes bytes = WriteGif(gif, TGifCompression::Lzw);
    const TBytes rewritten = RewriteGifAnimation(ReadGif(bytes.data(), bytes.size()), 0);
    const std::string what = "round " + std::to_string(round);
    ASSERT_EQ(Plays(rewritten), Plays(bytes)) << what;
    if (gif.Frames.size() > 1) {
      ASSERT_EQ(OpenAndSave(dir, bytes), rewritten) << what;
    }
  }
}
