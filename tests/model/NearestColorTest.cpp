#include <gtest/gtest.h>

#include <random>

#include "model/Errors.h"
#include "model/NearestColor.h"
#include "model/PaletteSamples.h"

namespace {

// Checks the index against the plain scan on random colours and on colours at and beside the
// cell borders, where a wrongly pruned candidate list would show first. Thousands of different
// colours also share the slots of the recent-colour cache, so stale cache answers would show.
void ExpectSameAsScan(const std::vector<TColor>& palette, std::mt19937& rng, int samples) {
  const TNearestColorIndex index(palette);
  for (int i = 0; i < samples; ++i) {
    const TColor c = rng() & 0xFFFFFF;
    ASSERT_EQ(index.IndexOf(c), ScanNearest(palette, c)) << std::hex << c;
  }
  for (int r = 0; r < 256; r += 15)
    for (int g = 0; g < 256; g += 16)
      for (int b = 1; b < 256; b += 17) {
        const TColor c = MakeColor(r, g, b);
        ASSERT_EQ(index.IndexOf(c), ScanNearest(palette, c)) << std::hex << c;
      }
}

std::vector<TColor> RandomPalette(std::mt19937& rng, int count, bool coarse) {
  // Coarse palettes use a few channel levels only: many duplicates and equal distances.
  static const int levels[] = {0, 64, 128, 192, 255};
  std::vector<TColor> palette;
  for (int i = 0; i < count; ++i) {
    if (coarse)
      palette.push_back(MakeColor(levels[rng() % 5], levels[rng() % 5], levels[rng() % 5]));
    else
      palette.push_back(rng() & 0xFFFFFF);
  }
  return palette;
}

}  // namespace

TEST(NearestColorIndex, TiesGoToTheLowerIndex) {
  const TNearestColorIndex vga(VgaPalette());
  EXPECT_EQ(vga.IndexOf(MakeColor(64, 0, 0)), 0);  // black and maroon are equally far
  EXPECT_EQ(vga.IndexOf(MakeColor(65, 0, 0)), 4);
  EXPECT_EQ(vga.IndexOf(MakeColor(160, 160, 160)), 7);  // silver and gray tie: silver is first

  // A later duplicate never wins, whatever comes between.
  const std::vector<TColor> twice = {clWhite, clRed, clBlack, clRed};
  EXPECT_EQ(TNearestColorIndex(twice).IndexOf(MakeColor(250, 0, 0)), 1);
}

TEST(NearestColorIndex, MatchesThePlainScanOnRandomPalettes) {
  std::mt19937 rng(1234);
  ExpectSameAsScan(VgaPalette(), rng, 20000);
  for (int count : {1, 2, 3, 7, 16, 64, 200, 256, 264}) {
    SCOPED_TRACE(count);
    ExpectSameAsScan(RandomPalette(rng, count, false), rng, 5000);
    ExpectSameAsScan(RandomPalette(rng, count, true), rng, 5000);
  }
  // Entries clustered in one corner leave most cells far from every entry.
  std::vector<TColor> corner;
  for (int i = 0; i < 40; ++i) corner.push_back(MakeColor(rng() % 24, rng() % 24, rng() % 24));
  ExpectSameAsScan(corner, rng, 20000);
}

TEST(NearestColorIndex, IgnoresHighBytesAndAcceptsPixelWords) {
  std::vector<TColor> palette = VgaPalette();
  const TNearestColorIndex plain(palette);
  for (TColor& c : palette) c |= 0x5A000000;
  const TNearestColorIndex marked(palette);
  std::mt19937 rng(7);
  for (int i = 0; i < 2000; ++i) {
    const uint32_t v = rng();
    ASSERT_EQ(marked.IndexOf(v), plain.IndexOf(StripHighByte(v)));
    ASSERT_EQ(plain.IndexOfPixel(v), plain.IndexOf(PixelToColor(v)));
  }
}

TEST(NearestColorIndex, CountBelowOneMeansEntryZeroAlone) {
  const std::vector<TColor> palette = VgaPalette();
  const TNearestColorIndex none(palette.data(), 0);
  EXPECT_EQ(none.Count(), 1);
  EXPECT_EQ(none.IndexOf(clWhite), 0);
  EXPECT_EQ(TNearestColorIndex(palette.data(), -5).IndexOf(MakeColor(0, 0, 255)), 0);
  EXPECT_THROW(TNearestColorIndex(nullptr, 4), EVelmoraError);
  EXPECT_THROW(TNearestColorIndex(std::vector<TColor>{}), EVelmoraError);
}
