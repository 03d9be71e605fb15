// The colour panel and the tool box on the left of the main window.

#include <QGridLayout>
#include <QVBoxLayout>

#include "controls/Pictures.h"
#include "documents/ActionList.h"
#include "documents/MainForm.h"

namespace {

constexpr int ToolGroup = 1;
constexpr int ClosedStyleGroup = 2;
constexpr int SelModeGroup = 3;

TAdvSpeedButton* Button(QWidget* parent, const char* name, const char* icon, const char* hint,
                        int group, bool allowAllUp, QSize size) {
  auto* b = new TAdvSpeedButton(parent);
  b->setObjectName(name);
  b->SetGlyph(Pictures::CommandIcon(icon));
  b->setToolTip(QString::fromUtf8(hint).replace("\r\n", "\n"));
  b->SetGroupIndex(group);
  b->SetAllowAllUp(allowAllUp);
  b->setFixedSize(size);
  return b;
}

TAdvPanel* Swatch(QWidget* parent, const char* name, QRect geometry, QColor color) {
  auto* s = new TAdvPanel(parent);
  s->setObjectName(name);
  s->setGeometry(geometry);
  s->SetColor(color);
  return s;
}

QVBoxLayout* BarLayout(QWidget* bar) {
  auto* layout = new QVBoxLayout(bar);
  layout->setContentsMargins(1, 4, 1, 0);
  layout->setSpacing(0);
  return layout;
}

}  // namespace

void TMainForm::BuildColorPanel() {
  Panel4 = new QWidget;
  Panel4->setObjectName("Panel4");
  Panel4->setMaximumWidth(120);
  Panel4->setMinimumWidth(100);
  ColorGrid = new TDrawGrid(Panel4);
  ColorGrid->setObjectName("ColorGrid");
  ColorGrid->SetFixedCols(0);
  ColorGrid->SetFixedRows(0);
  ColorGrid->SetGridLineWidth(0);
  ColorGrid->SetDefaultColWidth(12);
  ColorGrid->SetDefaultRowHeight(12);
  ColorGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  ColorGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  ColorGrid->viewport()->setCursor(Pictures::LoadCursor("CR_PICK"));
  AdvPanel1 = new QWidget(Panel4);
  AdvPanel1->setObjectName("AdvPanel1");
  AdvPanel1->setFixedHeight(72);
  // The right swatch lies partly behind the left one; the middle swatch sits on their overlap.
  RightColPanel = Swatch(AdvPanel1, "RightColPanel", {24, 24, 40, 40}, Qt::white);
  LeftColPanel = Swatch(AdvPanel1, "LeftColPanel", {4, 4, 40, 40}, QColor(0, 128, 128));
  MColor = Swatch(AdvPanel1, "MColor", {24, 24, 20, 20}, QColor(128, 192, 192));
  PreviewCol = Swatch(AdvPanel1, "PreviewCol", {68, 4, 23, 60}, QColor(192, 192, 192));
  SwapColBtn = Button(AdvPanel1, "SwapColBtn", "SwapColors", "", 0, false, {22, 22});
  SwapColBtn->move(94, 4);
  SwapColBtn->SetAction(&Act("SwapColors"));
  ChangePalBtn = Button(AdvPanel1, "ChangePalBtn", "PaletteEditorAct", "", 0, false, {22, 22});
  ChangePalBtn->move(94, 30);
  ChangePalBtn->SetAction(&Act("PaletteEditorAct"));
  ToolBar1 = new QToolBar(Panel4);
  ToolBar1->setObjectName("ToolBar1");
  ToolBar1->setIconSize({16, 16});
  ToolBar1->addAction(&Act("GetTranspColAct"));
  ToolBar1->addAction(&Act("GetInvColorAct"));
  auto* layout = new QVBoxLayout(Panel4);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(2);
  layout->addWidget(ColorGrid, 1);
  layout->addWidget(AdvPanel1);
  layout->addWidget(ToolBar1);
}

QWidget* TMainForm::BuildToolButtons() {
  auto* host = new QWidget;
  host->setObjectName("ToolButtons");
  const QSize size(22, 22);
  SelectBtn = Button(host, "SelectBtn", "Select1",
                     "Select/Move tool\r\nLeft button - select\r\nRight button - move\r\n<ESC>",
                     ToolGroup, false, size);
  WandBtn = Button(host, "WandBtn", "Magicwand1", "Color select.", ToolGroup, false, size);
  PencilBtn = Button(host, "PencilBtn", "Pencil1", "Pencil tool <Ctrl+P>", ToolGroup, false, size);
  LineBtn = Button(host, "LineBtn", "Line1", "Line tool <Ctrl+L>", ToolGroup, false, size);
  FillBtn = Button(host, "FillBtn", "Fill1", "Flood fill tool <Ctrl+F>", ToolGroup, false, size);
  TextBtn = Button(host, "TextBtn", "Text1", "Text <Ctrl+T>", ToolGroup, false, size);
  RectBtn = Button(host, "RectBtn", "Rectangle1", "Edge based Rectangle <Ctrl+R>", ToolGroup, false,
                   size);
  CenterRectBtn = Button(host, "CenterRectBtn", "CenterRectAct1",
                         "Center based rectangle <Ctrl+Alt+R>", ToolGroup, false, size);
  EllipseBtn =
      Button(host, "EllipseBtn", "Ellipse1", "Edge based ellipse <Ctrl+E>", ToolGroup, false, size);
  CenterEllipseBtn = Button(host, "CenterEllipseBtn", "Centerellipse1",
                            "Center based ellipse <Ctrl+Alt+E>", ToolGroup, false, size);
  SetTransparentBtn = Button(host, "SetTransparentBtn", "Settransparentcolor1",
                             "Set transparent color", ToolGroup, false, size);
  auto* grid = new QGridLayout(host);
  grid->setContentsMargins(1, 1, 1, 1);
  grid->setSpacing(1);
  const TAdvSpeedButton* order[] = {SelectBtn,  WandBtn,          PencilBtn,        LineBtn,
                                    FillBtn,    TextBtn,          RectBtn,          CenterRectBtn,
                                    EllipseBtn, CenterEllipseBtn, SetTransparentBtn};
  for (int i = 0; i < 11; ++i)
    grid->addWidget(const_cast<TAdvSpeedButton*>(order[i]), i / 2, i % 2);
  return host;
}

QWidget* TMainForm::BuildClosedStyleBar() {
  ClosedStyleBar = new QWidget;
  ClosedStyleBar->setObjectName("ClosedStyleBar");
  const QSize size(45, 20);
  ctOutlineBtn = Button(ClosedStyleBar, "ctOutlineBtn", "ctOutlineBtn", "Outline only",
                        ClosedStyleGroup, true, size);
  ctOutFillBtn = Button(ClosedStyleBar, "ctOutFillBtn", "ctOutFillBtn", "Fill and outline",
                        ClosedStyleGroup, true, size);
  ctFillOnlyBtn = Button(ClosedStyleBar, "ctFillOnlyBtn", "ctFillOnlyBtn", "Fill only",
                         ClosedStyleGroup, true, size);
  ctOutFillBtn->SetDown(true);
  QVBoxLayout* layout = BarLayout(ClosedStyleBar);
  for (TAdvSpeedButton* b : {ctOutlineBtn, ctOutFillBtn, ctFillOnlyBtn}) layout->addWidget(b);
  ClosedStyleBar->hide();
  return ClosedStyleBar;
}

QWidget* TMainForm::BuildSelModeBar() {
  SelModeBar = new QWidget;
  SelModeBar->setObjectName("SelModeBar");
  const QSize size(45, 20);
  PoorSelBtn = Button(SelModeBar, "PoorSelBtn", "PoorSelBtn", "Normal", SelModeGroup, false, size);
  AddSelBtn = Button(SelModeBar, "AddSelBtn", "AddSelBtn", "Additive", SelModeGroup, false, size);
  SubSelBtn =
      Button(SelModeBar, "SubSelBtn", "SubSelBtn", "Subtractive", SelModeGroup, false, size);
  XorSelBtn = Button(SelModeBar, "XorSelBtn", "XorSelBtn", "XOR", SelModeGroup, false, size);
  PoorSelBtn->SetDown(true);
  QVBoxLayout* layout = BarLayout(SelModeBar);
  for (TAdvSpeedButton* b : {PoorSelBtn, AddSelBtn, SubSelBtn, XorSelBtn}) layout->addWidget(b);
  SelModeBar->hide();
  return SelModeBar;
}

void TMainForm::BuildToolBox() {
  ToolPanel = new QWidget;
  ToolPanel->setObjectName("ToolPanel");
  ToolPanel->setMaximumWidth(50);
  auto* layout = new QVBoxLayout(ToolPanel);
  layout->setContentsMargins(1, 2, 1, 2);
  layout->setSpacing(0);
  layout->addWidget(BuildToolButtons());
  layout->addWidget(BuildClosedStyleBar());
  layout->addWidget(BuildSelModeBar());
  layout->addStretch(1);
}

void TMainForm::AttachToolMenuHandlers() {
  const std::pair<const char*, TAdvSpeedButton*> press[] = {{"Select1", SelectBtn},
                                                            {"Magicwand1", WandBtn},
                                                            {"Pencil1", PencilBtn},
                                                            {"Fill1", FillBtn},
                                                            {"Line1", LineBtn},
                                                            {"Rectangle1", RectBtn},
                                                            {"Ellipse1", EllipseBtn},
                                                            {"CenterRectAct1", CenterRectBtn},
                                                            {"Centerellipse1", CenterEllipseBtn}};
  for (const auto& [name, button] : press)
    Actions().OnExecute(name, [button] { button->SetDown(true); });
  // These two invert the button: pressing it when up, nothing when it is the pressed tool.
  for (const auto& [name, button] :
       {std::pair{"Text1", TextBtn}, std::pair{"Settransparentcolor1", SetTransparentBtn}})
    Actions().OnExecute(name, [button] { button->SetDown(!button->Down()); });
}

void TMainForm::AttachToolBarVisibility() {
  for (TAdvSpeedButton* b : {SelectBtn, WandBtn}) {
    connect(b, &TAdvSpeedButton::OnDown, SelModeBar, &QWidget::show);
    connect(b, &TAdvSpeedButton::OnUp, SelModeBar, &QWidget::hide);
  }
  for (TAdvSpeedButton* b : {RectBtn, EllipseBtn, CenterRectBtn, CenterEllipseBtn}) {
    connect(b, &TAdvSpeedButton::OnDown, ClosedStyleBar, &QWidget::show);
    connect(b, &TAdvSpeedButton::OnUp, ClosedStyleBar, &QWidget::hide);
  }
  SelModeBar->setVisible(SelectBtn->Down() || WandBtn->Down());
}
