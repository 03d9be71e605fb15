#include "palettes/PaletteGrid.h"

#include <QPainter>
#include <algorithm>

#include "controls/DrawGrid.h"

TPaletteGridShape PaletteGridShape(int count) {
  TPaletteGridShape shape;
  shape.Cols = count <= 16 ? 2 : count <= 32 ? 4 : 8;
  shape.Rows = std::max(count / shape.Cols + (count % shape.Cols != 0 ? 1 : 0), 1);
  return shape;
}

int SharedCellSize(int total, int parts, int index) {
  total = std::max(total, 0);
  return total / parts + (index < total % parts ? 1 : 0);
}

void SetupPaletteGrid(TDrawGrid& grid) {
  grid.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid.setFrameShape(QFrame::NoFrame);
  grid.SetGridLineWidth(0);
  grid.SetFixedCols(0);
  grid.SetFixedRows(0);
  grid.setToolTip("Color palette");
  grid.SetColCount(8);
  grid.SetRowCount(33);
}

void LayoutPaletteGrid(TDrawGrid& grid, int count) {
  const TPaletteGridShape shape = PaletteGridShape(count);
  const QSize client = grid.ClientSize();
  grid.SetColCount(shape.Cols);
  grid.SetRowCount(shape.Rows);
  grid.SetDefaultColWidth(std::max(client.width(), 0) / shape.Cols);
  grid.SetDefaultRowHeight(std::max(client.height(), 0) / shape.Rows);
  for (int c = 0; c < client.width() % shape.Cols; ++c)
    grid.SetColWidth(c, SharedCellSize(client.width(), shape.Cols, c));
  for (int r = 0; r < client.height() % shape.Rows; ++r)
    grid.SetRowHeight(r, SharedCellSize(client.height(), shape.Rows, r));
  grid.viewport()->update();
}

int PaletteCellIndex(const TDrawGrid& grid, int col, int row) {
  return col + row * grid.ColCount();
}

TColor ContrastOutlineColor(TColor fill) {
  const auto flip = [](int v) { return v < 128 ? 255 : 0; };
  return MakeColor(flip(RedOf(fill)), flip(GreenOf(fill)), flip(BlueOf(fill)));
}

namespace {

QColor ToQColor(TColor c) {
  return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

}  // namespace

void DrawPaletteCell(QPainter& p, const QRect& rect, const TPaletteRecord& palette, int index,
                     bool selected, bool contrast) {
  const TColor fill =
      index >= 0 && index < PaletteEntryCount(palette) ? palette.Color(index) : clSilver;
  p.fillRect(rect, ToQColor(fill));
  if (!selected || rect.width() < 1 || rect.height() < 1) return;
  p.setPen(ToQColor(contrast ? ContrastOutlineColor(fill) : fill));
  p.setBrush(Qt::NoBrush);
  p.drawRect(rect.adjusted(0, 0, -1, -1));
}

QString ColorRgbText(TColor c) {
  return QString("%1, %2, %3").arg(RedOf(c)).arg(GreenOf(c)).arg(BlueOf(c));
}

QString ColorHtmlText(TColor c) {
  return QString("#%1%2%3")
      .arg(RedOf(c), 2, 16, QChar('0'))
      .arg(GreenOf(c), 2, 16, QChar('0'))
      .arg(BlueOf(c), 2, 16, QChar('0'))
      .toUpper();
}
