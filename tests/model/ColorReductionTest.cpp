#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "model/ColorReduction.h"
#include "model/Errors.h"
#include "model/PaletteSamples.h"

namespace {

const TDitherMode AllModes[] = {
    TDitherMode::Nearest, TDitherMode::FloydSteinberg,    TDitherMode::Stucki,
    TDitherMode::Sierra,  TDitherMode::JarvisJudiceNinke, TDitherMode::StevensonArce,
    TDitherMode::Burkes};

void ExpectOnlyPaletteColors(const TSurface& s, const std::vector<TColor>& palette, int count) {
  std::set<TPixel> allowed;
  for (int i = 0; i < std::max(count, 1); ++i) allowed.insert(ColorToPixel(palette[i]));
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x)
      ASSERT_TRUE(allowed.count(s.Pixel(x, y)))
          << x << "," << y << " " << std::hex << s.Pixel(x, y);
}

double MeanGray(const TSurface& s, int left, int right) {
  double sum = 0;
  for (int y = 0; y < s.Height(); ++y)
    for (int x = left; x < right; ++x) sum += s.Pixel(x, y) & 0xFF;
  return sum / (double(right - left) * s.Height());
}

TSurface GrayRamp(int width, int height) {
  TSurface s(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const int v = x * 255 / (width - 1);
      s.SetPixel(x, y, ColorToPixel(MakeColor(v, v, v)));
    }
  return s;
}

}  // namespace

TEST(DitherMode, StoredIndicesOutsideTheRangeFallBackToNearest) {
  EXPECT_EQ(DitherModeFromIndex(3), TDitherMode::Sierra);
  EXPECT_EQ(DitherModeFromIndex(6), TDitherMode::Burkes);
  EXPECT_EQ(DitherModeFromIndex(7), TDitherMode::Nearest);
  EXPECT_EQ(DitherModeFromIndex(-1), TDitherMode::Nearest);
}

TEST(MapToPalette, EveryModeWritesOnlyPaletteColors) {
  std::mt19937 rng(5);
  std::vector<TColor> big;
  for (int i = 0; i < 256; ++i) big.push_back(rng() & 0xFFFFFF);
  const std::vector<TColor> bw = {clBlack, clWhite};
  const std::vector<TColor> vga = VgaPalette();
  const std::vector<TColor> sources[] = {bw, vga, big};
  for (TDitherMode mode : AllModes) {
    SCOPED_TRACE(int(mode));
    for (const TSurface& image : {NoiseSurface(37, 23, 1), GradientSurface(64, 40)}) {
      for (const std::vector<TColor>& palette : sources) {
        TSurface s = image;
        MapToPalette(s, palette, mode);
        ExpectOnlyPaletteColors(s, palette, int(palette.size()));
      }
      TSurface one = image;
      MapToPalette(one, vga.data(), 1, mode);  // entry 0 alone: everything black
      ExpectOnlyPaletteColors(one, vga, 1);
    }
  }
}

TEST(MapToPalette, NearestModeTakesTheNearestEntry) {
  const std::vector<TColor> vga = VgaPalette();
  const TSurface original = NoiseSurface(50, 40, 11);
  TSurface s = original;
  MapToPalette(s, vga, TDitherMode::Nearest);
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x) {
      const TColor want = vga[ScanNearest(vga, PixelToColor(original.Pixel(x, y)))];
      ASSERT_EQ(s.Pixel(x, y), ColorToPixel(want));
    }
}

TEST(MapToPalette, SurfaceOfPaletteColorsKeepsItsColorsInEveryMode) {
  const std::vector<TColor> vga = VgaPalette();
  std::mt19937 rng(3);
  TSurface expected(29, 17);
  for (int y = 0; y < expected.Height(); ++y)
    for (int x = 0; x < expected.Width(); ++x)
      expected.SetPixel(x, y, ColorToPixel(vga[rng() % vga.size()]));
  for (TDitherMode mode : AllModes) {
    TSurface s = expected;
    s.SetPixel(3, 4, s.Pixel(3, 4) | 0xFF000000);  // a stray high byte is cleared, not kept
    MapToPalette(s, vga, mode);
    EXPECT_EQ(s, expected) << int(mode);
  }
}

TEST(MapToPalette, ErrorDiffusionKeepsTheLocalBrightness) {
  const TSurface ramp = GrayRamp(256, 64);
  const std::vector<TColor> bw = {clBlack, clWhite};
  std::set<std::vector<TPixel>> patterns;
  for (TDitherMode mode : AllModes) {
    if (mode == TDitherMode::Nearest) continue;
    SCOPED_TRACE(int(mode));
    TSurface s = ramp;
    MapToPalette(s, bw, mode);
    // Every band of 32 columns keeps its mean grey within a few levels, while plain nearest
    // mapping would turn the darkest band black and the brightest white.
    for (int left = 0; left < 256; left += 32)
      EXPECT_NEAR(MeanGray(s, left, left + 32), MeanGray(ramp, left, left + 32), 4.0) << left;
    patterns.insert(std::vector<TPixel>(s.Bits(), s.Bits() + 256 * 64));
  }
  EXPECT_EQ(patterns.size(), 6u);  // each kernel leaves its own pattern
}

TEST(MapToPalette, WithinOneRowStevensonArceSkipsTheNextPixel) {
  // In a single row only the taps of the row itself act. A dark first pixel leaves a positive
  // error that lifts the next pixel over the middle grey in every kernel but Stevenson-Arce,
  // whose first weight in the row lies two pixels further.
  const std::vector<TColor> bw = {clBlack, clWhite};
  for (TDitherMode mode : AllModes) {
    if (mode == TDitherMode::Nearest) continue;
    TSurface s(3, 1, ColorToPixel(MakeColor(124, 124, 124)));
    s.SetPixel(0, 0, ColorToPixel(MakeColor(60, 60, 60)));
    MapToPalette(s, bw, mode);
    const bool skips = mode == TDitherMode::StevensonArce;
    EXPECT_EQ(s.Pixel(1, 0), skips ? clBlack : clWhite) << int(mode);
    EXPECT_EQ(s.Pixel(2, 0), skips ? clWhite : clBlack) << int(mode);
  }
}

TEST(MapToPalette, SecondRowsRunBackwardsWithTheKernelMirrored) {
  // The pattern of the single-row case above, mirrored on the second row: a black first row
  // passes no error down, and the second row starts at its right end.
  const std::vector<TColor> bw = {clBlack, clWhite};
  for (TDitherMode mode : AllModes) {
    if (mode == TDitherMode::Nearest) continue;
    TSurface s(3, 2, ColorToPixel(MakeColor(124, 124, 124)));
    for (int x = 0; x < 3; ++x) s.SetPixel(x, 0, ColorToPixel(clBlack));
    s.SetPixel(2, 1, ColorToPixel(MakeColor(60, 60, 60)));
    MapToPalette(s, bw, mode);
    const bool skips = mode == TDitherMode::StevensonArce;
    EXPECT_EQ(s.Pixel(1, 1), skips ? clBlack : clWhite) << int(mode);
    EXPECT_EQ(s.Pixel(0, 1), skips ? clWhite : clBlack) << int(mode);
  }
}

TEST(MapToPalette, TinyAndEmptySurfaces) {
  const std::vector<TColor> vga = VgaPalette();
  for (TDitherMode mode : AllModes) {
    TSurface dot(1, 1, ColorToPixel(MakeColor(250, 10, 10)));
    MapToPalette(dot, vga, mode);
    EXPECT_EQ(dot.Pixel(0, 0), ColorToPixel(MakeColor(255, 0, 0)));
    TSurface empty(0, 5);
    MapToPalette(empty, vga, mode);
    EXPECT_EQ(empty, TSurface(0, 5));
  }
  TSurface s(2, 2);
  EXPECT_THROW(MapToPalette(s, nullptr, 4, TDitherMode::Nearest), EVelmoraError);
}

TEST(QuantizeColors, FewColorsComeBackExactlyInOrderOfAppearance) {
  TSurface s(4, 3, ColorToPixel(MakeColor(10, 20, 30)));
  s.SetPixel(2, 0, ColorToPixel(clRed) | 0x7F000000);
  s.SetPixel(1, 2, ColorToPixel(clYellow));
  s.SetPixel(3, 2, ColorToPixel(clRed));
  const std::vector<TColor> want = {MakeColor(10, 20, 30), clRed, clYellow};
  EXPECT_EQ(QuantizeColors(s, 3), want);
  EXPECT_EQ(QuantizeColors(s, 256), want);
  EXPECT_EQ(QuantizeColors(TSurface(1, 1, 0x123456), 2), std::vector<TColor>{0x563412});
  EXPECT_TRUE(QuantizeColors(TSurface(0, 0), 16).empty());
}

TEST(QuantizeColors, ManyColorsAreReducedToTheLimit) {
  const TSurface noise = NoiseSurface(64, 64, 8);
  for (TDitherMode mode : {TDitherMode::Nearest, TDitherMode::FloydSteinberg})
    for (int limit : {2, 16, 128, 255}) {
      const std::vector<TColor> colors = QuantizeColors(noise, limit, mode);
      EXPECT_LE(int(colors.size()), limit);
      EXPECT_GE(int(colors.size()), limit * 3 / 4) << limit << " " << int(mode);
      for (TColor c : colors) EXPECT_EQ(c >> 24, 0u);
    }
  // Just one colour over the limit already needs the quantizer.
  TSurface s = GradientSurface(17, 1);
  EXPECT_LE(QuantizeColors(s, 16).size(), 16u);
  EXPECT_THROW(QuantizeColors(s, 1), EVelmoraError);
  EXPECT_THROW(QuantizeColors(s, 257), EVelmoraError);
}

TEST(QuantizeColors, ChosenColorsFollowTheImage) {
  // Many shades of a strong red with a little green: a quantizer fed the wrong channel order
  // would come back with blues.
  std::mt19937 rng(21);
  TSurface s(64, 64);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x)
      s.SetPixel(x, y, ColorToPixel(MakeColor(160 + rng() % 96, rng() % 48, rng() % 8)));
  for (TDitherMode mode : {TDitherMode::Nearest, TDitherMode::Sierra})
    for (int limit : {8, 200}) {
      const std::vector<TColor> colors = QuantizeColors(s, limit, mode);
      ASSERT_FALSE(colors.empty());
      for (TColor c : colors) {
        EXPECT_GE(RedOf(c), 150) << std::hex << c;
        EXPECT_LE(GreenOf(c), 56) << std::hex << c;
        EXPECT_LE(BlueOf(c), 16) << std::hex << c;
      }
    }
}

TEST(QuantizeColors, TwoGroupsOfShadesGiveTheirMeans) {
  std::mt19937 rng(4);
  TSurface s(40, 40);
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) {
      const int jitter = int(rng() % 9) - 4;
      s.SetPixel(x, y, ColorToPixel(x < 10 ? MakeColor(200 + jitter, 40, 40)
                                           : MakeColor(30, 60 + jitter, 180)));
    }
  std::vector<TColor> colors = QuantizeColors(s, 2);
  ASSERT_EQ(colors.size(), 2u);
  std::sort(colors.begin(), colors.end(),
            [](TColor a, TColor b) { return RedOf(a) < RedOf(b); });
  EXPECT_NEAR(GreenOf(colors[0]), 60, 1);
  EXPECT_EQ(MakeColor(RedOf(colors[0]), 0, BlueOf(colors[0])), MakeColor(30, 0, 180));
  EXPECT_NEAR(RedOf(colors[1]), 200, 1);
  EXPECT_EQ(MakeColor(0, GreenOf(colors[1]), BlueOf(colors[1])), MakeColor(0, 40, 40));
}

TEST(QuantizeColors, AFewFarPixelsKeepAColourForDiffusion) {
  // Noisy grey with a sprinkle of strong red: a palette that only followed the pixels' density
  // would spend every colour on the grey, and diffusion could never mix the red back.
  std::mt19937 rng(9);
  TSurface s(100, 100);
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 100; ++x) {
      const int v = 100 + int(rng() % 56);
      s.SetPixel(x, y, ColorToPixel((x * 7 + y * 13) % 97 == 0 ? MakeColor(240, 10, 20)
                                                               : MakeColor(v, v + 1, v)));
    }
  for (int limit : {16, 256}) {
    const std::vector<TColor> colors = QuantizeColors(s, limit, TDitherMode::FloydSteinberg);
    const bool red = std::any_of(colors.begin(), colors.end(), [](TColor c) {
      return RedOf(c) > 220 && GreenOf(c) < 30 && BlueOf(c) < 40;
    });
    EXPECT_TRUE(red) << limit;
  }
}

TEST(QuantizeColors, CloseShadesBeyondTheLimitStillFillThePalette) {
  // 300 shades within a few levels of each other: far too close for a coarse colour grid to
  // tell apart, yet 256 entries can hold nearly all of them.
  TSurface s(30, 10);
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 30; ++x) s.SetPixel(x, y, ColorToPixel(MakeColor(100 + y, 100 + x, 90)));
  for (TDitherMode mode : {TDitherMode::Nearest, TDitherMode::FloydSteinberg}) {
    const std::vector<TColor> colors = QuantizeColors(s, 256, mode);
    EXPECT_EQ(colors.size(), 256u) << int(mode);
    TSurface mapped = s;
    MapToPalette(mapped, colors, TDitherMode::Nearest);
    for (int y = 0; y < 10; ++y)
      for (int x = 0; x < 30; ++x) {
        const TColor want = MakeColor(100 + y, 100 + x, 90), got = PixelToColor(mapped.Pixel(x, y));
        ASSERT_LE(std::abs(RedOf(got) - RedOf(want)) + std::abs(GreenOf(got) - GreenOf(want)), 1)
            << x << "," << y << " mode " << int(mode);
      }
  }
}

TEST(QuantizeColors, TwoHundredColorsSurviveAReductionTo256) {
  TSurface original(40, 30);
  for (int y = 0; y < original.Height(); ++y)
    for (int x = 0; x < original.Width(); ++x) {
      const int k = (x * 7 + y * 13) % 200;
      original.SetPixel(x, y, ColorToPixel(MakeColor(k, 255 - k, (k * 37) & 0xFF)));
    }
  const std::vector<TColor> palette = QuantizeColors(original, 256);
  EXPECT_EQ(palette.size(), 200u);
  for (TDitherMode mode : AllModes) {
    TSurface s = original;
    MapToPalette(s, palette, mode);
    EXPECT_EQ(s, original) << int(mode);
  }
}
