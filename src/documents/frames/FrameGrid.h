#pragma once
// TFrameGrid: the frame grid that takes the canvas's place while a group is current, with its
// small tool bar (add, insert and delete frame, play) and its context menu. The frame commands
// (frames/FrameCommands) fill it and act on it.

#include <QMenu>
#include <QToolBar>
#include <QWidget>

#include "controls/PicDrawGrid.h"

class TActionList;
class TImageGroup;

class TFrameGrid : public QWidget {
  Q_OBJECT
 public:
  TFrameGrid(TActionList& actions, QWidget* parent = nullptr);

  QToolBar* FrameToolBar;
  TPicDrawGrid* GroupPreview;
  QMenu* GroupPopup;

  // Shows the frames of `group`; today the grid is emptied until the frame commands fill it.
  void FillFrameGrid(TImageGroup* group);
};
