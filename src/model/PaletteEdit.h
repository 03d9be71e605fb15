#pragma once
// What the palette editor does to a palette record: computed colour ramps, the grey palette of a
// new size, and laying runs of dropped colours onto a palette shown as a grid of cells.

#include <vector>

#include "model/Colors.h"
#include "model/Palette.h"

// Colour `index` of a ramp of `steps` colours from `begin` to `end`. Each channel is
// begin + (end - begin) * index / (steps - 1), rounded half away from zero, then snapped to the
// eight-step raster people expect (a value one above a multiple of 8 goes down to it, one below
// goes up to it, 255 stays). Fewer than 2 steps count as 2; an index past the end is the last
// colour, one below 0 the first.
TColor RampColor(TColor begin, TColor end, int steps, int index);

// A palette of `count` entries (at most the record's room) in a repeating pattern of three
// greys, so that the cells of a new palette are told apart.
void FillNewPalette(TPaletteRecord& pal, int count);

// The palette shown as a grid of `cols` x `rows` cells, cell (c, r) being entry c + r * cols.
// Cells past the end of the record's room do not exist.
class TPaletteCells {
 public:
  TPaletteCells(TPaletteRecord& pal, int cols, int rows) : pal_(pal), cols_(cols), rows_(rows) {}

  bool Contains(int col, int row) const;
  // The cell's colour; 0 for a cell outside the grid.
  TColor CellColor(int col, int row) const;
  // Stores the colour (flags 0); a cell outside the grid is left alone.
  void SetCellColor(TColor color, int col, int row);
  // Lays `colors` down from cell (col, row): down the column, on into the next column, or along
  // the row, on into the next row, wrapping round the whole grid, so a run longer than the grid
  // overwrites its own first cells. The entry count never changes.
  void PlaceRun(const std::vector<TColor>& colors, int col, int row, bool rowWise);

 private:
  TPaletteRecord& pal_;
  int cols_;
  int rows_;
};
