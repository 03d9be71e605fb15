#pragma once
// Small helpers for building and reading test rasters.

#include <string>
#include <vector>

#include "model/Colors.h"
#include "model/Surface.h"

// A surface from rows of letters; each letter stands for the colour given for it.
inline TSurface SurfaceFromArt(const std::vector<std::string>& rows,
                               const std::vector<std::pair<char, TColor>>& legend) {
  TSurface s(int(rows.empty() ? 0 : rows[0].size()), int(rows.size()));
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x)
      for (const auto& [ch, c] : legend)
        if (rows[size_t(y)][size_t(x)] == ch) s.SetPixel(x, y, ColorToPixel(c));
  return s;
}

// A mask from rows where '#' marks a selected pixel.
inline TMaskSurface MaskFromArt(const std::vector<std::string>& rows) {
  TMaskSurface m(int(rows.empty() ? 0 : rows[0].size()), int(rows.size()));
  for (int y = 0; y < m.Height(); ++y)
    for (int x = 0; x < m.Width(); ++x) m.SetSelected(x, y, rows[size_t(y)][size_t(x)] == '#');
  return m;
}

inline std::vector<std::string> MaskArt(const TMaskSurface& m) {
  std::vector<std::string> rows;
  for (int y = 0; y < m.Height(); ++y) {
    std::string row;
    for (int x = 0; x < m.Width(); ++x) row += m.IsSelected(x, y) ? '#' : '.';
    rows.push_back(row);
  }
  return rows;
}

inline TColor ColorAt(const TSurface& s, int x, int y) { return PixelToColor(s.Pixel(x, y)); }
