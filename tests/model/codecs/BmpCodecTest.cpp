// Writing BMP files and reading them back.
#include <gtest/gtest.h>

#include "model/Errors.h"
#include "model/codecs/BmpCodec.h"
#include "model/codecs/CodecBytes.h"
#include "model/codecs/CodecTestUtil.h"

namespace {

TDecodedPicture RoundTrip(const TSurface& image, int bits, const std::vector<TColor>& palette) {
  const TBytes file = WriteBmp(image, bits, palette.data(), int(palette.size()));
  return ReadBmp(file.data(), file.size());
}

int Channel(TPixel p, int shift) {
  return int((p >> shift) & 0xFF);
}

}  // namespace

TEST(BmpCodec, PaletteDepthsRoundTripExactly) {
  struct TCase {
    int Bits;
    std::vector<TColor> Palette;
    int Width;
  };
  const TCase cases[] = {{1, {MakeColor(200, 10, 10), MakeColor(5, 5, 250)}, 33},
                         {4, SixteenColors(), 7},
                         {8, RampPalette(256), 9}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Bits);
    const TSurface image = PaletteImage(c.Width, 5, c.Palette);
    const TDecodedPicture read = RoundTrip(image, c.Bits, c.Palette);
    EXPECT_EQ(read.Kind, TPictureKind::Bitmap);
    EXPECT_EQ(read.BitCount, c.Bits);
    EXPECT_EQ(read.Palette, c.Palette);
    EXPECT_EQ(read.Image, image);
  }
}

TEST(BmpCodec, TrueColourDepthsRoundTripExactly) {
  const TSurface image = GradientImage(13, 6);
  for (int bits : {24, 32}) {
    const TDecodedPicture read = RoundTrip(image, bits, {});
    EXPECT_EQ(read.BitCount, bits);
    EXPECT_TRUE(read.Palette.empty());
    EXPECT_EQ(read.Image, image);
  }
  // Other programs take the fourth byte of 32-bit pixels for alpha: it must say opaque.
  const TBytes file = WriteBmp(image, 32, nullptr, 0);
  for (size_t i = 54 + 3; i < file.size(); i += 4) ASSERT_EQ(file[i], 0xFF);
}

TEST(BmpCodec, HighColourKeepsItsChannelPrecision) {
  const TSurface image = GradientImage(11, 7);
  for (int bits : {15, 16}) {
    SCOPED_TRACE(bits);
    const TDecodedPicture once = RoundTrip(image, bits, {});
    EXPECT_EQ(once.BitCount, 16);  // a 15-bit file opens as 16 bits
    for (int y = 0; y < 7; ++y)
      for (int x = 0; x < 11; ++x) {
        const TPixel a = image.Pixel(x, y), b = once.Image.Pixel(x, y);
        EXPECT_LE(std::abs(Channel(a, 0) - Channel(b, 0)), 4);
        EXPECT_LE(std::abs(Channel(a, 8) - Channel(b, 8)), bits == 16 ? 2 : 4);
        EXPECT_LE(std::abs(Channel(a, 16) - Channel(b, 16)), 4);
      }
    // Quantised colours survive further saves unchanged.
    EXPECT_EQ(RoundTrip(once.Image, bits, {}).Image, once.Image);
  }
  // Pure channels stay pure.
  TSurface pure(3, 1);
  pure.SetPixel(0, 0, ColorToPixel(clRed));
  pure.SetPixel(1, 0, ColorToPixel(clWhite));
  pure.SetPixel(2, 0, ColorToPixel(MakeColor(0, 0, 255)));
  EXPECT_EQ(RoundTrip(pure, 16, {}).Image, pure);
}

TEST(BmpCodec, WritesStandardHeaders) {
  const TSurface image = PaletteImage(5, 3, SixteenColors());
  const TBytes file = WriteBmp(image, 4, SixteenColors().data(), 16);
  const uint32_t offBits = 14 + 40 + 16 * 4;
  const uint32_t stride = 4;  // 5 pixels of 4 bits padded to a whole word
  ASSERT_EQ(file.size(), offBits + 3 * stride);
  EXPECT_EQ(GetLE32(file.data() + 2), file.size());
  EXPECT_EQ(GetLE32(file.data() + 10), offBits);
  EXPECT_EQ(GetLE32(file.data() + 14), 40u);
  EXPECT_EQ(GetLE32Signed(file.data() + 22), 3);  // positive height: bottom-up rows
  EXPECT_EQ(GetLE16(file.data() + 28), 4);
  EXPECT_EQ(GetLE32(file.data() + 30), 0u);
  EXPECT_EQ(GetLE32(file.data() + 34), 3 * stride);
  EXPECT_EQ(GetLE32(file.data() + 38), 2835u);
  EXPECT_EQ(GetLE32(file.data() + 42), 2835u);
  // The first stored row is the bottom one: pixel (0, 2) has palette index (0 + 10) % 16.
  EXPECT_EQ(file[offBits] >> 4, 10);

  const TBytes high = WriteBmp(image, 16, nullptr, 0);
  EXPECT_EQ(GetLE32(high.data() + 30), 3u);  // BI_BITFIELDS with 5-6-5 masks
  EXPECT_EQ(GetLE32(high.data() + 54), 0xF800u);
  EXPECT_EQ(GetLE32(high.data() + 58), 0x07E0u);
  EXPECT_EQ(GetLE32(high.data() + 62), 0x001Fu);
  EXPECT_EQ(GetLE32(high.data() + 10), 66u);
}

TEST(BmpCodec, BitCountsUseTheNextStoredFormat) {
  const TSurface image = PaletteImage(4, 2, SixteenColors());
  const std::pair<int, int> expected[] = {{2, 4},   {3, 4},   {5, 8},  {7, 8},  {9, 16},
                                          {12, 16}, {20, 24}, {0, 32}, {40, 32}};
  for (auto [bitCount, fileBits] : expected) {
    const TBytes file = WriteBmp(image, bitCount, SixteenColors().data(), 16);
    EXPECT_EQ(GetLE16(file.data() + 28), fileBits) << bitCount;
  }
  // A palette shorter than the table is padded with black entries.
  const TBytes file = WriteBmp(image, 2, SixteenColors().data(), 4);
  const TDecodedPicture read = ReadBmp(file.data(), file.size());
  ASSERT_EQ(read.Palette.size(), 16u);
  EXPECT_EQ(read.Palette[3], SixteenColors()[3]);
  EXPECT_EQ(read.Palette[4], clBlack);
  EXPECT_EQ(read.Palette[15], clBlack);
}

TEST(BmpCodec, ForeignColoursMapToTheNearestEntry) {
  TSurface image(4, 1);
  image.SetPixel(0, 0, ColorToPixel(MakeColor(64, 0, 0)));       // black and maroon tie: black
  image.SetPixel(1, 0, ColorToPixel(MakeColor(250, 10, 5)));     // red
  image.SetPixel(2, 0, ColorToPixel(MakeColor(180, 190, 200)));  // silver
  image.SetPixel(3, 0, ColorToPixel(MakeColor(0, 0, 128)));      // exact navy
  const TDecodedPicture read = RoundTrip(image, 4, SixteenColors());
  EXPECT_EQ(PixelToColor(read.Image.Pixel(0, 0)), clBlack);
  EXPECT_EQ(PixelToColor(read.Image.Pixel(1, 0)), MakeColor(255, 0, 0));
  EXPECT_EQ(PixelToColor(read.Image.Pixel(2, 0)), MakeColor(192, 192, 192));
  EXPECT_EQ(PixelToColor(read.Image.Pixel(3, 0)), MakeColor(0, 0, 128));
  // With duplicate entries an exact colour maps to the first.
  const std::vector<TColor> twice = {clWhite, clBlack, clBlack};
  const TBytes file = WriteBmp(TSurface(1, 1, 0), 2, twice.data(), 3);
  EXPECT_EQ(file[file.size() - 4] >> 4, 1);
}

TEST(BmpCodec, RefusesWhatItCannotWrite) {
  EXPECT_THROW(WriteBmp(TSurface(), 24, nullptr, 0), EVelmoraError);
  EXPECT_THROW(WriteBmp(TSurface(2, 2), 8, nullptr, 0), EVelmoraError);
}
