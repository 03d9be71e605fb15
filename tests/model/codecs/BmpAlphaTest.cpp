// BMP documents with alpha: 32-bit bitmaps whose header names an alpha channel open with it, and
// 32-bit pictures with translucent pixels are saved with it, as other programs read it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>

#include "../TempDir.h"
#include "model/Document.h"
#include "model/FileIO.h"
#include "model/PictureFacts.h"
#include "model/WorkImages.h"
#include "model/codecs/BmpCodec.h"
#include "model/codecs/CodecBytes.h"
#include "model/codecs/CodecTestUtil.h"
#include "model/codecs/PngCodec.h"
#include "model/codecs/ExternalDecoders.h"

namespace {

// A soft-edged picture: opaque in the middle, fading out to fully transparent pixels that still
// carry colours.
TSurface SoftEdged(int w, int h) {
  TSurface s = GradientImage(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const int edge = std::min({x, y, w - 1 - x, h - 1 - y});
      s.SetPixel(x, y, WithAlpha(s.Pixel(x, y), std::min(255, edge * 70)));
    }
  return s;
}

std::unique_ptr<TWorkBitmap> MakeBitmap(const TSurface& image) {
  auto bmp = std::make_unique<TWorkBitmap>();
  bmp->InitImage(image.Width(), image.Height(), nullptr, 32);
  bmp->EditImage() = image;
  return bmp;
}

std::string CorpusFile(const std::string& name) {
  const char* dir = std::getenv("VELMORA_CORPUS");
  return std::string(dir ? dir : "/work/shared/corpus") + "/bmpsuite/q/" + name;
}

// The fourth byte of every pixel of a 32-bit bitmap written bottom-up without padding.
void SetAlphaBytes(TBytes& file, const std::function<uint8_t(size_t)>& alpha) {
  const size_t start = GetLE32(file.data() + 10);
  for (size_t i = start, n = 0; i + 3 < file.size(); i += 4, ++n) file[i + 3] = alpha(n);
}

}  // namespace

TEST(BmpAlpha, SoftEdgesRoundTripAndReadTheSameElsewhere) {
  const TTempDir dir;
  const TSurface image = SoftEdged(13, 7);
  const auto bmp = MakeBitmap(image);
  ASSERT_TRUE(bmp->UsesAlpha());
  const std::string file = dir.File("soft.bmp");
  bmp->SaveToFile(file);

  const TBytes bytes = ReadFileBytes(file);
  ASSERT_GE(bytes.size(), 14u + 124u);
  const uint8_t* h = bytes.data() + 14;
  EXPECT_EQ(GetLE32(h), 124u);             // BITMAPV5HEADER
  EXPECT_EQ(GetLE16(h + 14), 32u);
  EXPECT_EQ(GetLE32(h + 16), 3u);          // BI_BITFIELDS
  EXPECT_EQ(GetLE32(h + 40), 0x00FF0000u);
  EXPECT_EQ(GetLE32(h + 44), 0x0000FF00u);
  EXPECT_EQ(GetLE32(h + 48), 0x000000FFu);
  EXPECT_EQ(GetLE32(h + 52), 0xFF000000u);
  EXPECT_EQ(GetLE32(h + 56), 0x73524742u);  // sRGB
  EXPECT_EQ(GetLE32(bytes.data() + 10), 14u + 124u);
  EXPECT_EQ(GetLE32(bytes.data() + 2), bytes.size());

  const TDocument back = OpenDocument(file);
  ASSERT_EQ(back.ClassName(), "TWorkBitmap");
  EXPECT_EQ(back.Image->GetBitCount(), 32);
  EXPECT_EQ(back.Image->Image(), image);  // straight alpha: colours under clear pixels stay

  const std::string expected = external::ExpectedRgba(image, true);
  const auto magick = external::MagickRgba(file);
  const auto pillow = external::PillowRgba(file);
  ASSERT_TRUE(magick && pillow);
  EXPECT_EQ(external::FirstVisibleDifference(*magick, expected), -1);
  EXPECT_EQ(external::FirstVisibleDifference(*pillow, expected), -1);

  // Saving again without edits writes the same file.
  back.Image->SaveToFile(dir.File("again.bmp"));
  EXPECT_EQ(ReadFileBytes(dir.File("again.bmp")), bytes);
}

TEST(BmpAlpha, OpaqueImagesKeepThePlainFormat) {
  // Pictures without translucent pixels are written as they always were: a 40-byte header,
  // BI_RGB and a fourth byte of 255.
  TSurface image = GradientImage(5, 3);
  const TBytes file = WriteBmp(image, 32, nullptr, 0);
  ASSERT_EQ(file.size(), 14u + 40u + 5u * 3u * 4u);
  EXPECT_EQ(GetLE32(file.data() + 10), 54u);
  EXPECT_EQ(GetLE32(file.data() + 14), 40u);
  EXPECT_EQ(GetLE32(file.data() + 14 + 16), 0u);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) {
      const uint8_t* p = file.data() + 54 + ((2 - y) * 5 + x) * 4;
      const TPixel want = image.Pixel(x, y);
      EXPECT_EQ(p[0] | (p[1] << 8) | (p[2] << 16), int(want & 0xFFFFFF));
      EXPECT_EQ(p[3], 255);
    }
  const TDecodedPicture read = ReadBmp(file.data(), file.size());
  EXPECT_EQ(read.BitCount, 32);
  EXPECT_EQ(read.Image, image);
}

TEST(BmpAlpha, AlphaThatSaysNothingOpensOpaque) {
  const TSurface image = SoftEdged(6, 5);
  const TBytes withAlpha = WriteBmp(image, 32, nullptr, 0);
  TSurface opaque = image;
  for (int y = 0; y < opaque.Height(); ++y)
    for (int x = 0; x < opaque.Width(); ++x) opaque.SetPixel(x, y, opaque.Pixel(x, y) & 0xFFFFFF);

  {
    SCOPED_TRACE("alpha 0 everywhere: written by programs that ignore it");
    TBytes file = withAlpha;
    SetAlphaBytes(file, [](size_t) { return uint8_t(0); });
    EXPECT_EQ(ReadBmp(file.data(), file.size()).Image, opaque);
  }
  {
    SCOPED_TRACE("alpha 255 everywhere");
    TBytes file = withAlpha;
    SetAlphaBytes(file, [](size_t) { return uint8_t(255); });
    EXPECT_EQ(ReadBmp(file.data(), file.size()).Image, opaque);
  }
  {
    SCOPED_TRACE("only 0 and 255: a cut-out, kept");
    TBytes file = withAlpha;
    SetAlphaBytes(file, [](size_t n) { return uint8_t(n % 3 ? 255 : 0); });
    const TDecodedPicture read = ReadBmp(file.data(), file.size());
    EXPECT_EQ(AlphaOf(read.Image.Pixel(0, 4)), 0);    // the first stored pixel
    EXPECT_EQ(AlphaOf(read.Image.Pixel(1, 4)), 255);
  }
  {
    SCOPED_TRACE("a plain 32-bit bitmap: the fourth byte is padding");
    TBytes file = WriteBmp(opaque, 32, nullptr, 0);
    SetAlphaBytes(file, [](size_t n) { return uint8_t(n * 17); });
    EXPECT_EQ(ReadBmp(file.data(), file.size()).Image, opaque);
  }
}

TEST(BmpAlpha, FilesWithAnAlphaMaskOpenWithItAndRoundTrip) {
  // V5 and 56-byte headers, BI_ALPHABITFIELDS and unusual channel layouts.
  if (!std::filesystem::exists(CorpusFile("rgba32-1.bmp"))) GTEST_SKIP() << "no corpus";
  const TTempDir dir;
  const auto reference = external::MagickRgba(CorpusFile("rgba32-1.bmp"));
  for (const char* name : {"rgba32-1.bmp", "rgba32abf.bmp", "rgba32h56.bmp", "rgba32-81284.bmp",
                           "rgba32-61754.bmp", "rgba32-1010102.bmp"}) {
    SCOPED_TRACE(name);
    const TDocument doc = OpenDocument(CorpusFile(name));
    EXPECT_EQ(doc.Image->GetBitCount(), 32);
    EXPECT_TRUE(doc.Image->UsesAlpha());
    // Every file holds the picture of rgba32-1.bmp, some with fewer bits per channel. Where the
    // channels have 8 bits the colours must match exactly (ImageMagick cannot read
    // BI_ALPHABITFIELDS, and scales channels of other widths unlike browsers).
    const std::string n = name;
    const bool exact = n == "rgba32-1.bmp" || n == "rgba32abf.bmp" || n == "rgba32h56.bmp";
    const int colourTolerance = exact ? 0 : 4;
    const int alphaTolerance = exact ? 0 : n == "rgba32-1010102.bmp" ? 85 : 17;  // 2 or 4 bits
    ASSERT_TRUE(reference);
    const std::string ours = external::ExpectedRgba(doc.Image->Image(), true);
    ASSERT_EQ(ours.size(), reference->size());
    int worstColour = 0, worstAlpha = 0;
    for (size_t i = 0; i < ours.size(); ++i) {
      const int d = std::abs(int(uint8_t(ours[i])) - int(uint8_t((*reference)[i])));
      int& worst = i % 4 == 3 ? worstAlpha : worstColour;
      worst = std::max(worst, d);
    }
    EXPECT_LE(worstColour, colourTolerance);
    EXPECT_LE(worstAlpha, alphaTolerance);
    doc.Image->SaveToFile(dir.File("out.bmp"));
    const TDocument again = OpenDocument(dir.File("out.bmp"));
    EXPECT_EQ(again.Image->GetBitCount(), 32);
    EXPECT_EQ(again.Image->Image(), doc.Image->Image());
  }
}

TEST(BmpAlpha, SixteenBitFilesWithAnAlphaMaskOpenAs32Bits) {
  // 4 bits for each channel, 5 for each colour and 1 for alpha, and 1-9-2 colour bits with 4 for
  // alpha: each opens as a 32-bit picture showing what the suite's reference rendering shows.
  if (!std::filesystem::exists(CorpusFile("rgba16-4444.bmp"))) GTEST_SKIP() << "no corpus";
  const TTempDir dir;
  for (const std::string name : {"rgba16-4444", "rgba16-5551", "rgba16-1924"}) {
    SCOPED_TRACE(name);
    const TDocument doc = OpenDocument(CorpusFile(name + ".bmp"));
    EXPECT_EQ(doc.Image->GetBitCount(), 32);
    EXPECT_TRUE(doc.Image->UsesAlpha());
    // The depth takes every pixel, so describing the file cannot stop at its header.
    EXPECT_FALSE(ProbePictureFile(CorpusFile(name + ".bmp")));
    const TBytes png = ReadFileBytes(CorpusFile("../html/" + name + ".png"));
    const TRgbaImage reference = ReadPng(png.data(), png.size());
    const TSurface& image = doc.Image->Image();
    ASSERT_EQ(reference.Width, image.Width());
    ASSERT_EQ(reference.Height, image.Height());
    int differing = 0;
    for (int y = 0; y < image.Height(); ++y)
      for (int x = 0; x < image.Width(); ++x) {
        const uint8_t* r = &reference.Rgba[(size_t(y) * size_t(image.Width()) + size_t(x)) * 4];
        const TPixel p = image.Pixel(x, y);
        // Five-bit channels are widened by repeating their top bits, which the reference's
        // rounding of v * 255 / 31 may put one level higher.
        const TColor c = PixelToColor(p);
        const bool close = std::abs(RedOf(c) - r[0]) <= 1 && std::abs(GreenOf(c) - r[1]) <= 1 &&
                           std::abs(BlueOf(c) - r[2]) <= 1;
        differing += AlphaOf(p) == r[3] && (r[3] == 0 || close) ? 0 : 1;
      }
    EXPECT_EQ(differing, 0);
    doc.Image->SaveToFile(dir.File("out.bmp"));
    const TDocument again = OpenDocument(dir.File("out.bmp"));
    EXPECT_EQ(again.Image->GetBitCount(), 32);
    EXPECT_EQ(again.Image->Image(), image);
  }
  // The same file with every alpha bit cleared says nothing about transparency: it stays a 16-bit
  // picture, opaque, with its channel layout.
  TBytes file = ReadFileBytes(CorpusFile("rgba16-4444.bmp"));
  const size_t start = GetLE32(file.data() + 10);
  for (size_t i = start + 1; i < file.size(); i += 2) file[i] &= 0x0F;
  const TDecodedPicture read = ReadBmp(file.data(), file.size());
  EXPECT_EQ(read.BitCount, 16);
  EXPECT_FALSE(read.Image.Pixel(0, 0) >> 24);
}
