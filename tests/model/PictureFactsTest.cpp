#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "TempDir.h"
#include "codecs/CodecTestUtil.h"
#include "model/Document.h"
#include "model/Errors.h"
#include "model/FileIO.h"
#include "model/PictureFacts.h"
#include "model/WorkImages.h"
#include "model/codecs/BmpCodec.h"
#include "model/codecs/JpegCodec.h"

namespace {

// Busy colours everywhere, so that a corner decoded in any other way than the whole picture
// (other upsampling, another row) shows.
TSurface Busy(int w, int h) {
  std::mt19937 rng(17);
  TSurface s(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) s.SetPixel(x, y, rng() & 0xFFFFFF);
  return s;
}

void ExpectSameFacts(const TPictureFacts& a, const TPictureFacts& b) {
  EXPECT_EQ(a.Width, b.Width);
  EXPECT_EQ(a.Height, b.Height);
  EXPECT_EQ(a.BitCount, b.BitCount);
  EXPECT_EQ(a.PaletteCount, b.PaletteCount);
  EXPECT_EQ(a.Transparent, b.Transparent);
  EXPECT_EQ(a.TransparentColor, b.TransparentColor) << std::hex << a.TransparentColor;
  EXPECT_EQ(a.UsesAlpha, b.UsesAlpha);
}

// The facts of the file as opening it gives them.
TPictureFacts Opened(const std::string& path) {
  const TDocument doc = OpenDocument(path);
  return FactsOf(*doc.Image);
}

}  // namespace

TEST(PictureFacts, BitmapHeadersTellWhatOpeningShows) {
  TTempDir dir;
  const std::vector<TColor> palette = RampPalette(256);
  for (int bits : {1, 4, 8, 15, 16, 24, 32}) {
    SCOPED_TRACE(bits);
    const std::string path = dir.File("b" + std::to_string(bits) + ".bmp");
    WriteFileAtomic(path, WriteBmp(Busy(37, 11), bits, palette.data(), 1 << std::min(bits, 8)));
    const std::optional<TPictureFacts> probed = ProbePictureFile(path);
    // Whether a 32-bit picture uses alpha takes all its pixels: it is opened instead.
    if (bits == 32) {
      EXPECT_FALSE(probed);
      continue;
    }
    ASSERT_TRUE(probed);
    ExpectSameFacts(*probed, Opened(path));
  }
  // Rows stored top-down put the corner at the end of the file.
  TBytes topDown = WriteBmp(Busy(5, 3), 24, nullptr, 0);
  const int32_t height = -3;
  std::memcpy(&topDown[22], &height, 4);
  WriteFileAtomic(dir.File("top.bmp"), topDown);
  ASSERT_TRUE(ProbePictureFile(dir.File("top.bmp")));
  ExpectSameFacts(*ProbePictureFile(dir.File("top.bmp")), Opened(dir.File("top.bmp")));
}

TEST(PictureFacts, JpegHeadersTellWhatOpeningShows) {
  TTempDir dir;
  for (int quality : {40, 95}) {
    const std::string path = dir.File("p.jpg");
    WriteFileAtomic(path, WriteJpeg(Busy(61, 45), quality));
    ASSERT_TRUE(ProbePictureFile(path));
    ExpectSameFacts(*ProbePictureFile(path), Opened(path));
  }
  // Cut off inside the data: the rows past the end read as opening shows them.
  TBytes bytes = WriteJpeg(Busy(64, 64), 90);
  bytes.resize(bytes.size() * 2 / 3);
  WriteFileAtomic(dir.File("cut.jpg"), bytes);
  ExpectSameFacts(*ProbePictureFile(dir.File("cut.jpg")), Opened(dir.File("cut.jpg")));
}

TEST(PictureFacts, FilesOpeningRefusesAreRefusedAndOthersAreLeftToOpening) {
  TTempDir dir;
  TBytes bmp = WriteBmp(Busy(40, 40), 24, nullptr, 0);
  bmp.resize(bmp.size() - 100);  // the top rows are missing
  WriteFileAtomic(dir.File("short.bmp"), bmp);
  EXPECT_THROW(ProbePictureFile(dir.File("short.bmp")), EVelmoraError);
  EXPECT_THROW(OpenDocument(dir.File("short.bmp")), EVelmoraError);

  TBytes jpeg = WriteJpeg(Busy(16, 16), 90);
  jpeg.resize(40);  // inside the headers
  WriteFileAtomic(dir.File("short.jpg"), jpeg);
  EXPECT_THROW(ProbePictureFile(dir.File("short.jpg")), EVelmoraError);

  // A JPEG named .bmp, and a GIF, are for opening to sort out.
  WriteFileAtomic(dir.File("named.bmp"), WriteJpeg(Busy(8, 8), 90));
  EXPECT_FALSE(ProbePictureFile(dir.File("named.bmp")));
  TWorkGifImage gif;
  gif.InitImage(4, 3, nullptr, 4);
  gif.SaveToFile(dir.File("g.gif"));
  EXPECT_FALSE(ProbePictureFile(dir.File("g.gif")));
}
