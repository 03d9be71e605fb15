#pragma once
// Palette choice by cutting the colour cube into boxes (Wu's greedy variance cuts).
//
// Summed-area tables over the histogram's moments give any box's count, mean and variance in a
// few reads, so each cut tries every plane along the three axes and keeps the one that leaves
// the least variance in the two halves. The box with the largest variance is cut next, until
// there are as many boxes as colours wanted or no box can be cut any more. Each box gives its
// mean colour, so the colours follow the pixels' density and keep each pixel's own error small.

#include <cstdint>
#include <vector>

#include "model/ColorHistogram.h"
#include "model/Colors.h"

class TColorBoxes {
 public:
  // With `countExponent` below 1 a cell of n pixels weighs n^countExponent, so that small groups
  // of distant colours get boxes of their own sooner than their numbers alone would give them.
  explicit TColorBoxes(const TColorHistogram& histogram, double countExponent = 1.0);

  // At most `maxColors` (at least 1) distinct colours with high byte 0, the mean of each box;
  // none for an empty histogram.
  std::vector<TColor> Colors(int maxColors) const;

 private:
  static constexpr int Levels = TColorHistogram::Levels;
  static constexpr int Side = Levels + 1;  // plane 0 holds the zeros of the summed-area tables

  // A box of cells: lower bounds exclusive, upper bounds inclusive, in table coordinates.
  struct TBox {
    int Low[3], High[3];
  };
  // The summed moments of a box.
  struct TMoments {
    double Weight, R, G, B, Squares;
  };

  static int At(int r, int g, int b) { return (r * Side + g) * Side + b; }
  TMoments Sum(const TBox& box) const;
  double Variance(const TBox& box) const;
  bool Cut(TBox& box, TBox& other) const;

  // Summed-area tables, one per moment.
  std::vector<double> weight_, red_, green_, blue_, squares_;
};
