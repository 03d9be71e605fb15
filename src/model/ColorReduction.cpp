#include "model/ColorReduction.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

#include "model/Errors.h"
#include "model/NearestColor.h"

namespace {

// One weight of an error-diffusion kernel: the share `weight` / divisor of a pixel's error goes
// to the pixel `dx` columns to the right and `dy` rows below.
struct TTap {
  int dx, dy, weight;
};

struct TFloydSteinberg {
  static constexpr int Divisor = 16;
  static constexpr std::array<TTap, 4> Taps{{{1, 0, 7}, {-1, 1, 3}, {0, 1, 5}, {1, 1, 1}}};
};
struct TStucki {
  static constexpr int Divisor = 42;
  static constexpr std::array<TTap, 12> Taps{{{1, 0, 8},
                                              {2, 0, 4},
                                              {-2, 1, 2},
                                              {-1, 1, 4},
                                              {0, 1, 8},
                                              {1, 1, 4},
                                              {2, 1, 2},
                                              {-2, 2, 1},
                                              {-1, 2, 2},
                                              {0, 2, 4},
                                              {1, 2, 2},
                                              {2, 2, 1}}};
};
struct TSierra {
  static constexpr int Divisor = 32;
  static constexpr std::array<TTap, 10> Taps{{{1, 0, 5},
                                              {2, 0, 3},
                                              {-2, 1, 2},
                                              {-1, 1, 4},
                                              {0, 1, 5},
                                              {1, 1, 4},
                                              {2, 1, 2},
                                              {-1, 2, 2},
                                              {0, 2, 3},
                                              {1, 2, 2}}};
};
struct TJarvisJudiceNinke {
  static constexpr int Divisor = 48;
  static constexpr std::array<TTap, 12> Taps{{{1, 0, 7},
                                              {2, 0, 5},
                                              {-2, 1, 3},
                                              {-1, 1, 5},
                                              {0, 1, 7},
                                              {1, 1, 5},
                                              {2, 1, 3},
                                              {-2, 2, 1},
                                              {-1, 2, 3},
                                              {0, 2, 5},
                                              {1, 2, 3},
                                              {2, 2, 1}}};
};
struct TStevensonArce {
  static constexpr int Divisor = 200;
  static constexpr std::array<TTap, 12> Taps{{{2, 0, 32},
                                              {-3, 1, 12},
                                              {-1, 1, 26},
                                              {1, 1, 30},
                                              {3, 1, 16},
                                              {-2, 2, 12},
                                              {0, 2, 26},
                                              {2, 2, 12},
                                              {-3, 3, 5},
                                              {-1, 3, 12},
                                              {1, 3, 12},
                                              {3, 3, 5}}};
};
struct TBurkes {
  static constexpr int Divisor = 32;
  static constexpr std::array<TTap, 7> Taps{
      {{1, 0, 8}, {2, 0, 4}, {-2, 1, 2}, {-1, 1, 4}, {0, 1, 8}, {1, 1, 4}, {2, 1, 2}}};
};

// Widest reach of any kernel to the side and downwards.
constexpr int Margin = 3;
constexpr int ErrorRows = 4;

// The palette as the mapping loops need it: pixel words to write and channels to subtract.
struct TTargetPalette {
  std::vector<TPixel> pixels;
  std::vector<int> red, green, blue;

  TTargetPalette(const TColor* palette, int count) {
    for (int i = 0; i < std::max(count, 1); ++i) {
      pixels.push_back(ColorToPixel(palette[i]));
      red.push_back(RedOf(palette[i]));
      green.push_back(GreenOf(palette[i]));
      blue.push_back(BlueOf(palette[i]));
    }
  }
};

void MapNearest(TSurface& s, const TNearestColorIndex& index, const TTargetPalette& target) {
  const size_t n = size_t(s.Width()) * size_t(s.Height());
  TPixel* p = s.Bits();
  // Neighbouring pixels are often equal; remembering the last one skips even the cache.
  TPixel lastIn = StripHighByte(p[0]);
  TPixel lastOut = target.pixels[index.IndexOfPixel(lastIn)];
  for (size_t i = 0; i < n; ++i) {
    const TPixel in = StripHighByte(p[i]);
    if (in != lastIn) {
      lastIn = in;
      lastOut = target.pixels[index.IndexOfPixel(in)];
    }
    p[i] = lastOut;
  }
}

// Rounds the accumulated error numerator to a whole channel difference, halves upwards. The
// numerator never goes below -255 * Divisor, so the offset keeps the division on positive values,
// where it is a floor, without a branch on the sign.
template <int Divisor>
inline int RoundedError(int numerator) {
  return (numerator + Divisor / 2 + 256 * Divisor) / Divisor - 256;
}

inline int ClampChannel(int v) {
  return v < 0 ? 0 : (v > 255 ? 255 : v);
}

// Adds one pixel's error, times each weight, to the pixels the kernel reaches. The taps are
// expanded at compile time so that every offset and weight is a constant; a row scanned from
// right to left (Dir = -1) mirrors the kernel.
template <typename TKernel, int Dir, size_t... I>
inline void SpreadError(std::array<int*, ErrorRows>& errors, int x, int er, int eg, int eb,
                        std::index_sequence<I...>) {
  auto add = [&](const TTap& t) {
    int* d = errors[t.dy] + (x + Dir * t.dx + Margin) * 3;
    d[0] += er * t.weight;
    d[1] += eg * t.weight;
    d[2] += eb * t.weight;
  };
  (add(TKernel::Taps[I]), ...);
}

// Error numerators (error times weight, not yet divided) are kept per channel for the current
// row and the rows the kernel reaches, with a margin at both ends for taps that fall outside the
// surface; whatever lands in the margins is dropped.
template <typename TKernel, int Dir>
void DiffuseRow(TPixel* row, int width, std::array<int*, ErrorRows>& errors,
                const TNearestColorIndex& index, const TTargetPalette& target) {
  int* here = errors[0];
  for (int i = 0; i < width; ++i) {
    const int x = Dir > 0 ? i : width - 1 - i;
    int* e = here + (x + Margin) * 3;
    const TPixel p = row[x];
    const int r = ClampChannel(int((p >> 16) & 0xFF) + RoundedError<TKernel::Divisor>(e[0]));
    const int g = ClampChannel(int((p >> 8) & 0xFF) + RoundedError<TKernel::Divisor>(e[1]));
    const int b = ClampChannel(int(p & 0xFF) + RoundedError<TKernel::Divisor>(e[2]));
    const int k = index.IndexOfRgb(r, g, b);
    row[x] = target.pixels[k];
    const int er = r - target.red[k], eg = g - target.green[k], eb = b - target.blue[k];
    SpreadError<TKernel, Dir>(errors, x, er, eg, eb,
                              std::make_index_sequence<TKernel::Taps.size()>());
  }
}

template <typename TKernel>
void MapDiffused(TSurface& s, const TNearestColorIndex& index, const TTargetPalette& target) {
  const int width = s.Width();
  const size_t rowInts = size_t(width + 2 * Margin) * 3;
  std::vector<int> buffer(rowInts * ErrorRows, 0);
  for (int y = 0; y < s.Height(); ++y) {
    std::array<int*, ErrorRows> errors;
    for (int dy = 0; dy < ErrorRows; ++dy)
      errors[dy] = buffer.data() + rowInts * size_t((y + dy) % ErrorRows);
    // Alternate rows run from right to left, so that errors do not all drift one way and
    // draw diagonal streaks; this keeps local averages closer to the original.
    if (y % 2 == 0)
      DiffuseRow<TKernel, 1>(s.Row(y), width, errors, index, target);
    else
      DiffuseRow<TKernel, -1>(s.Row(y), width, errors, index, target);
    // This row's buffer is next used for the row ErrorRows further down.
    std::memset(errors[0], 0, rowInts * sizeof(int));
  }
}

}  // namespace

TDitherMode DitherModeFromIndex(int index) {
  if (index < 0 || index >= DitherModeCount) return TDitherMode::Nearest;
  return TDitherMode(index);
}

void MapToPalette(TSurface& s, const TColor* palette, int count, TDitherMode mode) {
  const TNearestColorIndex index(palette, count);
  if (s.IsEmpty()) return;
  const TTargetPalette target(palette, count);
  switch (mode) {
    case TDitherMode::FloydSteinberg:
      return MapDiffused<TFloydSteinberg>(s, index, target);
    case TDitherMode::Stucki:
      return MapDiffused<TStucki>(s, index, target);
    case TDitherMode::Sierra:
      return MapDiffused<TSierra>(s, index, target);
    case TDitherMode::JarvisJudiceNinke:
      return MapDiffused<TJarvisJudiceNinke>(s, index, target);
    case TDitherMode::StevensonArce:
      return MapDiffused<TStevensonArce>(s, index, target);
    case TDitherMode::Burkes:
      return MapDiffused<TBurkes>(s, index, target);
    case TDitherMode::Nearest:
      break;
  }
  MapNearest(s, index, target);
}
