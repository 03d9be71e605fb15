#pragma once
// TFrameGrid: the frame grid that takes the canvas's place while a group is current, with its
// small tool bar (add, insert and delete frame, play) and its context menu. It shows one
// thumbnail per frame in cells sized for the group's largest frame, as many columns as fit; the
// frame commands (frames/FrameCommands) act on its current cell.

#include <QMenu>
#include <QToolBar>
#include <QWidget>

#include "documents/frames/GroupPreviewGrid.h"

class TActionList;
class TImageGroup;

class TFrameGrid : public QWidget {
  Q_OBJECT
 public:
  TFrameGrid(TActionList& actions, QWidget* parent = nullptr);

  // The header row and column, and the largest thumbnail shown at its own size.
  static constexpr int HeaderSize = 16;
  static constexpr int MaxThumbWidth = 256;
  static constexpr int MaxThumbHeight = 192;

  QToolBar* FrameToolBar;
  TGroupPreviewGrid* GroupPreview;
  QMenu* GroupPopup;

  // Shows the frames of `group` (nothing for null) with the first frame current.
  void FillFrameGrid(const TImageGroup* group);
  // Lays the cells out for the grid's width again, keeping the current frame.
  void LayoutCells();
  int FrameCount() const { return int(GroupPreview->PictureList.size()); }
  // The current cell's frame index, -1 without frames.
  int CurrentFrame() const { return GroupPreview->CurrentFrame(); }
  // Makes the frame's cell current (clamped to the frames there are).
  void SelectFrame(int index);

 signals:
  // Double click or Enter on the grid: the current cell's frame is to be opened.
  void OpenFrame(int index);

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void GroupPreviewContextPopup(int col, int row, const QPoint& globalPosition);
  bool GroupPreviewSelectCell(int col, int row) const;
  bool GroupPreviewKeyPress(QKeyEvent* event);
  // The number of columns, the header column included, for a client width.
  int ColumnsFor(int clientWidth) const;

  QSize cellSize_;
};
