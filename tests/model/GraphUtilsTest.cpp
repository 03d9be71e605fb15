#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "model/Errors.h"
#include "model/GraphUtils.h"
#include "model/Palette.h"

TEST(ColorWords, SwappingRedAndBlueKeepsTheOtherBytes) {
  EXPECT_EQ(ColorToPixel(MakeColor(1, 2, 3)), 0x010203u);
  EXPECT_EQ(PixelToColor(0x010203u), MakeColor(1, 2, 3));
  EXPECT_EQ(SwapRedBlue(0xAA112233u), 0xAA332211u);
  EXPECT_EQ(ColorToPixel(IconTransparentColor), IconTransparentColor);
  EXPECT_EQ(SignOf(0), 1);
  EXPECT_EQ(SignOf(-7), -1);
}

TEST(ColorModes, SurfaceFormatsFollowTheBitCount) {
  EXPECT_EQ(SurfaceFormatFor(0), TSurfaceFormat::Bits32);
  EXPECT_EQ(SurfaceFormatFor(1), TSurfaceFormat::Bits1);
  EXPECT_EQ(SurfaceFormatFor(3), TSurfaceFormat::Bits4);
  EXPECT_EQ(SurfaceFormatFor(7), TSurfaceFormat::Bits8);
  EXPECT_EQ(SurfaceFormatFor(12), TSurfaceFormat::Bits15);
  EXPECT_EQ(SurfaceFormatFor(16), TSurfaceFormat::Bits16);
  EXPECT_EQ(SurfaceFormatFor(20), TSurfaceFormat::Bits24);
  EXPECT_EQ(SurfaceFormatFor(33), TSurfaceFormat::Bits32);
}

TEST(ColorModes, NamesAndTheirBitCounts) {
  EXPECT_EQ(ColorModeName(1), "1 bit (2colors)");
  EXPECT_EQ(ColorModeName(8), "8 bit (256colors)");
  EXPECT_EQ(ColorModeName(15), "15 bit (32768colors)");
  EXPECT_EQ(ColorModeName(16), "16 bit (High color)");
  EXPECT_EQ(ColorModeName(20), "20 bit (Custom)");
  EXPECT_EQ(ColorModeName(32), "32 bit (True color)");
  EXPECT_EQ(JoinColorModes({1, 24}), "1 bit (2colors)\r24 bit (True color)");
  EXPECT_EQ(BitCountOfModeName("16 bit (High color)"), 16);
  EXPECT_EQ(BitCountOfModeName("bits"), 0);
}

TEST(DefaultPalettes, The264EntryPaletteRunsFromBlackToWhite) {
  TPaletteRecord pal;
  FillDefaultPalette264(pal);
  EXPECT_EQ(pal.Count, 264);
  EXPECT_EQ(pal.Version, 0x0300);
  EXPECT_EQ(pal.Color(0), clBlack);
  EXPECT_EQ(pal.Color(8 * 32 + 7), clWhite);
  EXPECT_EQ(pal.Color(8 * 16 + 1), MakeColor(255, 128, 0));  // row 16 holds the base colours
  EXPECT_EQ(pal.Color(8 * 32 + 0), clWhite);                 // red lightened all the way
  EXPECT_EQ(pal.Color(8 * 15 + 0), MakeColor(240, 0, 0));    // one step darker than red
}

TEST(DefaultPalettes, EveryBitCountHasItsColours) {
  TPaletteRecord pal;
  FillDefaultPalette(pal, 2);
  EXPECT_EQ(pal.Count, 4);
  EXPECT_EQ(pal.Color(1), MakeColor(0, 0, 255));
  FillDefaultPalette(pal, 3);
  EXPECT_EQ(pal.Color(5), MakeColor(255, 0, 255));
  FillDefaultPalette(pal, 4);
  EXPECT_EQ(pal.Color(7), clSilver);
  EXPECT_EQ(pal.Color(15), clWhite);
  FillDefaultPalette(pal, 5);
  EXPECT_EQ(pal.Count, 32);
  EXPECT_EQ(pal.Color(3), HlsToRgb(0, 120, 240));
  FillDefaultPalette(pal, 7);
  EXPECT_EQ(pal.Color(63), MakeColor(127, 127, 127));  // the halved cube
  EXPECT_EQ(pal.Color(127), clWhite);
  FillDefaultPalette(pal, 8);
  EXPECT_EQ(pal.Count, 256);
  EXPECT_EQ(pal.Color(0), clBlack);
  EXPECT_EQ(pal.Color(255), clWhite);
  FillDefaultPalette(pal, 24);
  EXPECT_EQ(pal.Count, 264);
}

TEST(NearestColor, TiesKeepTheLowerIndex) {
  TPaletteRecord pal;
  FillDefaultPalette(pal, 4);
  EXPECT_EQ(NearestPaletteColor(MakeColor(64, 0, 0), pal), clBlack);
  EXPECT_EQ(NearestPaletteColor(MakeColor(65, 0, 0), pal), MakeColor(128, 0, 0));
  EXPECT_EQ(NearestPaletteColor(MakeColor(250, 250, 250), pal), clWhite);
  pal.Count = 1;
  EXPECT_EQ(NearestPaletteIndex(clWhite, pal), 0);
  pal.Count = 0;
  EXPECT_EQ(NearestPaletteIndex(clWhite, pal), 0);
}

TEST(HlsToRgb, PrimaryHuesAndGreys) {
  EXPECT_EQ(HlsToRgb(0, 120, 240), MakeColor(255, 0, 0));
  EXPECT_EQ(HlsToRgb(80, 120, 240), MakeColor(0, 255, 0));
  EXPECT_EQ(HlsToRgb(160, 120, 240), MakeColor(0, 0, 255));
  EXPECT_EQ(HlsToRgb(40, 240, 0), clWhite);
  EXPECT_EQ(HlsToRgb(40, 120, 0), MakeColor(127, 127, 127));
}

class ReadPaletteTest : public ::testing::Test {
 protected:
  std::string path_ = (std::filesystem::temp_directory_path() /
                       ("velmora-pal-" + std::to_string(::getpid()) + ".plt16"))
                          .string();
  void TearDown() override { std::remove(path_.c_str()); }
  void Write(const std::string& bytes) { std::ofstream(path_, std::ios::binary) << bytes; }
};

TEST_F(ReadPaletteTest, MissingFileOrEmptyNameGivesTheDefaultPalette) {
  TPaletteRecord pal;
  ReadPalette("", pal);
  EXPECT_EQ(pal.Count, 264);
  pal.Count = 3;
  ReadPalette(path_, pal);  // not written: missing
  EXPECT_EQ(pal.Count, 264);
}

TEST_F(ReadPaletteTest, RoundTripsThroughTheFileLayout) {
  TPaletteRecord pal;
  FillDefaultPalette(pal, 4);
  Write(PaletteFileBytes(pal));
  EXPECT_EQ(std::filesystem::file_size(path_), 4u + 64u);
  TPaletteRecord back;
  ReadPalette(path_, back);
  EXPECT_EQ(back.Count, 16);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(back.Color(i), pal.Color(i));
}

TEST_F(ReadPaletteTest, OversizedOrTruncatedFilesAreRefusedAndLeaveTheRecord) {
  TPaletteRecord pal;
  FillDefaultPalette(pal, 1);
  const TPaletteRecord before = pal;
  Write(std::string("\x00\x03\x09\x01", 4) + std::string(265 * 4, '\x7f'));  // 265 entries
  EXPECT_THROW(ReadPalette(path_, pal), EVelmoraError);
  EXPECT_EQ(pal, before);
  Write(std::string("\x00\x03\x10\x00", 4) + std::string(10, '\x7f'));  // 16 claimed, 2.5 there
  EXPECT_THROW(ReadPalette(path_, pal), EVelmoraError);
  EXPECT_EQ(pal, before);
}

TEST(ColorMask, MarksExactlyTheColour) {
  TSurface s(3, 1);
  s.SetPixel(0, 0, ColorToPixel(MakeColor(1, 2, 3)));
  s.SetPixel(1, 0, ColorToPixel(MakeColor(1, 2, 4)));
  s.SetPixel(2, 0, 0xFF000000u | ColorToPixel(MakeColor(1, 2, 3)));  // high byte is ignored
  TSurface inverted = s;
  MakeColorMask(s, MakeColor(1, 2, 3), false);
  EXPECT_EQ(s.Pixel(0, 0), 0xFFFFFFu);
  EXPECT_EQ(s.Pixel(1, 0), 0x000000u);
  EXPECT_EQ(s.Pixel(2, 0), 0xFFFFFFu);
  MakeColorMask(inverted, MakeColor(1, 2, 3), true);
  EXPECT_EQ(inverted.Pixel(0, 0), 0x000000u);
  EXPECT_EQ(inverted.Pixel(1, 0), 0xFFFFFFu);
}
