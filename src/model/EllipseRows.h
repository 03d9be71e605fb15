#pragma once
// Row geometry of the ellipse inscribed in a w x h box (an internal helper of the drawing
// primitives).
//
// The shape is described by one number per row of its upper half: the column (counted from the
// box's left edge) of its rightmost pixel. The left end is the mirror image, and the lower half
// mirrors the upper one, so the shape is exactly symmetric about the box's centre for every size.
// The outline of a row is the part of the row that reaches beyond the row nearer the top (at
// least its end pixel), which makes the outline the 4-connected border of the filled shape: one
// pixel thick, 8-connected and closed, with the fill meeting it without holes.

#include <cstdint>

class TEllipseRows {
 public:
  // w and h are at least 1 and below 2^32.
  TEllipseRows(int64_t width, int64_t height);

  // Row y (0 = the box's top row) as columns counted from the box's left edge: the shape covers
  // [From, To]; the inside is [InsideFrom, InsideTo] when HasInside(), and the outline is the
  // rest (the whole row when there is no inside).
  struct TRow {
    int64_t From, To, InsideFrom, InsideTo;
    bool HasInside() const { return InsideFrom <= InsideTo; }
  };
  TRow Row(int64_t y) const;

 private:
  // Rightmost column of upper-half row j (0 .. lastUpper_), before and after thinning corners.
  int64_t RawExtent(int64_t j) const;
  int64_t Extent(int64_t j) const;

  int64_t width_;
  int64_t height_;
  uint64_t a_;  // doubled semi-axes between the centres of the outermost pixels: w - 1, h - 1
  uint64_t b_;
  int64_t lastUpper_;  // the last row of the upper half (the middle row when h is odd)
};
