// The main window's layout: centre area, right column, status bar.

#include <QFontDatabase>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QScreen>
#include <QVBoxLayout>

#include "documents/ActionList.h"
#include "documents/ImageBrowseFrm.h"
#include "documents/MainForm.h"

namespace {

constexpr int StatusWidths[4] = {220, 150, 220, 50};
constexpr int CollapsedPropertiesHeight = 8;

QWidget* Panel(const char* name, QWidget* parent) {
  auto* w = new QWidget(parent);
  w->setObjectName(name);
  return w;
}

}  // namespace

void TMainForm::BuildLayout() {
  BuildMenus();
  BuildToolBars();
  BuildColorPanel();
  BuildToolBox();
  Splitter1 = new QSplitter(Qt::Horizontal);
  Splitter1->setObjectName("Splitter1");
  Splitter1->addWidget(Panel4);
  Splitter1->addWidget(ToolPanel);
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
  resize(1000, 720);
  // Until a placement is stored, the window opens in the middle of the screen.
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

void TMainForm::BuildCentre() {
  CenterPanel = Panel("CenterPanel", nullptr);
  AdvPanel3 = Panel("AdvPanel3", CenterPanel);
  AdvPanel3->setFixedHeight(CollapsedPropertiesHeight);
  pnlProperties = Panel("pnlProperties", AdvPanel3);
  pnlProperties->setFixedHeight(50);
  pnlProperties->hide();
  auto* layout = new QVBoxLayout(CenterPanel);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(AdvPanel3);
  layout->addWidget(BuildZoomArea(), 1);
  layout->addWidget(BuildGroupPanel(), 1);
}

QWidget* TMainForm::BuildZoomArea() {
  BackZoomPanel = Panel("BackZoomPanel", CenterPanel);
  ZoomPanel = Panel("ZoomPanel", BackZoomPanel);
  ZoomPanel->setAutoFillBackground(true);
  QPalette gray = ZoomPanel->palette();
  gray.setColor(QPalette::Window, QColor(128, 128, 128));
  ZoomPanel->setPalette(gray);
  ZoomPanel->setFocusPolicy(Qt::ClickFocus);
  ZoomBox = new TPaintBox(ZoomPanel);
  ZoomBox->setObjectName("ZoomBox");
  ZoomBox->setGeometry(0, 0, 0, 0);
  HScr = new QScrollBar(Qt::Horizontal, BackZoomPanel);
  VScr = new QScrollBar(Qt::Vertical, BackZoomPanel);
  for (QScrollBar* bar : {HScr, VScr}) {
    bar->setPageStep(16);
    bar->setFocusPolicy(Qt::NoFocus);
    bar->hide();
  }
  HScr->setObjectName("HScr");
  VScr->setObjectName("VScr");
  auto* grid = new QGridLayout(BackZoomPanel);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setSpacing(0);
  grid->addWidget(ZoomPanel, 0, 0);
  grid->addWidget(VScr, 0, 1);
  grid->addWidget(HScr, 1, 0);
  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setInterval(100);
  return BackZoomPanel;
}

QWidget* TMainForm::BuildGroupPanel() {
  GroupPanel = Panel("GroupPanel", CenterPanel);
  FrameToolBar = new QToolBar("Frames", GroupPanel);
  FrameToolBar->setObjectName("FrameToolBar");
  FrameToolBar->setIconSize({16, 16});
  for (const char* name : {"AddFrameAct", "InsertFrameAct", "DelFrameAct", "-", "MovieAct"}) {
    if (name[0] == '-')
      FrameToolBar->addSeparator();
    else
      FrameToolBar->addAction(&Act(name));
  }
  GroupPreview = new TPicDrawGrid(GroupPanel);
  GroupPreview->setObjectName("GroupPreview");
  GroupPreview->SetMarkColor(QColor(255, 0, 0));
  GroupPopup = new QMenu(GroupPreview);
  GroupPopup->setObjectName("GroupPopup");
  for (const char* name :
       {"CutAct", "CopyAct", "PasteAct", "-", "AddFrameAct", "InsertFrameAct", "DelFrameAct"}) {
    if (name[0] == '-')
      GroupPopup->addSeparator();
    else
      GroupPopup->addAction(&Act(name));
  }
  auto* layout = new QVBoxLayout(GroupPanel);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(FrameToolBar);
  layout->addWidget(GroupPreview, 1);
  GroupPanel->hide();
  return GroupPanel;
}

void TMainForm::BuildRightColumn() {
  RightSplitter = new QSplitter(Qt::Vertical);
  RightSplitter->setObjectName("RightSplitter");
  RightSplitter->setMinimumWidth(64);
  ViewBox = new QScrollArea;
  ViewBox->setObjectName("ViewBox");
  ViewBox->setToolTip("Preview area");
  auto* previewHost = Panel("PreviewHost", nullptr);
  previewHost->setAutoFillBackground(true);
  QPalette silver = previewHost->palette();
  silver.setColor(QPalette::Window, QColor(192, 192, 192));
  previewHost->setPalette(silver);
  ViewImg = new TPaintBox(previewHost);
  ViewImg->setObjectName("ViewImg");
  ViewImg->setGeometry(8, 8, 0, 0);
  ViewBox->setWidget(previewHost);
  ViewBox->setWidgetResizable(true);
  Navigator = new TImageBrowseFrm;
  RightSplitter->addWidget(ViewBox);
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
    StatPanels[i]->setFixedWidth(StatusWidths[i]);
    StatPanels[i]->setFont(fixed);
    StatPanels[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    StatBar->addWidget(StatPanels[i]);
  }
  setStatusBar(StatBar);
}
