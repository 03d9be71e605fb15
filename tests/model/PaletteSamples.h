#pragma once
// Palettes, images and a reference nearest-colour scan shared by the colour reduction tests.

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "model/Colors.h"
#include "model/Surface.h"

// The 16 standard colours in the order of the default 4-bit palette.
inline std::vector<TColor> VgaPalette() {
  return {MakeColor(0, 0, 0),      MakeColor(0, 0, 128),     MakeColor(0, 128, 0),
          MakeColor(0, 128, 128),  MakeColor(128, 0, 0),     MakeColor(128, 0, 128),
          MakeColor(128, 128, 0),  MakeColor(192, 192, 192), MakeColor(128, 128, 128),
          MakeColor(0, 0, 255),    MakeColor(0, 255, 0),     MakeColor(0, 255, 255),
          MakeColor(255, 0, 0),    MakeColor(255, 0, 255),   MakeColor(255, 255, 0),
          MakeColor(255, 255, 255)};
}

// The nearest entry by the plain scan: strictly smaller distances replace, so ties keep the
// lower index. Only the low 24 bits count.
inline int ScanNearest(const std::vector<TColor>& palette, TColor c) {
  int best = 0;
  int64_t bestDistance = INT64_MAX;
  for (size_t i = 0; i < palette.size(); ++i) {
    const int dr = RedOf(palette[i]) - RedOf(c), dg = GreenOf(palette[i]) - GreenOf(c),
              db = BlueOf(palette[i]) - BlueOf(c);
    const int64_t d = int64_t(dr) * dr + int64_t(dg) * dg + int64_t(db) * db;
    if (d < bestDistance) {
      bestDistance = d;
      best = int(i);
    }
  }
  return best;
}

inline TSurface NoiseSurface(int width, int height, uint32_t seed) {
  std::mt19937 rng(seed);
  TSurface s(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) s.SetPixel(x, y, rng() & 0xFFFFFF);
  return s;
}

// Red grows to the right, green downwards, blue along the diagonal.
inline TSurface GradientSurface(int width, int height) {
  TSurface s(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      const int r = x * 255 / std::max(width - 1, 1), g = y * 255 / std::max(height - 1, 1);
      s.SetPixel(x, y, ColorToPixel(MakeColor(r, g, (r + g) / 2)));
    }
  return s;
}
