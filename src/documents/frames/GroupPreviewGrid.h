#pragma once
// TGroupPreviewGrid: the thumbnail grid of a group's frames. Beyond the picture grid it keeps the
// current cell in view, reports right clicks for the context menu, and tells screen readers what
// it shows: a table named "Frames" whose cells carry the frames' navigator names ("Frame2").

#include "controls/PicDrawGrid.h"

class TGroupPreviewGrid : public TPicDrawGrid {
  Q_OBJECT
 public:
  explicit TGroupPreviewGrid(QWidget* parent = nullptr);
  ~TGroupPreviewGrid() override;

  // The prefix of the cells' names; a cell's name is the prefix and its frame index.
  QString ChildName;

  // The frame index of a cell and the cell of a frame index (false when there is none).
  int CurrentFrame() const { return GetCellIndex(Col(), Row()); }
  bool FrameCell(int index, int& col, int& row) const;

  // Scrolls so that the cell is wholly visible, as far as it fits.
  void ScrollToCell(int col, int row);

 signals:
  // A right click (or the menu key) asks for the context menu at a global position; `col` and
  // `row` are the clicked cell, -1 when the click was on no cell.
  void ContextPopup(int col, int row, const QPoint& globalPosition);

 protected:
  void contextMenuEvent(QContextMenuEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
};
