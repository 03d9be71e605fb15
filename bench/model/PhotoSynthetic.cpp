#include "PhotoSynthetic.h"

#include <algorithm>
#include <cmath>
#include <random>

TSurface SyntheticPhoto(int side) {
  TSurface s(side, side);
  std::mt19937 rng(2024);
  std::normal_distribution<float> noise(0.0f, 4.0f);
  // The shapes are laid out for a side of 1024 and scale with it.
  const float k = side / 1024.0f;
  for (int y = 0; y < side; ++y) {
    TPixel* row = s.Row(y);
    for (int x = 0; x < side; ++x) {
      const float u = x / k, v = y / k;
      float r = 40 + 150.0f * v / 1024 + 30 * std::sin(u * 0.01f);
      float g = 90 + 100.0f * u / 1024;
      float b = 200 - 120.0f * v / 1024;
      const float dx = u - 600.0f, dy = v - 400.0f;
      if (dx * dx + dy * dy < 180.0f * 180.0f) {  // a warm disc
        r = 230 - std::sqrt(dx * dx + dy * dy) * 0.4f;
        g = 150 + dy * 0.1f;
        b = 60;
      }
      if (u > 100 && u < 400 && v > 650 && v < 950) {  // a dark green block
        g = 70 + (u - 100) * 0.2f;
        r = 30;
        b = 40 + (v - 650) * 0.1f;
      }
      auto channel = [&](float c) { return std::clamp(int(c + noise(rng)), 0, 255); };
      row[x] = ColorToPixel(MakeColor(channel(r), channel(g), channel(b)));
    }
  }
  return s;
}
