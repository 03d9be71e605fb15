#pragma once
// Helpers shared by the drawing tests: surfaces drawn with the pixel words 0 (background),
// 1 (pen) and 2 (brush) are compared as small text pictures, one line per row.

#include <string>
#include <vector>

#include "model/Surface.h"

constexpr TPixel kBack = 0;
constexpr TPixel kPen = 1;
constexpr TPixel kBrush = 2;

// '.' for the background, '#' for the pen, 'o' for the brush, '?' for anything else.
inline std::string Picture(const TSurface& s) {
  std::string out;
  for (int y = 0; y < s.Height(); ++y) {
    for (int x = 0; x < s.Width(); ++x) {
      const TPixel p = s.Pixel(x, y);
      out += p == kBack ? '.' : p == kPen ? '#' : p == kBrush ? 'o' : '?';
    }
    out += '\n';
  }
  return out;
}

// Joins rows into the form Picture() produces.
inline std::string Rows(const std::vector<std::string>& rows) {
  std::string out;
  for (const std::string& row : rows) out += row + '\n';
  return out;
}

// The part of `s` from (left, top) of the given size.
inline TSurface Crop(const TSurface& s, int left, int top, int width, int height) {
  TSurface out(width, height, kBack);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) out.SetPixel(x, y, s.Pixel(left + x, top + y));
  return out;
}
