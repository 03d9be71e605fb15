#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <random>
#include <utility>

#include "model/ColorBoxes.h"
#include "model/ColorReduction.h"
#include "model/DiffusionPalette.h"

namespace {

struct TPatch {
  int Left, Top, Width, Height;
  TColor Color;
};

// A warm grey gradient over most of the picture, like sand or a wall, with a few small patches of
// stronger colours that a density-following palette would fold into the greys.
TSurface LandscapeWithPatches(int width, int height, const std::vector<TPatch>& patches) {
  std::mt19937 rng(5);
  TSurface s(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const int v = 40 + x * 170 / width + int(rng() % 9);
      s.SetPixel(x, y, ColorToPixel(MakeColor(v, v * 9 / 10, v * 8 / 10 + y * 20 / height)));
    }
  for (const TPatch& p : patches)
    for (int y = p.Top; y < p.Top + p.Height; ++y)
      for (int x = p.Left; x < p.Left + p.Width; ++x) {
        const int jitter = int(rng() % 7) - 3;
        s.SetPixel(x, y,
                   ColorToPixel(MakeColor(std::clamp(RedOf(p.Color) + jitter, 0, 255),
                                          std::clamp(GreenOf(p.Color) + jitter, 0, 255),
                                          std::clamp(BlueOf(p.Color) + jitter, 0, 255))));
      }
  return s;
}

// The largest difference of a channel's mean over the inside of `p` (away from its edges, where
// the diffusion mixes in the surroundings) between two surfaces.
int AverageDrift(const TSurface& a, const TSurface& b, const TPatch& p) {
  std::array<double, 3> sum{0, 0, 0};
  int n = 0;
  for (int y = p.Top + 4; y < p.Top + p.Height - 4; ++y)
    for (int x = p.Left + 4; x < p.Left + p.Width - 4; ++x, ++n)
      for (int k = 0; k < 3; ++k)
        sum[size_t(k)] += int((a.Pixel(x, y) >> (16 - 8 * k)) & 0xFF) -
                          int((b.Pixel(x, y) >> (16 - 8 * k)) & 0xFF);
  double worst = 0;
  for (double v : sum) worst = std::max(worst, std::abs(v / n));
  return int(std::lround(worst));
}

}  // namespace

TEST(DiffusionPalette, SmallPatchesOfStrongColourKeepTheirAverage) {
  for (int width : {400, 1100}) {  // the whole picture tried, and tiles of it
    const int height = 300;
    const std::vector<TPatch> patches{
        {width / 10, 40, width * 45 / 400, 45, MakeColor(135, 105, 50)},
        {width / 2, 180, width * 45 / 400, 45, MakeColor(60, 62, 95)},
        {width * 3 / 4, 60, width * 45 / 400, 45, MakeColor(150, 90, 80)},
        {width / 3, 100, width * 45 / 400, 45, MakeColor(95, 110, 80)},
        {width / 5, 200, width * 45 / 400, 45, MakeColor(110, 70, 110)}};
    const TSurface original = LandscapeWithPatches(width, height, patches);
    TSurface reduced = original;
    MapToPalette(reduced, QuantizeColors(original, 16, TDitherMode::FloydSteinberg),
                 TDitherMode::FloydSteinberg);
    TSurface dense = original;
    MapToPalette(dense, TColorBoxes(TColorHistogram(original)).Colors(16),
                 TDitherMode::FloydSteinberg);
    int kept = 0, keptByDensity = 0;
    for (const TPatch& p : patches) {
      kept += AverageDrift(original, reduced, p) <= 3;
      keptByDensity += AverageDrift(original, dense, p) <= 3;
    }
    EXPECT_GE(kept, 4) << width;
    // Without a palette that reaches the patches, diffusion turns most of them grey.
    EXPECT_LE(keptByDensity, 2) << width;
  }
}

TEST(SpreadPalette, ColoursMoveOutwardsWithinTheChannelRange) {
  // Two groups of pixels, dark and light, each spread over 30 levels; the light one reaches the
  // top of the channel range.
  TSurface s(200, 100);
  for (int y = 0; y < 100; ++y)
    for (int x = 0; x < 200; ++x) {
      const int v = x < 100 ? 20 + x % 30 : 226 + x % 30;
      s.SetPixel(x, y, ColorToPixel(MakeColor(v, v, v)));
    }
  // The means of the groups, and a colour far from every pixel.
  std::vector<TColor> colors{MakeColor(35, 35, 35), MakeColor(240, 240, 240), MakeColor(0, 200, 0)};
  SpreadPalette(s, colors, 0.5, false);
  ASSERT_EQ(colors.size(), 3u);
  // Half the spread of a group of 30 evenly spaced levels is about 4 levels.
  EXPECT_EQ(colors[0], MakeColor(31, 31, 31));
  EXPECT_EQ(colors[1], MakeColor(244, 244, 244));
  EXPECT_EQ(colors[2], MakeColor(0, 200, 0));  // no pixel is nearest to it
  // Pushed far, colours stop at the ends of the range, and two that land on one another leave
  // one entry.
  colors = {MakeColor(30, 30, 30), MakeColor(40, 40, 40), MakeColor(240, 240, 240)};
  SpreadPalette(s, colors, 20, true);
  EXPECT_EQ(colors, (std::vector<TColor>{MakeColor(0, 0, 0), MakeColor(255, 255, 255)}));
}

TEST(DiffusionPalette, ExtremeShapesAreTriedOnStripsOfThem) {
  // Larger than the trial, so tiles are cut from them: one pixel high or wide.
  std::mt19937 rng(3);
  for (auto [w, h] : {std::pair{300000, 1}, std::pair{1, 300000}, std::pair{700, 400}}) {
    TSurface s(w, h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) s.SetPixel(x, y, rng() & 0xFFFFFF);
    const std::vector<TColor> colors = QuantizeColors(s, 16, TDitherMode::Stucki);
    EXPECT_GE(colors.size(), 8u) << w << "x" << h;
    EXPECT_LE(colors.size(), 16u) << w << "x" << h;
  }
}
