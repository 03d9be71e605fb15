#pragma once
// The palette grid shared by the stored-palette chooser, the colour choice dialog and the
// palette editor: a draw grid without scroll bars or lines whose cells exactly fill its client
// area, one cell per palette entry, silver cells past the end of the palette.

#include <QString>

#include "model/Palette.h"

class QPainter;
class QRect;
class TDrawGrid;

// The entries a record really holds: its count, but never past the record's room, so a record
// with a wild count cannot make a grid read beyond it.
inline int PaletteEntryCount(const TPaletteRecord& palette) {
  return palette.Count < MaxPaletteEntries ? int(palette.Count) : MaxPaletteEntries;
}

struct TPaletteGridShape {
  int Cols = 0;
  int Rows = 0;
};

// 2 columns up to 16 entries, 4 up to 32, else 8; as many rows as needed, at least one.
TPaletteGridShape PaletteGridShape(int count);

// Sizes that share `total` pixels among `parts` cells: each gets total div parts, and the first
// total mod parts cells one pixel more.
int SharedCellSize(int total, int parts, int index);

// Makes a draw grid a palette grid: no scroll bars, frame, grid lines or fixed cells; the hint
// "Color palette"; 8 columns and 33 rows until the first layout.
void SetupPaletteGrid(TDrawGrid& grid);

// Lays the grid out for a palette of `count` entries so that its cells fill the client area.
void LayoutPaletteGrid(TDrawGrid& grid, int count);

// The palette index of a cell of a palette grid.
int PaletteCellIndex(const TDrawGrid& grid, int col, int row);

// The outline that stands out against a fill colour: per channel 255 below 128, else 0.
TColor ContrastOutlineColor(TColor fill);

// Draws one cell: the entry's colour (silver past the end of the palette); a selected cell gets a
// one-pixel outline, in the contrasting colour when `contrast` is on, else in its own colour.
void DrawPaletteCell(QPainter& p, const QRect& rect, const TPaletteRecord& palette, int index,
                     bool selected, bool contrast);

// "255, 128, 0" and "#FF8000".
QString ColorRgbText(TColor c);
QString ColorHtmlText(TColor c);
