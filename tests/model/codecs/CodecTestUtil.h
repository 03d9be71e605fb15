#pragma once
// Shared pictures and palettes for the codec tests.

#include <cstdlib>
#include <string>
#include <vector>

#include "model/Colors.h"
#include "model/FileIO.h"
#include "model/Surface.h"

inline const std::vector<TColor>& SixteenColors() {
  static const std::vector<TColor> palette = {
      MakeColor(0, 0, 0),      MakeColor(0, 0, 128),     MakeColor(0, 128, 0),
      MakeColor(0, 128, 128),  MakeColor(128, 0, 0),     MakeColor(128, 0, 128),
      MakeColor(128, 128, 0),  MakeColor(192, 192, 192), MakeColor(128, 128, 128),
      MakeColor(0, 0, 255),    MakeColor(0, 255, 0),     MakeColor(0, 255, 255),
      MakeColor(255, 0, 0),    MakeColor(255, 0, 255),   MakeColor(255, 255, 0),
      MakeColor(255, 255, 255)};
  return palette;
}

inline std::vector<TColor> RampPalette(int count) {
  std::vector<TColor> palette;
  for (int i = 0; i < count; ++i) palette.push_back(MakeColor(i, 255 - i, (i * 7) & 0xFF));
  return palette;
}

// An image whose pixels are all palette colours, in a pattern that tells rows and columns apart.
inline TSurface PaletteImage(int w, int h, const std::vector<TColor>& palette) {
  TSurface s(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      s.SetPixel(x, y, ColorToPixel(palette[(x * 3 + y * 5) % palette.size()]));
  return s;
}

// A smooth true-colour picture (JPEG-friendly) with a few sharp features.
// A surface of the colours given row by row.
inline TSurface SurfaceFromColors(int w, int h, const std::vector<TColor>& colors) {
  TSurface s(w, h);
  for (int i = 0; i < w * h; ++i) s.SetPixel(i % w, i / w, ColorToPixel(colors[size_t(i)]));
  return s;
}

inline TSurface GradientImage(int w, int h) {
  TSurface s(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      s.SetPixel(x, y, ColorToPixel(MakeColor(x * 255 / w, y * 255 / h, (x + y) * 127 / (w + h))));
  return s;
}

inline std::string TestDataPath(const std::string& name) {
  const char* dir = std::getenv("VELMORA_TEST_DATA");
  return std::string(dir ? dir : "tests/data") + "/" + name;
}
