// Small crafted files that ask for a lot: reading them holds one memory budget for everything
// the document takes, and refuses with a message instead of taking gigabytes.

#include <gtest/gtest.h>

#include <functional>

#include "ErrorText.h"
#include "TempDir.h"
#include "codecs/HandMadeFiles.h"
#include "model/Document.h"
#include "model/Errors.h"
#include "model/Groups.h"
#include "model/ReadBudget.h"
#include "model/codecs/GifCodec.h"
#include "model/codecs/PngCodec.h"

namespace {

constexpr int64_t MiB = int64_t(1) << 20;

std::string OpenError(const std::string& path) {
  return ErrorText([&] { OpenDocument(path); });
}

void Store(const std::string& path, const TBytes& bytes) { WriteFileAtomic(path, bytes); }

// An icon whose `entries` directory entries all point at one PNG of side x side pixels.
TBytes SharedPngIcon(int entries, int side) {
  std::vector<uint8_t> rgba(size_t(side) * side * 4, 0);
  for (size_t i = 0; i < rgba.size(); i += 4) rgba[i] = rgba[i + 3] = 255;  // opaque red
  const TBytes png = WritePng(side, side, rgba.data());
  TBytes file = {0, 0, 1, 0};
  PushLE(file, uint32_t(entries), 2);
  for (int i = 0; i < entries; ++i) {
    PushLE(file, 0, 4);
    PushLE(file, 1 | (32 << 16), 4);  // planes, bits
    PushLE(file, uint32_t(png.size()), 4);
    PushLE(file, uint32_t(6 + 16 * entries), 4);
  }
  file.insert(file.end(), png.begin(), png.end());
  return file;
}

// An animation of one-pixel frames on a screen of the given size.
TBytes PixelFrames(int frames, int screenWidth, int screenHeight) {
  TGifData gif;
  gif.ScreenWidth = screenWidth;
  gif.ScreenHeight = screenHeight;
  gif.GlobalTable = {clBlack, clWhite};
  gif.GlobalBits = gif.BitsPerPixel = 1;
  TGifFrameData f;
  f.Width = f.Height = 1;
  f.Indices = {1};
  f.Control.Present = true;
  f.Control.DelayCs = 10;
  gif.Frames.assign(size_t(frames), f);
  return WriteGif(gif, TGifCompression::Lzw);
}

TEST(DocumentBudget, IconEntriesSharingOnePictureAreEachCountedAndDecodedOnce) {
  TTempDir dir;
  Store(dir.File("three.ico"), SharedPngIcon(3, 16));
  const TDocument three = OpenDocument(dir.File("three.ico"));
  ASSERT_EQ(three.Group->Count(), 3);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(three.Group->GetFrame(i)->Image().Pixel(5, 5), 0xFF0000u);

  // 255 entries of 1024 x 1024 pixels: 4 MiB a sub-icon, past the budget all together.
  Store(dir.File("many.ico"), SharedPngIcon(255, 1024));
  EXPECT_EQ(OpenError(dir.File("many.ico")),
            "The file needs at least 1.03 GiB of memory to open, more than the 1 GiB a document "
            "may take.");
  TReadBudget small(64 * MiB);  // within a smaller budget far fewer fit
  Store(dir.File("twenty.ico"), SharedPngIcon(20, 1024));
  EXPECT_NE(OpenError(dir.File("twenty.ico")).find("64 MiB"), std::string::npos);
  EXPECT_LT(small.Peak(), MiB);  // refused before any picture was decoded
}

TEST(DocumentBudget, AHugeRunLengthBitmapIsRefusedBeforeItsPixelsAreTaken) {
  TBmpLayout bmp;
  bmp.Width = bmp.Height = 16384;
  bmp.Bits = 8;
  bmp.Compression = 1;
  bmp.Palette.assign(256, clWhite);
  // One end-of-line code a row, and enough bytes for the size to look believable.
  for (int y = 0; y < 16384; ++y) bmp.Pixels.insert(bmp.Pixels.end(), {0, 0});
  bmp.Pixels.resize(270000, 0);
  TTempDir dir;
  Store(dir.File("rle.bmp"), MakeBmp(bmp));
  TReadBudget outer;
  EXPECT_EQ(OpenError(dir.File("rle.bmp")),
            "The file needs more than the 1 GiB of memory a document may take.");
  EXPECT_LT(outer.Peak(), MiB);  // the file itself, nothing more
}

TEST(DocumentBudget, AScreenFarLargerThanItsFileIsHeldOnce) {
  TTempDir dir;
  Store(dir.File("screen.gif"), PixelFrames(1, 4096, 4096));
  TReadBudget outer;
  const TDocument doc = OpenDocument(dir.File("screen.gif"));
  EXPECT_EQ(doc.Image->Width(), 4096);
  // One 64 MiB picture and its mask: the decoded picture moves into the document.
  EXPECT_LT(outer.Peak(), 64 * MiB + 4 * MiB);
}

TEST(DocumentBudget, AnimationsCountEveryFrameAndLoadManyFramesQuickly) {
  TTempDir dir;
  // 26,000 frames of a 100 x 100 screen would take 1.05 GiB once composed.
  Store(dir.File("many.gif"), PixelFrames(26000, 100, 100));
  EXPECT_NE(OpenError(dir.File("many.gif")).find("a document may take"), std::string::npos);
  // 20,000 frames of one pixel are fine (and used to take time quadratic in the frames).
  Store(dir.File("pixels.gif"), PixelFrames(20000, 1, 1));
  const TDocument doc = OpenDocument(dir.File("pixels.gif"));
  ASSERT_EQ(doc.Group->Count(), 20000);
  const auto* last = static_cast<const TWorkGifFrame*>(doc.Group->GetFrame(19999));
  EXPECT_EQ(last->Delay(), 100);
  EXPECT_EQ(last->Image().Pixel(0, 0), 0xFFFFFFu);
  EXPECT_FALSE(doc.IsModified());
}

}  // namespace
