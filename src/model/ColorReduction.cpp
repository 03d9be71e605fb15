// Plain nearest-colour mapping; the dithering module replaces this file.
#include "model/ColorReduction.h"
#include <set>
std::vector<TColor> QuantizeColors(const TSurface& s, int maxColors) {
  std::set<TColor> seen; std::vector<TColor> out;
  for (int y = 0; y < s.Height(); ++y) for (int x = 0; x < s.Width(); ++x) {
    TColor c = PixelToColor(s.Pixel(x, y));
    if (seen.insert(c).second && (int)out.size() < maxColors) out.push_back(c);
  }
  return out;
}
void MapToPalette(TSurface& s, const TColor* pal, int count, TDitherMode) {
  for (int y = 0; y < s.Height(); ++y) for (int x = 0; x < s.Width(); ++x) {
    TColor c = PixelToColor(s.Pixel(x, y)); int best = 0; int bd = 1 << 30;
    for (int i = 0; i < count; ++i) { int dr = RedOf(pal[i]) - RedOf(c), dg = GreenOf(pal[i]) - GreenOf(c), db = BlueOf(pal[i]) - BlueOf(c);
      int d = dr*dr+dg*dg+db*db; if (d < bd) { bd = d; best = i; } }
    s.SetPixel(x, y, ColorToPixel(pal[best]));
  }
}
