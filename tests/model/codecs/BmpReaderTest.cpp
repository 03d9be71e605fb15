// Reading BMP variants that the program never writes, from hand-made files.
#include <gtest/gtest.h>

#include "model/Errors.h"
#include "model/codecs/BmpCodec.h"
#include "model/codecs/CodecTestUtil.h"
#include "model/codecs/HandMadeFiles.h"
#include "model/codecs/PngCodec.h"

namespace {

TDecodedPicture Read(const TBmpLayout& layout) {
  const TBytes file = MakeBmp(layout);
  return ReadBmp(file.data(), file.size());
}

std::string ReadError(const TBytes& file) {
  try {
    ReadBmp(file.data(), file.size());
  } catch (const EVelmoraError& e) {
    return e.what();
  }
  return "";
}

TColor At(const TDecodedPicture& p, int x, int y) {
  return PixelToColor(p.Image.Pixel(x, y));
}

const std::vector<TColor> Four = {MakeColor(1, 2, 3), clRed, MakeColor(0, 255, 0), clWhite};

TBmpLayout Rle(int bits, TBytes stream) {
  TBmpLayout s;
  s.Width = 6;
  s.Height = 4;
  s.Bits = uint16_t(bits);
  s.Compression = bits == 8 ? 1 : 2;
  s.Palette = Four;
  s.Pixels = std::move(stream);
  return s;
}

}  // namespace

TEST(BmpReader, Rle8RunsEscapesAndEarlyEnd) {
  // Stored rows count from the bottom. Stored row 0: a run of 3 x index 1, end of line. Row 1:
  // absolute data of 3 indices (padded to an even length), end of line. Row 2 starts with a
  // delta of (2, 1) that skips it and lands on row 3 column 2, where a run of 9 overflows the
  // width; the stream then stops without an end mark.
  const TDecodedPicture p = Read(Rle(8, {3, 1, 0, 0, 0, 3, 2, 3, 1, 0, 0, 0, 0, 2, 2, 1, 9, 3}));
  EXPECT_EQ(p.BitCount, 8);
  EXPECT_EQ(At(p, 0, 3), clRed);
  EXPECT_EQ(At(p, 2, 3), clRed);
  EXPECT_EQ(At(p, 3, 3), Four[0]);  // skipped pixels keep entry 0
  EXPECT_EQ(At(p, 0, 2), MakeColor(0, 255, 0));
  EXPECT_EQ(At(p, 1, 2), clWhite);
  EXPECT_EQ(At(p, 2, 2), clRed);
  EXPECT_EQ(At(p, 2, 1), Four[0]);  // skipped by the delta
  EXPECT_EQ(At(p, 1, 0), Four[0]);
  EXPECT_EQ(At(p, 2, 0), clWhite);
  EXPECT_EQ(At(p, 5, 0), clWhite);
}

TEST(BmpReader, Rle4NibblesAndEndOfBitmap) {
  // Row 0: run of 5 alternating indices 1 and 2; row 1: absolute 3 nibbles 3,0,1 (2 bytes);
  // end of bitmap leaves rows 2 and 3 at entry 0 even though more data follows.
  const TDecodedPicture p = Read(Rle(4, {5, 0x12, 0, 0, 0, 3, 0x30, 0x10, 0, 0, 0, 1, 6, 0x33}));
  EXPECT_EQ(p.BitCount, 4);
  const TColor row0[] = {clRed, MakeColor(0, 255, 0), clRed, MakeColor(0, 255, 0), clRed, Four[0]};
  for (int x = 0; x < 6; ++x) EXPECT_EQ(At(p, x, 3), row0[x]) << x;
  EXPECT_EQ(At(p, 0, 2), clWhite);
  EXPECT_EQ(At(p, 1, 2), Four[0]);
  EXPECT_EQ(At(p, 2, 2), clRed);
  EXPECT_EQ(At(p, 0, 1), Four[0]);
  // A stream cut inside absolute data keeps the pixels it has.
  const TDecodedPicture cut = Read(Rle(4, {0, 5, 0x31}));
  EXPECT_EQ(At(cut, 0, 3), clWhite);
  EXPECT_EQ(At(cut, 1, 3), clRed);
  EXPECT_EQ(At(cut, 2, 3), Four[0]);
}

TEST(BmpReader, TopDownAndCoreHeader) {
  TBmpLayout s;
  s.Width = 2;
  s.Height = -2;  // top-down
  s.Pixels = {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 255, 255, 255, 0, 0};
  TDecodedPicture p = Read(s);
  EXPECT_EQ(p.BitCount, 24);
  EXPECT_EQ(At(p, 0, 0), clRed);
  EXPECT_EQ(At(p, 1, 0), MakeColor(0, 255, 0));
  EXPECT_EQ(At(p, 0, 1), MakeColor(0, 0, 255));
  EXPECT_EQ(At(p, 1, 1), clWhite);

  TBmpLayout core;
  core.HeaderSize = 12;
  core.Width = 3;
  core.Height = 2;
  core.Bits = 8;
  core.Palette = {clRed, MakeColor(0, 255, 0), MakeColor(0, 0, 255)};
  core.Pixels = {0, 1, 2, 0, 2, 1, 0, 0};
  p = Read(core);
  EXPECT_EQ(p.BitCount, 8);
  EXPECT_EQ(p.Palette, core.Palette);
  EXPECT_EQ(At(p, 0, 1), clRed);
  EXPECT_EQ(At(p, 1, 0), MakeColor(0, 255, 0));
}

TEST(BmpReader, HighColourChannelLayouts) {
  // A plain 16-bit file holds 5-5-5 pixels and opens as 16 bits.
  TBmpLayout s;
  s.Width = 4;
  s.Height = 1;
  s.Bits = 16;
  s.Pixels = {0x00, 0x7C, 0xE0, 0x03, 0x1F, 0x00, 0x10, 0x42};
  TDecodedPicture p = Read(s);
  EXPECT_EQ(p.BitCount, 16);
  EXPECT_EQ(At(p, 0, 0), clRed);
  EXPECT_EQ(At(p, 1, 0), MakeColor(0, 255, 0));
  EXPECT_EQ(At(p, 2, 0), MakeColor(0, 0, 255));
  EXPECT_EQ(At(p, 3, 0), MakeColor(132, 132, 132));
  // Masks after a 40-byte header: 4-4-4.
  s.Compression = 3;
  s.Masks = {0xF00, 0x0F0, 0x00F};
  s.Pixels = {0x00, 0x0F, 0x80, 0x00, 0x01, 0x00, 0x00, 0x00};
  p = Read(s);
  EXPECT_EQ(At(p, 0, 0), clRed);
  EXPECT_EQ(At(p, 1, 0), MakeColor(0, 136, 0));
  EXPECT_EQ(At(p, 2, 0), MakeColor(0, 0, 17));
  // A version 5 header with 10-10-10 masks inside it; the alpha mask is ignored.
  TBmpLayout v5;
  v5.HeaderSize = 124;
  v5.Width = 1;
  v5.Height = 1;
  v5.Bits = 32;
  v5.Compression = 3;
  v5.Masks = {0x3FF00000, 0x000FFC00, 0x000003FF, 0xC0000000};
  v5.Pixels = {0xFF, 0x03, 0xF0, 0x3F};  // red and blue fields full, green empty
  p = Read(v5);
  EXPECT_EQ(p.BitCount, 32);
  EXPECT_EQ(At(p, 0, 0), MakeColor(255, 0, 255));
}

TEST(BmpReader, PaletteSizeAndUnusualDepths) {
  // Two colours declared for an 8-bit image: index 3 lies beyond the palette and reads black.
  TBmpLayout s;
  s.Width = 3;
  s.Height = 1;
  s.Bits = 8;
  s.ColorsUsed = 2;
  s.Palette = {clRed, clWhite};
  s.Pixels = {1, 0, 3, 0};
  TDecodedPicture p = Read(s);
  EXPECT_EQ(p.Palette.size(), 2u);
  EXPECT_EQ(At(p, 0, 0), clWhite);
  EXPECT_EQ(At(p, 2, 0), clBlack);
  // 2-bit bitmaps are decoded and open as true colour.
  TBmpLayout two;
  two.Width = 5;
  two.Height = 1;
  two.Bits = 2;
  two.Palette = Four;
  two.Pixels = {0x1B, 0x40, 0, 0};
  p = Read(two);
  EXPECT_EQ(p.BitCount, 24);
  EXPECT_EQ(At(p, 1, 0), clRed);
  EXPECT_EQ(At(p, 3, 0), clWhite);
  EXPECT_EQ(At(p, 4, 0), clRed);
  // A PNG inside a BMP opens as 24 bits.
  const uint8_t rgba[] = {10, 20, 30, 255, 40, 50, 60, 0};
  TBmpLayout png;
  png.Width = 2;
  png.Height = 1;
  png.Bits = 0;
  png.Compression = 5;
  png.Pixels = WritePng(2, 1, rgba);
  p = Read(png);
  EXPECT_EQ(p.BitCount, 24);
  EXPECT_EQ(At(p, 1, 0), MakeColor(40, 50, 60));
}

TEST(BmpReader, ClearMessagesForWhatItCannotRead) {
  TBmpLayout good;
  good.Pixels = {1, 2, 3, 0};
  TBytes file = MakeBmp(good);
  file[0] = 'X';
  EXPECT_EQ(ReadError(file), "Not a BMP file.");
  TBmpLayout deep = good;
  deep.Bits = 64;
  EXPECT_EQ(ReadError(MakeBmp(deep)), "Unsupported BMP format.");
  TBmpLayout wrongRle = good;
  wrongRle.Bits = 4;
  wrongRle.Compression = 1;
  EXPECT_EQ(ReadError(MakeBmp(wrongRle)), "Unsupported BMP compression.");
  TBmpLayout missing = good;
  missing.Width = 2;
  EXPECT_EQ(ReadError(MakeBmp(missing)), "The BMP file is truncated.");
  TBmpLayout zero = good;
  zero.Height = 0;
  EXPECT_FALSE(ReadError(MakeBmp(zero)).empty());
}

TEST(BmpReader, AbsurdSizesAreRefusedBeforeAllocating) {
  const std::pair<int32_t, int32_t> sizes[] = {
      {65535, 65535}, {INT32_MAX, 1}, {1, INT32_MIN}, {-5, 5}, {1 << 20, 1 << 20}};
  for (auto [w, h] : sizes) {
    for (int compression : {0, 1}) {
      TBmpLayout s;
      s.Width = w;
      s.Height = h;
      s.Bits = 8;
      s.Compression = uint32_t(compression);
      s.Palette = Four;
      s.Pixels = {0, 1};
      EXPECT_THROW(Read(s), EVelmoraError) << w << " x " << h;
    }
  }
  // A tiny run-length stream cannot stand for a huge picture; a big enough one can.
  TBytes stream = {0, 1};
  TBmpLayout rle;
  rle.Width = 4096;
  rle.Height = -2048;
  rle.Bits = 8;
  rle.Compression = 1;
  rle.Palette = {clRed};
  rle.Pixels = stream;
  EXPECT_THROW(Read(rle), EVelmoraError);
  rle.Pixels.assign(8192, 0);
  EXPECT_EQ(Read(rle).Image.Pixel(4095, 2047), ColorToPixel(clRed));
  // A core header's 16-bit sizes go up to 65535 x 65535.
  TBmpLayout core;
  core.HeaderSize = 12;
  core.Width = 65535;
  core.Height = 65535;
  core.Pixels = {0};
  EXPECT_THROW(Read(core), EVelmoraError);
}
