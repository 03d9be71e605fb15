// Icon files: the layout written, round trips, and the two reserved colours.
#include <gtest/gtest.h>

#include "../TempDir.h"
#include "model/Errors.h"
#include "model/FileIO.h"
#include "model/Groups.h"
#include "model/codecs/CodecBytes.h"
#include "model/codecs/CodecTestUtil.h"
#include "model/codecs/HandMadeFiles.h"
#include "model/codecs/IconCodec.h"
#include "model/codecs/PngCodec.h"

namespace {

TIconImage MakeIcon(int w, int h, int bits) {
  TIconImage icon;
  icon.BitCount = uint8_t(bits);
  if (bits <= 8)
    icon.Palette = bits == 1   ? std::vector<TColor>{clBlack, clWhite}
                   : bits <= 4 ? SixteenColors()
                               : RampPalette(256);
  icon.Image = bits <= 8 ? PaletteImage(w, h, icon.Palette) : GradientImage(w, h);
  return icon;
}

std::vector<TIconImage> Read(const TBytes& file) {
  return ReadIcon(file.data(), file.size());
}

TColor At(const TIconImage& icon, int x, int y) {
  return PixelToColor(icon.Image.Pixel(x, y));
}

}  // namespace

TEST(IconCodec, SubIconsRoundTripInOrder) {
  std::vector<TIconImage> icons = {MakeIcon(32, 32, 8), MakeIcon(16, 16, 4), MakeIcon(48, 48, 24),
                                   MakeIcon(7, 5, 1)};
  TIconImage high = MakeIcon(9, 3, 16);
  // 5-5-5 precision: channel values that are multiples of 255/31 survive exactly.
  for (int x = 0; x < 9; ++x)
    high.Image.SetPixel(x, 1, ColorToPixel(MakeColor(x * 33 % 256, 66, 255)));
  high.Image = TSurface(9, 3, ColorToPixel(MakeColor(132, 255, 0)));
  icons.push_back(high);
  const std::vector<TIconImage> read = Read(WriteIcon(icons));
  ASSERT_EQ(read.size(), icons.size());
  for (size_t i = 0; i < icons.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(read[i].BitCount, icons[i].BitCount);
    EXPECT_EQ(read[i].Palette, icons[i].Palette);
    EXPECT_EQ(read[i].Image, icons[i].Image);
  }
}

TEST(IconCodec, WritesTheStandardLayout) {
  const TBytes file = WriteIcon(
      {MakeIcon(16, 16, 4), MakeIcon(32, 32, 8), MakeIcon(24, 24, 24), MakeIcon(256, 256, 1)});
  EXPECT_EQ(GetLE16(file.data()), 0);
  EXPECT_EQ(GetLE16(file.data() + 2), 1);
  EXPECT_EQ(GetLE16(file.data() + 4), 4);
  const uint8_t* e0 = file.data() + 6;
  EXPECT_EQ(e0[0], 16);
  EXPECT_EQ(e0[2], 16);  // colour count of a 4-bit sub-icon
  EXPECT_EQ(GetLE16(e0 + 4), 1);
  EXPECT_EQ(GetLE16(e0 + 6), 4);
  EXPECT_EQ(GetLE32(e0 + 8), 40u + 64 + 128 + 64);
  EXPECT_EQ(GetLE32(e0 + 12), 6u + 4 * 16);
  const uint8_t* e1 = file.data() + 22;
  EXPECT_EQ(e1[2], 0);  // 8-bit sub-icons give no colour count
  EXPECT_EQ(GetLE32(e1 + 12), GetLE32(e0 + 12) + GetLE32(e0 + 8));
  const uint8_t* e2 = file.data() + 38;
  const uint8_t* block = file.data() + GetLE32(e2 + 12);
  EXPECT_EQ(GetLE32(block), 40u);
  EXPECT_EQ(GetLE32(block + 8), 48u);  // XOR and AND rows together
  EXPECT_EQ(GetLE16(block + 14), 24);
  // No colour table: the bottom row's first pixel follows the header directly.
  const TColor bottomLeft = PixelToColor(GradientImage(24, 24).Pixel(0, 23));
  EXPECT_EQ(block[40], BlueOf(bottomLeft));
  EXPECT_EQ(block[42], RedOf(bottomLeft));
  EXPECT_EQ(GetLE32(e2 + 8), 40u + 24 * 72 + 24 * 4);
  const uint8_t* e3 = file.data() + 54;
  EXPECT_EQ(e3[0], 0);  // 256 wraps to 0
  EXPECT_EQ(e3[1], 0);
  EXPECT_EQ(e3[2], 2);
}

TEST(IconCodec, OtherBitCountsUseReadableLayouts) {
  const std::pair<int, int> expected[] = {{2, 4}, {3, 4}, {6, 8}, {12, 16}, {15, 16}, {20, 24}};
  for (auto [bitCount, stored] : expected) {
    TIconImage icon = MakeIcon(8, 8, bitCount <= 8 ? 4 : 24);
    icon.BitCount = uint8_t(bitCount);
    const TBytes file = WriteIcon({icon});
    EXPECT_EQ(GetLE16(file.data() + 12), stored) << bitCount;
    EXPECT_EQ(GetLE16(file.data() + 22 + 14), stored) << bitCount;
    EXPECT_EQ(Read(file)[0].BitCount, stored) << bitCount;
  }
}

TEST(IconCodec, TransparentAndInvertingPixelsRoundTrip) {
  for (int bits : {1, 4, 8, 16, 24}) {
    SCOPED_TRACE(bits);
    TIconImage icon = MakeIcon(5, 4, bits);
    if (bits == 8) {  // a palette without black keeps a spare (black) table entry for them
      icon.Palette = RampPalette(255);
      icon.Image = PaletteImage(5, 4, icon.Palette);
    }
    icon.Image.SetPixel(0, 0, IconTransparentColor);
    icon.Image.SetPixel(4, 3, IconInvertColor);
    const TBytes file = WriteIcon({icon});
    const TIconImage read = Read(file)[0];
    EXPECT_EQ(read.Image.Pixel(0, 0), IconTransparentColor);
    EXPECT_EQ(read.Image.Pixel(4, 3), IconInvertColor);
    if (bits != 16) {  // high colour quantises the neighbours
      EXPECT_EQ(read.Image.Pixel(1, 0), icon.Image.Pixel(1, 0));
    }
    if (bits == 24) {
      // Transparent: AND 1 over black; inverting: AND 1 over white.
      const uint8_t* xorRows = file.data() + 22 + 40;
      const size_t stride = 16, andStart = 22 + 40 + 4 * stride;
      EXPECT_EQ(xorRows[3 * stride + 0], 0);      // top row is stored last
      EXPECT_EQ(xorRows[0 * stride + 12], 0xFF);  // bottom row, pixel 4
      EXPECT_EQ(file[andStart + 3 * 4], 0x80);    // top row: pixel 0
      EXPECT_EQ(file[andStart + 0], 0x08);        // bottom row: pixel 4
    }
  }
}

// Transparent pixels are stored over a black entry, inverting ones over another colour. A palette
// without black lends an entry no pixel uses; with every entry in use the sub-icon is stored one
// depth up. Either way every pixel comes back.
TEST(IconCodec, PalettesWithoutBlackKeepTransparencyExact) {
  const TColor red = MakeColor(255, 0, 0), blue = MakeColor(0, 0, 255);
  TIconImage full;  // 1 bit, both entries used, neither black
  full.BitCount = 1;
  full.Palette = {red, blue};
  full.Image = SurfaceFromColors(4, 2, {red, blue, IconTransparentColor, IconInvertColor,
                                        blue, red, IconTransparentColor, red});
  TIconImage spare;  // 4 bits, fifteen colours used, none black
  spare.BitCount = 4;
  for (int i = 1; i <= 16; ++i) spare.Palette.push_back(MakeColor(i * 15, 255 - i * 15, 100));
  std::vector<TColor> pixels(spare.Palette.begin(), spare.Palette.end() - 1);
  pixels.push_back(IconTransparentColor);
  spare.Image = SurfaceFromColors(4, 4, pixels);
  const std::vector<TIconImage> read = Read(WriteIcon({full, spare}));
  EXPECT_EQ(read[0].BitCount, 4);
  EXPECT_EQ(read[0].Image, full.Image);
  EXPECT_EQ(read[1].BitCount, 4);
  EXPECT_EQ(read[1].Image, spare.Image);
  EXPECT_EQ(read[1].Palette[15], clBlack);  // the unused entry was lent
}

TEST(IconCodec, AndBitOverOtherColoursInvertsTheScreen) {
  // 1x2 24-bit entry: bottom pixel red with AND 1, top pixel black with AND 1.
  const TBytes rest = {0, 0, 255, 0, 0, 0, 0, 0, 0x80, 0, 0, 0, 0x80, 0, 0, 0};
  const TIconImage icon = Read(MakeIcon(1, 2, 24, rest))[0];
  EXPECT_EQ(icon.Image.Pixel(0, 1), IconInvertColor);
  EXPECT_EQ(icon.Image.Pixel(0, 0), IconTransparentColor);
}

TEST(IconCodec, AlphaAndPngEntriesOpenWithTheirAlpha) {
  // 2x1 32-bit entry with alpha: opaque red, then a translucent green pixel.
  TBytes rest = {0, 0, 255, 255, 0, 255, 0, 100, 0, 0, 0, 0, 0, 0, 0, 0};
  TIconImage icon = Read(MakeIcon(2, 1, 32, rest))[0];
  EXPECT_EQ(icon.BitCount, 32);
  EXPECT_EQ(icon.Image.Pixel(0, 0), ColorToPixel(clRed));
  EXPECT_EQ(icon.Image.Pixel(1, 0), WithAlpha(ColorToPixel(MakeColor(0, 255, 0)), 100));
  // Without any alpha the AND mask decides.
  rest = {0, 0, 255, 0, 0, 255, 0, 0, 0x40, 0, 0, 0};
  icon = Read(MakeIcon(2, 1, 32, rest))[0];
  EXPECT_EQ(At(icon, 0, 0), clRed);
  EXPECT_EQ(icon.Image.Pixel(1, 0), IconInvertColor);

  const uint8_t rgba[] = {1, 2, 3, 255, 9, 9, 9, 127, 200, 100, 50, 128};
  const TBytes png = WritePng(3, 1, rgba);
  TBytes file = {0, 0, 1, 0, 1, 0, 3, 1, 0, 0, 1, 0, 32, 0};
  PushLE(file, uint32_t(png.size()), 4);
  PushLE(file, 22, 4);
  file.insert(file.end(), png.begin(), png.end());
  icon = Read(file)[0];
  EXPECT_EQ(icon.BitCount, 32);
  EXPECT_EQ(At(icon, 0, 0), MakeColor(1, 2, 3));
  EXPECT_EQ(icon.Image.Pixel(1, 0), WithAlpha(0x090909, 127));
  EXPECT_EQ(At(icon, 2, 0), MakeColor(200, 100, 50));
}

TEST(IconCodec, ShortPalettesArePaddedWithBlack) {
  // A 4-bit entry that declares two colours used: only they are stored.
  TBytes block = MakeIcon(1, 1, 4, {});
  block[22 + 32] = 2;
  const TBytes tail = {0, 0, 255, 0, 255, 255, 255, 0, 0x10, 0, 0, 0, 0, 0, 0, 0};
  block.insert(block.end(), tail.begin(), tail.end());
  PutLE32(block.data() + 14, uint32_t(block.size() - 22));
  const TIconImage icon = Read(block)[0];
  ASSERT_EQ(icon.Palette.size(), 16u);
  EXPECT_EQ(icon.Palette[0], clRed);
  EXPECT_EQ(icon.Palette[2], clBlack);
  EXPECT_EQ(At(icon, 0, 0), clWhite);
}

TEST(IconCodec, MalformedDirectoriesAndEntries) {
  const TBytes good = WriteIcon({MakeIcon(4, 4, 4)});
  auto fails = [](TBytes file) {
    try {
      ReadIcon(file.data(), file.size());
    } catch (const EVelmoraError& e) {
      return std::string(e.what());
    }
    return std::string();
  };
  TBytes f = good;
  f[0] = 1;
  EXPECT_EQ(fails(f), "Not an icon file.");
  for (uint8_t type : {2, 3}) {  // cursors and other resource types read like icons
    f = good;
    f[2] = type;
    EXPECT_EQ(fails(f), "");
  }
  f = good;
  f[4] = 0;
  EXPECT_EQ(fails(f), "The icon file holds no images.");
  f = good;
  f[4] = 200;  // directory beyond the end
  EXPECT_EQ(fails(f), "The icon file is truncated.");
  f = good;
  PutLE32(f.data() + 18, 0xFFFFFFF0u);  // offset beyond the end
  EXPECT_EQ(fails(f), "The icon file is truncated.");
  f = good;
  PutLE32(f.data() + 14, 0xFFFFFFFFu);  // a size beyond the end: the entry is read as far as it goes
  EXPECT_EQ(fails(f), "");
  f = good;
  PutLE32(f.data() + 22, 12);  // an old core header
  EXPECT_FALSE(fails(f).empty());
  f = good;
  PutLE32(f.data() + 22 + 4, 65535);
  EXPECT_FALSE(fails(f).empty());
  f = good;
  PutLE32(f.data() + 22 + 8, 0x7FFFFFFE);  // rows far beyond the entry
  EXPECT_FALSE(fails(f).empty());
  f = good;
  PutLE32(f.data() + 22 + 8, uint32_t(-1));  // one row top first: half of it is no picture
  EXPECT_EQ(fails(f), "The icon file has an invalid image size.");
  f = good;
  PutLE16(f.data() + 22 + 14, 7);
  EXPECT_EQ(fails(f), "Unsupported icon format.");
  f = good;
  PutLE32(f.data() + 22 + 16, 1);
  EXPECT_EQ(fails(f), "Unsupported icon compression.");
  EXPECT_THROW(WriteIcon({}), EVelmoraError);
  EXPECT_THROW(WriteIcon({TIconImage{}}), EVelmoraError);
}

// A 32-bit entry stored top row first (negative height) that counts its picture rows alone and has
// no AND rows, as some writers make them.
TEST(IconCodec, TopDownEntriesWithoutAndRows) {
  TBytes rest;
  for (uint8_t v : {10, 20, 30, 40}) rest.insert(rest.end(), {v, 0, 0, 255});  // 1 x 4, top first
  TBytes file = MakeIcon(1, 4, 32, rest);
  PutLE32(file.data() + 22 + 8, uint32_t(-4));
  const TIconImage icon = Read(file)[0];
  ASSERT_EQ(icon.Image.Height(), 4);
  EXPECT_EQ(At(icon, 0, 0), MakeColor(0, 0, 10));
  EXPECT_EQ(At(icon, 0, 3), MakeColor(0, 0, 40));
  // Doubled like a bottom-up entry, the height counts the AND rows too.
  rest.insert(rest.end(), 16, 0);
  file = MakeIcon(1, 4, 32, rest);
  PutLE32(file.data() + 22 + 8, uint32_t(-8));
  EXPECT_EQ(Read(file)[0].Image.Height(), 4);
}

TEST(IconCodec, RefusesPictureTotalsBeyondTheBudget) {
  // Thousands of directory entries all pointing at one large 1-bit entry.
  const TBytes one = WriteIcon({MakeIcon(1024, 512, 1)});
  const size_t count = 3000;
  TBytes file = {0, 0, 1, 0};
  PushLE(file, uint32_t(count), 2);
  const uint32_t offset = uint32_t(6 + 16 * count);
  for (size_t i = 0; i < count; ++i) {
    file.insert(file.end(), one.begin() + 6, one.begin() + 14);
    PushLE(file, uint32_t(one.size() - 22), 4);
    PushLE(file, offset, 4);
  }
  file.insert(file.end(), one.begin() + 22, one.end());
  EXPECT_THROW(ReadIcon(file.data(), file.size()), EVelmoraError);
}

TEST(IconCodec, AnUnderstatedEntrySizeStillReadsThePicture) {
  // Some writers put a byte count in the directory that is smaller than the entry they wrote;
  // the picture is read from its offset on, as far as it needs.
  const TIconImage icon = MakeIcon(4, 4, 1);
  TBytes file = WriteIcon({icon});
  PutLE32(file.data() + 6 + 8, 8);
  const std::vector<TIconImage> read = Read(file);
  ASSERT_EQ(read.size(), 1u);
  EXPECT_EQ(read[0].Image, icon.Image);
  file.resize(file.size() - 1);  // but the picture itself must be there
  EXPECT_THROW(Read(file), EVelmoraError);
}

namespace {

// Whether sub-icon `i` of an icon file is stored PNG-compressed.
bool EntryIsPng(const TBytes& file, int i) {
  const size_t offset = GetLE32(file.data() + 6 + 16 * i + 12);
  return HasPngSignature(file.data() + offset, file.size() - offset);
}

}  // namespace

TEST(IconCodec, PngCompressedSubIconsStayPngCompressed) {
  // A 48-pixel sub-icon stored PNG-compressed beside bitmap ones: it is saved PNG-compressed
  // again, through an edit and its undo, while it has 32 bits.
  std::vector<TIconImage> icons = {MakeIcon(48, 48, 32), MakeIcon(16, 16, 32), MakeIcon(32, 32, 8)};
  icons[0].Png = true;
  const TBytes file = WriteIcon(icons);
  ASSERT_TRUE(EntryIsPng(file, 0));
  const std::vector<TIconImage> read = Read(file);
  EXPECT_TRUE(read[0].Png);
  EXPECT_FALSE(read[1].Png);
  EXPECT_FALSE(read[2].Png);

  const TTempDir dir;
  WriteFileAtomic(dir.File("a.ico"), file);
  TIconGroup group;
  group.LoadFromFile(dir.File("a.ico"));
  TWorkFrame* frame = group.GetFrame(0);
  ASSERT_TRUE(frame->SaveUndo());
  frame->EditImage().SetPixel(3, 3, ColorToPixel(clRed));
  frame->Undo();
  group.SaveToFile(dir.File("b.ico"));
  TBytes saved = ReadFileBytes(dir.File("b.ico"));
  EXPECT_TRUE(EntryIsPng(saved, 0));
  EXPECT_FALSE(EntryIsPng(saved, 1));
  EXPECT_EQ(Read(saved)[0].Image, read[0].Image);

  // At a palette depth it is a bitmap like any other.
  frame->SetBitCount(8);
  group.SaveToFile(dir.File("c.ico"));
  EXPECT_FALSE(EntryIsPng(ReadFileBytes(dir.File("c.ico")), 0));
}
