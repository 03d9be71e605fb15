#include "documents/frames/FrameGrid.h"

#include <QVBoxLayout>

#include "documents/ActionList.h"

TFrameGrid::TFrameGrid(TActionList& actions, QWidget* parent) : QWidget(parent) {
  setObjectName("GroupPanel");
  FrameToolBar = new QToolBar("Frames", this);
  FrameToolBar->setObjectName("FrameToolBar");
  FrameToolBar->setIconSize({16, 16});
  for (const char* name : {"AddFrameAct", "InsertFrameAct", "DelFrameAct", "-", "MovieAct"}) {
    if (name[0] == '-')
      FrameToolBar->addSeparator();
    else
      FrameToolBar->addAction(&actions[name]);
  }
  GroupPreview = new TPicDrawGrid(this);
  GroupPreview->setObjectName("GroupPreview");
  GroupPreview->SetMarkColor(QColor(255, 0, 0));
  GroupPreview->SetRowHeight(0, 16);
  GroupPreview->SetColWidth(0, 16);
  GroupPopup = new QMenu(GroupPreview);
  GroupPopup->setObjectName("GroupPopup");
  for (const char* name :
       {"CutAct", "CopyAct", "PasteAct", "-", "AddFrameAct", "InsertFrameAct", "DelFrameAct"}) {
    if (name[0] == '-')
      GroupPopup->addSeparator();
    else
      GroupPopup->addAction(&actions[name]);
  }
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(FrameToolBar);
  layout->addWidget(GroupPreview, 1);
  hide();
}

void TFrameGrid::FillFrameGrid(TImageGroup*) {
  GroupPreview->PictureList.clear();
  GroupPreview->viewport()->update();
}
