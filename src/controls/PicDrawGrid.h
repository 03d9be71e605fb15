#pragma once
// TPicDrawGrid: the grid of frame thumbnails. Cells after the fixed header row and column show
// the pictures of PictureList in reading order; the current cell is framed in MarkColor while the
// grid has the focus and in navy otherwise.

#include <QImage>
#include <vector>

#include "controls/DrawGrid.h"

struct TGridPicture {
  QImage Image;
  bool Transparent = false;
  QRgb TransparentColor = 0;  // compared without the alpha byte
};

class TPicDrawGrid : public TDrawGrid {
  Q_OBJECT
 public:
  explicit TPicDrawGrid(QWidget* parent = nullptr);

  // One picture per frame, filled and cleared by the grid's user.
  std::vector<TGridPicture> PictureList;

  QColor MarkColor() const { return markColor_; }
  void SetMarkColor(const QColor& color);

  // The picture index shown in a cell, or -1 when the cell shows none.
  int GetCellIndex(int col, int row) const;

  // Where a picture of this size is drawn inside a cell's room (1:1 centred when it fits, else
  // scaled down keeping its proportions and centred).
  static QRect FitPicture(const QSize& picture, const QRect& room);

 protected:
  void DrawCell(QPainter& p, int col, int row, const QRect& rect,
                const TGridDrawState& state) override;

 private:
  void DrawPicture(QPainter& p, const TGridPicture& picture, const QRect& cell) const;

  QColor markColor_{0, 128, 128};
};
