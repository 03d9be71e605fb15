// The tool box: its buttons and bars, and which tool is active.

#include "editor/ToolBox.h"

#include <QGridLayout>
#include <QVBoxLayout>

#include "editor/EditorServices.h"
#include "editor/SpeedButtons.h"
#include "editor/ToolWindows.h"
#include "editor/ZoomView.h"
#include "editor/tools/ClosedShapeTool.h"
#include "editor/tools/FillTool.h"
#include "editor/tools/LineTool.h"
#include "editor/tools/PencilTool.h"
#include "editor/tools/SelectTool.h"
#include "editor/tools/SetTransparentTool.h"
#include "editor/tools/TextTool.h"
#include "editor/tools/WandTool.h"

namespace {

constexpr int ToolGroup = 1;
constexpr int ClosedStyleGroup = 2;
constexpr int SelModeGroup = 3;

// The bar a tool shows below the tool buttons while it is active.
enum class TToolBar : uint8_t { None, SelMode, ClosedStyle };

using TMakeTool = std::unique_ptr<ITool> (*)(IToolEnvironment&);

template <typename T>
std::unique_ptr<ITool> Make(IToolEnvironment& environment) {
  return std::make_unique<T>(environment);
}

template <TClosedKind Kind>
std::unique_ptr<ITool> MakeClosed(IToolEnvironment& environment) {
  return std::make_unique<TClosedShapeTool>(environment, Kind);
}

struct TToolDef {
  const char* Name;  // the button's object name
  const char* Icon;
  const char* Hint;
  const char* Command;  // its command in the Tools menu
  // The command inverts the button: it presses it when up, and changes nothing when it is the
  // pressed tool (a pressed button of the group cannot be released).
  bool Toggles;
  TAdvSpeedButton* TToolBox::*Field;
  TToolBar Bar;
  TMakeTool MakeTool;
};

// The tool buttons in the order of the grid, two to a row.
const TToolDef Tools[] = {
    {"SelectBtn", "Select1",
     "Select/Move tool\r\nLeft button - select\r\nRight button - move\r\n<ESC>", "Select1", false,
     &TToolBox::SelectBtn, TToolBar::SelMode, Make<TSelectTool>},
    {"WandBtn", "Magicwand1", "Color select.", "Magicwand1", false, &TToolBox::WandBtn,
     TToolBar::SelMode, Make<TWandTool>},
    {"PencilBtn", "Pencil1", "Pencil tool <Ctrl+P>", "Pencil1", false, &TToolBox::PencilBtn,
     TToolBar::None, Make<TPencilTool>},
    {"LineBtn", "Line1", "Line tool <Ctrl+L>", "Line1", false, &TToolBox::LineBtn, TToolBar::None,
     Make<TLineTool>},
    {"FillBtn", "Fill1", "Flood fill tool <Ctrl+F>", "Fill1", false, &TToolBox::FillBtn,
     TToolBar::None, Make<TFillTool>},
    {"TextBtn", "Text1", "Text <Ctrl+T>", "Text1", true, &TToolBox::TextBtn, TToolBar::None,
     Make<TTextTool>},
    {"RectBtn", "Rectangle1", "Edge based Rectangle <Ctrl+R>", "Rectangle1", false,
     &TToolBox::RectBtn, TToolBar::ClosedStyle, MakeClosed<ckEdgeRect>},
    {"CenterRectBtn", "CenterRectAct1", "Center based rectangle <Ctrl+Alt+R>", "CenterRectAct1",
     false, &TToolBox::CenterRectBtn, TToolBar::ClosedStyle, MakeClosed<ckCenterRect>},
    {"EllipseBtn", "Ellipse1", "Edge based ellipse <Ctrl+E>", "Ellipse1", false,
     &TToolBox::EllipseBtn, TToolBar::ClosedStyle, MakeClosed<ckEdgeEllipse>},
    {"CenterEllipseBtn", "Centerellipse1", "Center based ellipse <Ctrl+Alt+E>", "Centerellipse1",
     false, &TToolBox::CenterEllipseBtn, TToolBar::ClosedStyle, MakeClosed<ckCenterEllipse>},
    {"SetTransparentBtn", "Settransparentcolor1", "Set transparent color", "Settransparentcolor1",
     true, &TToolBox::SetTransparentBtn, TToolBar::None, Make<TSetTransparentTool>},
};

QVBoxLayout* BarLayout(QWidget* bar) {
  auto* layout = new QVBoxLayout(bar);
  layout->setContentsMargins(1, 4, 1, 0);
  layout->setSpacing(0);
  return layout;
}

}  // namespace

TToolBox::TToolBox(IToolEnvironment& environment, ICommandList& commands, QObject* parent)
    : QObject(parent), env_(environment), commands_(commands) {
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

TToolBox::~TToolBox() = default;

QWidget* TToolBox::BuildToolButtons() {
  auto* host = new QWidget;
  host->setObjectName("ToolButtons");
  auto* grid = new QGridLayout(host);
  grid->setContentsMargins(1, 1, 1, 1);
  grid->setSpacing(1);
  for (const TToolDef& def : Tools) {
    TAdvSpeedButton* button =
        MakeSpeedButton(host, def.Name, def.Icon, def.Hint, ToolGroup, false, {22, 22});
    this->*def.Field = button;
    const int index = int(slots_.size());
    grid->addWidget(button, index / 2, index % 2);
    slots_.push_back({button, def.MakeTool(env_)});
  }
  return host;
}

QWidget* TToolBox::BuildClosedStyleBar() {
  ClosedStyleBar = new QWidget;
  ClosedStyleBar->setObjectName("ClosedStyleBar");
  const QSize size(45, 20);
  ctOutlineBtn = MakeSpeedButton(ClosedStyleBar, "ctOutlineBtn", "ctOutlineBtn", "Outline only",
                                 ClosedStyleGroup, true, size);
  ctOutFillBtn = MakeSpeedButton(ClosedStyleBar, "ctOutFillBtn", "ctOutFillBtn", "Fill and outline",
                                 ClosedStyleGroup, true, size);
  ctFillOnlyBtn = MakeSpeedButton(ClosedStyleBar, "ctFillOnlyBtn", "ctFillOnlyBtn", "Fill only",
                                  ClosedStyleGroup, true, size);
  ctOutFillBtn->SetDown(true);
  QVBoxLayout* layout = BarLayout(ClosedStyleBar);
  for (TAdvSpeedButton* b : {ctOutlineBtn, ctOutFillBtn, ctFillOnlyBtn}) layout->addWidget(b);
  ClosedStyleBar->hide();
  return ClosedStyleBar;
}

QWidget* TToolBox::BuildSelModeBar() {
  SelModeBar = new QWidget;
  SelModeBar->setObjectName("SelModeBar");
  const QSize size(45, 20);
  PoorSelBtn =
      MakeSpeedButton(SelModeBar, "PoorSelBtn", "PoorSelBtn", "Normal", SelModeGroup, false, size);
  AddSelBtn =
      MakeSpeedButton(SelModeBar, "AddSelBtn", "AddSelBtn", "Additive", SelModeGroup, false, size);
  SubSelBtn = MakeSpeedButton(SelModeBar, "SubSelBtn", "SubSelBtn", "Subtractive", SelModeGroup,
                              false, size);
  XorSelBtn =
      MakeSpeedButton(SelModeBar, "XorSelBtn", "XorSelBtn", "XOR", SelModeGroup, false, size);
  PoorSelBtn->SetDown(true);
  QVBoxLayout* layout = BarLayout(SelModeBar);
  for (TAdvSpeedButton* b : {PoorSelBtn, AddSelBtn, SubSelBtn, XorSelBtn}) layout->addWidget(b);
  SelModeBar->hide();
  return SelModeBar;
}

bool TToolBox::IsToolCommand(std::string_view command) {
  for (const TToolDef& def : Tools)
    if (command == def.Command) return true;
  return false;
}

void TToolBox::AttachHandlers() {
  for (const TToolDef& def : Tools) {
    TAdvSpeedButton* button = this->*def.Field;
    // The Tools menu shows the active tool checked, whichever way it was chosen.
    QAction& command = commands_[def.Command];
    command.setCheckable(true);
    command.setChecked(button->Down());
    connect(button, &TAdvSpeedButton::OnDown, &command, [&command] { command.setChecked(true); });
    connect(button, &TAdvSpeedButton::OnUp, &command, [&command] { command.setChecked(false); });
    const bool toggles = def.Toggles;
    commands_.OnExecute(def.Command, [button, &command, toggles] {
      button->SetDown(toggles ? !button->Down() : true);
      // Triggering a checkable command has turned its check already; the button decides.
      command.setChecked(button->Down());
    });
  }
  AttachToolBarVisibility();
  for (TSlot& slot : slots_) {
    ITool* tool = slot.Tool.get();
    // A drag still running when the tool changes (a shortcut pressed while the mouse button is
    // held) ends first, so no drag state outlives its tool.
    connect(slot.Button, &TAdvSpeedButton::OnUp, this, [this, tool] { ToolUp(*tool); });
    connect(slot.Button, &TAdvSpeedButton::OnDown, this, [this, tool] { ToolDown(*tool); });
  }
  // The select tool was pressed at start, before the buttons had handlers.
  for (TSlot& slot : slots_)
    if (slot.Button->Down()) ToolDown(*slot.Tool);
}

void TToolBox::AttachToolBarVisibility() {
  for (const TToolDef& def : Tools) {
    QWidget* bar = def.Bar == TToolBar::SelMode       ? SelModeBar
                   : def.Bar == TToolBar::ClosedStyle ? ClosedStyleBar
                                                      : nullptr;
    if (!bar) continue;
    TAdvSpeedButton* button = this->*def.Field;
    connect(button, &TAdvSpeedButton::OnDown, bar, &QWidget::show);
    connect(button, &TAdvSpeedButton::OnUp, bar, &QWidget::hide);
    if (button->Down()) bar->show();
  }
}

void TToolBox::ToolDown(ITool& tool) {
  active_ = &tool;
  tool.Activate();
  TZoomView& view = env_.View();
  view.SetZoomCursor(tool.Cursor());
  view.SetMouseTarget(&tool);
  if (IGradientForm* gradient = env_.GradientForm()) gradient->SetPage(tool.GradientPage());
}

void TToolBox::ToolUp(ITool& tool) {
  if (tool.Dragging()) tool.MouseUp();
  tool.Deactivate();
}

void TToolBox::FinishDrag() {
  if (active_ && active_->Dragging()) active_->MouseUp();
}

void TToolBox::PressLayerTool() {
  if (!SelectBtn->Down() && !WandBtn->Down()) SelectBtn->SetDown(true);
}

TSelectMode TToolBox::SelectionMode() const {
  return AddSelBtn->Down()   ? TSelectMode::Add
         : XorSelBtn->Down() ? TSelectMode::Xor
         : SubSelBtn->Down() ? TSelectMode::Subtract
                             : TSelectMode::Replace;
}

TClosedStyle TToolBox::ClosedStyle() const {
  return ctFillOnlyBtn->Down()  ? TClosedStyle::Fill
         : ctOutlineBtn->Down() ? TClosedStyle::Outline
                                : TClosedStyle::FillAndOutline;
}
