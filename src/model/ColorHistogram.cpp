#include "model/ColorHistogram.h"

TColorHistogram::TColorHistogram(const TSurface& s) : cells_(size_t(1) << (3 * Bits)) {
  constexpr int Shift = 8 - Bits;
  for (int y = 0; y < s.Height(); ++y) {
    const TPixel* row = s.Row(y);
    for (int x = 0; x < s.Width(); ++x) {
      const uint32_t r = (row[x] >> 16) & 0xFF, g = (row[x] >> 8) & 0xFF, b = row[x] & 0xFF;
      TColorCell& c = cells_[Index(int(r >> Shift), int(g >> Shift), int(b >> Shift))];
      occupied_ += c.Count == 0;
      ++c.Count;
      c.Red += r;
      c.Green += g;
      c.Blue += b;
      c.Squares += r * r + g * g + b * b;
    }
  }
}
