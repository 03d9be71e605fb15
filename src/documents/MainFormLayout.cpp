// The main window's layout: the editor's panels, the centre area, the right column and the
// status bar.

#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QScreen>
#include <QVBoxLayout>

#include "documents/ActionList.h"
#include "documents/ImageBrowseFrm.h"
#include "documents/MainForm.h"
#include "documents/frames/FrameGrid.h"
#include "documents/properties/PropertiesPanel.h"
#include "editor/ColorPanel.h"
#include "editor/Editor.h"
#include "editor/ToolBox.h"
#include "editor/ZoomView.h"

namespace {

constexpr int StatusWidths[4] = {220, 150, 220, 50};

QWidget* Panel(const char* name, QWidget* parent) {
  auto* w = new QWidget(parent);
  w->setObjectName(name);
  return w;
}

}  // namespace

void TMainForm::BuildLayout() {
  BuildMenus();
  BuildToolBars();
  Splitter1 = new QSplitter(Qt::Horizontal);
  Splitter1->setObjectName("Splitter1");
  Splitter1->addWidget(editor_->Colors().Panel4);
  Splitter1->addWidget(editor_->Tools().ToolPanel);
  Splitter1->setChildrenCollapsible(false);
  Splitter1->hide();  // until an image is current
  BuildCentre();
  BuildRightColumn();
  MainSplitter = new QSplitter(Qt::Horizontal);
  MainSplitter->setObjectName("MainSplitter");
  MainSplitter->addWidget(CenterPanel);
  MainSplitter->addWidget(RightSplitter);
  MainSplitter->setStretchFactor(0, 1);
  MainSplitter->setChildrenCollapsible(false);
  MainSplitter->setSizes({700, 200});
  auto* central = Panel("CentralPanel", this);
  auto* layout = new QHBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(Splitter1);
  layout->addWidget(MainSplitter, 1);
  setCentralWidget(central);
  BuildStatusBar();
  // Until a placement is stored, the window opens in the middle of the screen, no larger than
  // the screen's free area (a small screen, or a large scale factor, leaves less than the usual
  // size).
  QSize size(1000, 720);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect free = screen->availableGeometry();
    size = size.boundedTo(free.size());
    resize(size);
    move(free.center() - rect().center());
  } else {
    resize(size);
  }
}

void TMainForm::BuildCentre() {
  CenterPanel = Panel("CenterPanel", nullptr);
  propertiesPanel_ = new TPropertiesPanel(CenterPanel);
  QWidget* zoomArea = editor_->View().BackZoomPanel;
  zoomArea->setParent(CenterPanel);
  frameGrid_ = new TFrameGrid(*actions_, CenterPanel);
  auto* layout = new QVBoxLayout(CenterPanel);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(propertiesPanel_);
  layout->addWidget(zoomArea, 1);
  layout->addWidget(frameGrid_, 1);
}

void TMainForm::BuildRightColumn() {
  RightSplitter = new QSplitter(Qt::Vertical);
  RightSplitter->setObjectName("RightSplitter");
  RightSplitter->setMinimumWidth(64);
  Navigator = new TImageBrowseFrm;
  RightSplitter->addWidget(editor_->View().ViewBox);
  RightSplitter->addWidget(Navigator);
  RightSplitter->setChildrenCollapsible(false);
  RightSplitter->setSizes({220, 400});
}

void TMainForm::BuildStatusBar() {
  StatBar = new QStatusBar(this);
  StatBar->setObjectName("StatBar");
  const QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  for (int i = 0; i < 4; ++i) {
    StatPanels[i] = new QLabel(StatBar);
    StatPanels[i]->setObjectName(QString("StatPanel%1").arg(i));
    // Each panel keeps its width while the window has room and shares a narrow window in
    // proportion, so the status bar never makes the window wider than a small screen.
    StatPanels[i]->setMinimumWidth(StatusWidths[i] / 5);
    StatPanels[i]->setMaximumWidth(StatusWidths[i]);
    StatPanels[i]->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    StatPanels[i]->setFont(fixed);
    StatPanels[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    StatBar->addWidget(StatPanels[i], StatusWidths[i]);
  }
  setStatusBar(StatBar);
}
