#include "model/PaletteEdit.h"

#include <algorithm>
#include <cmath>

namespace {

int RampChannel(int from, int to, int steps, int index) {
  const double exact = double(to - from) * index / (steps - 1);
  // std::round rounds halves away from zero, as the ramp's colours were chosen.
  int v = std::clamp(from + int(std::round(exact)), 0, 255);
  if (v % 8 == 1) --v;
  else if (v % 8 == 7 && v != 255) ++v;
  return v;
}

}  // namespace

TColor RampColor(TColor begin, TColor end, int steps, int index) {
  steps = std::max(steps, 2);
  index = std::clamp(index, 0, steps - 1);
  return MakeColor(RampChannel(RedOf(begin), RedOf(end), steps, index),
                   RampChannel(GreenOf(begin), GreenOf(end), steps, index),
                   RampChannel(BlueOf(begin), BlueOf(end), steps, index));
}

void FillNewPalette(TPaletteRecord& pal, int count) {
  static constexpr int Greys[3] = {128, 168, 192};
  count = std::clamp(count, 0, MaxPaletteEntries);
  pal.Version = PaletteVersion;
  pal.Count = uint16_t(count);
  for (int i = 0; i < count; ++i) pal.SetColor(i, MakeColor(Greys[i % 3], Greys[i % 3], Greys[i % 3]));
}

bool TPaletteCells::Contains(int col, int row) const {
  if (col < 0 || row < 0 || col >= cols_ || row >= rows_) return false;
  return col + row * cols_ < MaxPaletteEntries;
}

TColor TPaletteCells::CellColor(int col, int row) const {
  return Contains(col, row) ? pal_.Color(col + row * cols_) : 0;
}

void TPaletteCells::SetCellColor(TColor color, int col, int row) {
  if (Contains(col, row)) pal_.SetColor(col + row * cols_, StripHighByte(color));
}

void TPaletteCells::PlaceRun(const std::vector<TColor>& colors, int col, int row, bool rowWise) {
  if (cols_ < 1 || rows_ < 1) return;
  for (const TColor color : colors) {
    SetCellColor(color, col, row);
    if (rowWise) {
      if (++col >= cols_) {
        col = 0;
        if (++row >= rows_) row = 0;
      }
    } else if (++row >= rows_) {
      row = 0;
      if (++col >= cols_) col = 0;
    }
  }
}
