#pragma once
// The colours of a surface counted in cells of 8 x 8 x 8 channel values, with the moments the
// palette choosers need: per cell the pixel count, the channel sums and the sum of squared
// channels.

#include <cstdint>
#include <vector>

#include "model/Surface.h"

struct TColorCell {
  uint32_t Count = 0;
  uint64_t Red = 0, Green = 0, Blue = 0, Squares = 0;
};

class TColorHistogram {
 public:
  static constexpr int Bits = 5;
  static constexpr int Levels = 1 << Bits;  // cells per channel

  explicit TColorHistogram(const TSurface& s);

  // Cell coordinates run from 0 to Levels - 1; a channel value v falls into cell v >> 3.
  const TColorCell& Cell(int r, int g, int b) const { return cells_[Index(r, g, b)]; }
  static int Index(int r, int g, int b) { return (((r << Bits) | g) << Bits) | b; }
  int OccupiedCells() const { return occupied_; }

 private:
  std::vector<TColorCell> cells_;
  int occupied_ = 0;
};
