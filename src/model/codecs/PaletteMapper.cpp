#include "model/codecs/PaletteMapper.h"

#include <cstddef>
#include <cstdint>

TPaletteMapper::TPaletteMapper(const TColor* palette, int count)
    : palette_(palette, palette + count) {}

// The one place that searches the palette, so a faster exact search can replace it alone.
int TPaletteMapper::NearestIndex(TPixel pixel) const {
  const TColor c = PixelToColor(pixel);
  int best = 0;
  int64_t bestDistance = INT64_MAX;
  for (size_t i = 0; i < palette_.size(); ++i) {
    const int dr = RedOf(palette_[i]) - RedOf(c);
    const int dg = GreenOf(palette_[i]) - GreenOf(c);
    const int db = BlueOf(palette_[i]) - BlueOf(c);
    const int64_t distance = int64_t(dr) * dr + int64_t(dg) * dg + int64_t(db) * db;
    if (distance < bestDistance) {
      bestDistance = distance;
      best = int(i);
      if (distance == 0) break;
    }
  }
  return best;
}
