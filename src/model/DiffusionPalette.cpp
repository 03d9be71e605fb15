#include "model/DiffusionPalette.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <utility>

#include "model/ColorBoxes.h"
#include "model/ColorOctree.h"
#include "model/NearestColor.h"
#include "model/PixelSample.h"

namespace {

using TVector = std::array<double, 3>;

TVector Channels(TPixel p) {
  return {double((p >> 16) & 0xFF), double((p >> 8) & 0xFF), double(p & 0xFF)};
}

// The pixels the candidates are tried on: the whole picture when it is small, otherwise square
// tiles spread evenly over it, about 2^18 pixels in all, stacked into one column so that each
// candidate is diffused in one go. Tiles keep neighbouring pixels together, which the diffusion
// and the blur both depend on; the error a tile's last row passes into the next tile is too small
// to matter for comparing palettes.
struct TTrial {
  TSurface mosaic;
  int tileHeight = 0;
  // Room for each candidate's work.
  TSurface mapped;
  std::vector<float> diff, across;
};

constexpr int TileSide = 64;
constexpr int64_t TrialPixels = int64_t(1) << 18;

TSurface Mosaic(const TSurface& s) {
  const int count = int(TrialPixels / (TileSide * TileSide));
  const int across =
      std::clamp(int(std::lround(std::sqrt(double(count) * s.Width() / s.Height()))), 1, count);
  const int down = std::max(1, count / across);
  const int w = std::min(TileSide, s.Width()), h = std::min(TileSide, s.Height());
  TSurface mosaic(w, h * across * down);
  for (int j = 0, tile = 0; j < down; ++j)
    for (int i = 0; i < across; ++i, ++tile) {
      const int x0 = std::clamp(int((i + 0.5) * s.Width() / across) - w / 2, 0, s.Width() - w);
      const int y0 = std::clamp(int((j + 0.5) * s.Height() / down) - h / 2, 0, s.Height() - h);
      for (int y = 0; y < h; ++y) std::copy_n(s.Row(y0 + y) + x0, w, mosaic.Row(tile * h + y));
    }
  return mosaic;
}

// The sum of squares of `diff` (three channels per pixel, `width` pixels a row) after a Gaussian
// blur of radius 1.5 pixels, done separately in each band of `bandHeight` rows with the edges of
// the band repeated. `across` is room for the first pass, kept from one call to the next.
double BlurredSquares(const std::vector<float>& diff, int width, int bandHeight,
                      std::vector<float>& across) {
  constexpr int Reach = 4;
  std::array<float, 2 * Reach + 1> weights;
  float total = 0;
  for (int i = -Reach; i <= Reach; ++i)
    total += weights[size_t(i + Reach)] = std::exp(-float(i * i) / 4.5f);
  for (float& w : weights) w /= total;
  const size_t stride = size_t(width) * 3;
  const int height = int(diff.size() / stride);
  across.resize(diff.size());
  // Each row with its end pixels repeated Reach times at both sides, so the sums need no bounds.
  std::vector<float> padded(stride + 2 * Reach * 3);
  for (int y = 0; y < height; ++y) {
    const float* row = &diff[size_t(y) * stride];
    for (int x = -Reach; x < width + Reach; ++x)
      std::copy_n(row + size_t(std::clamp(x, 0, width - 1)) * 3, 3, &padded[size_t(x + Reach) * 3]);
    float* to = &across[size_t(y) * stride];
    std::fill_n(to, stride, 0.0f);
    for (int i = 0; i <= 2 * Reach; ++i) {
      const float w = weights[size_t(i)];
      const float* from = &padded[size_t(i) * 3];
      for (size_t x = 0; x < stride; ++x) to[x] += w * from[x];
    }
  }
  double squares = 0;
  std::vector<float> row(stride);
  for (int y = 0; y < height; ++y) {
    const int top = y / bandHeight * bandHeight, bottom = std::min(height, top + bandHeight) - 1;
    std::fill(row.begin(), row.end(), 0.0f);
    for (int i = -Reach; i <= Reach; ++i) {
      const float* from = &across[size_t(std::clamp(y + i, top, bottom)) * stride];
      for (size_t x = 0; x < stride; ++x) row[x] += weights[size_t(i + Reach)] * from[x];
    }
    float sum = 0;
    for (float v : row) sum += v * v;
    squares += sum;
  }
  return squares;
}

// How far the diffused trial pixels are from the originals: the logarithm of the squared error
// per pixel plus that of the error after the blur, so that neither can be bought with the other.
// The blur is linear, so blurring the difference gives the difference of the blurred pictures.
double TrialError(TTrial& trial, const std::vector<TColor>& colors, TDitherMode mode) {
  TSurface& mapped = trial.mapped;
  mapped = trial.mosaic;
  MapToPalette(mapped, colors, mode);
  const TPixel* a = trial.mosaic.Bits();
  const TPixel* b = mapped.Bits();
  const size_t n = size_t(mapped.Width()) * mapped.Height();
  trial.diff.resize(n * 3);
  int64_t plain = 0;
  for (size_t i = 0; i < n; ++i)
    for (int k = 0; k < 3; ++k) {
      const int shift = 16 - 8 * k;
      const int d = int((a[i] >> shift) & 0xFF) - int((b[i] >> shift) & 0xFF);
      trial.diff[i * 3 + size_t(k)] = float(d);
      plain += d * d;
    }
  const double blurred = BlurredSquares(trial.diff, mapped.Width(), trial.tileHeight, trial.across);
  // One unit added to each keeps a perfect result finite.
  return std::log(double(plain) + 1) + std::log(blurred + 1);
}

// The pixels of a sample nearest to one palette colour: their mean, the direction from the
// picture's mean colour to theirs, and the sum of their squared distances along it.
struct TPaletteCell {
  double Count = 0;
  TVector Centre{0, 0, 0}, Out{0, 0, 0};
  double Spread = 0;
};

std::vector<TPaletteCell> PaletteCells(const TSurface& s, const std::vector<TColor>& colors) {
  const TNearestColorIndex index(colors);
  std::vector<TPaletteCell> cells(colors.size());
  TVector mean{0, 0, 0};
  std::vector<std::pair<TVector, size_t>> sample;
  VisitSample(s, int64_t(1) << 16, [&](TPixel p) {
    const TVector c = Channels(p);
    const size_t k = size_t(index.IndexOfPixel(p));
    for (size_t i = 0; i < 3; ++i) {
      cells[k].Centre[i] += c[i];
      mean[i] += c[i];
    }
    ++cells[k].Count;
    sample.emplace_back(c, k);
  });
  for (double& m : mean) m /= double(sample.size());
  for (TPaletteCell& cell : cells) {
    double length = 0;
    for (size_t i = 0; i < 3; ++i) {
      cell.Centre[i] = cell.Count > 0 ? cell.Centre[i] / cell.Count : 0;
      cell.Out[i] = cell.Centre[i] - mean[i];
      length += cell.Out[i] * cell.Out[i];
    }
    length = std::sqrt(length);
    for (double& v : cell.Out) v = length > 0 ? v / length : 0;
  }
  for (const auto& [c, k] : sample) {
    double along = 0;
    for (size_t i = 0; i < 3; ++i) along += (c[i] - cells[k].Centre[i]) * cells[k].Out[i];
    cells[k].Spread += along * along;
  }
  return cells;
}

// SpreadPalette with the cells of `colors` already found.
void Spread(std::vector<TColor>& colors, const std::vector<TPaletteCell>& cells, double amount,
            bool recentre) {
  for (size_t k = 0; k < colors.size(); ++k) {
    const TPaletteCell& cell = cells[k];
    if (cell.Count == 0) continue;  // no pixel near it: it stays where it is
    const TVector base = recentre ? cell.Centre : Channels(ColorToPixel(colors[k]));
    const double reach = amount * std::sqrt(cell.Spread / cell.Count);
    auto channel = [&](size_t i) {
      return std::clamp(int(std::lround(base[i] + reach * cell.Out[i])), 0, 255);
    };
    colors[k] = MakeColor(channel(0), channel(1), channel(2));
  }
  // Two colours can land on one; the palette keeps one entry for both.
  std::vector<TColor> distinct;
  for (TColor c : colors)
    if (std::find(distinct.begin(), distinct.end(), c) == distinct.end()) distinct.push_back(c);
  colors.swap(distinct);
}

// A tree about as fine as the palette is large: level 3 (cubes of 32 values) for 16 colours.
int OctreeDepth(int maxColors) {
  int depth = 1;
  for (int n = maxColors; n >= 4; n /= 4) ++depth;
  return std::clamp(depth, 2, TColorHistogram::Bits);
}

}  // namespace

void SpreadPalette(const TSurface& s, std::vector<TColor>& colors, double amount, bool recentre) {
  if (!colors.empty()) Spread(colors, PaletteCells(s, colors), amount, recentre);
}

std::vector<TColor> DiffusionPalette(const TSurface& s, const TColorHistogram& histogram,
                                     int maxColors, TDitherMode mode) {
  // Density-following boxes as they are; the same with small far groups weighed up, spread in
  // two ways; and the coarse octree's cubes, spread. The amounts were measured on photographs at
  // 16 colours.
  std::vector<std::vector<TColor>> candidates{TColorBoxes(histogram).Colors(maxColors)};
  const std::vector<TColor> weighed = TColorBoxes(histogram, 0.5).Colors(maxColors);
  const std::vector<TPaletteCell> cells = PaletteCells(s, weighed);
  for (const auto& [amount, recentre] : {std::pair{0.2, true}, std::pair{0.3, false}}) {
    candidates.push_back(weighed);
    Spread(candidates.back(), cells, amount, recentre);
  }
  candidates.push_back(
      TColorOctree(histogram, OctreeDepth(maxColors), TCubeError::Distance).Colors(maxColors));
  SpreadPalette(s, candidates.back(), 0.3, true);
  TTrial trial;
  const bool small = int64_t(s.Width()) * s.Height() <= TrialPixels;
  trial.mosaic = small ? s : Mosaic(s);
  trial.tileHeight = small ? s.Height() : std::min(TileSide, s.Height());
  size_t best = 0;
  double least = std::numeric_limits<double>::infinity();
  for (size_t i = 0; i < candidates.size(); ++i) {
    const double error = TrialError(trial, candidates[i], mode);
    if (error < least) {
      least = error;
      best = i;
    }
  }
  return candidates[best];
}
