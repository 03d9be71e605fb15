#pragma once
// TToolBox: the tool buttons beside the colour panel, the closed shapes' style bar and the
// selection mode bar. Each tool button owns one tool (editor/tools/); the pressed button's tool is
// active and receives the zoom box's mouse. A new tool is one class in editor/tools/ and one row
// of the table in ToolBox.cpp. The window places ToolPanel.

#include <QObject>
#include <memory>
#include <string_view>
#include <vector>

#include "controls/AdvSpeedButton.h"
#include "editor/tools/ToolEnvironment.h"

class ICommandList;
class ITool;
class TZoomView;

class TToolBox : public QObject {
  Q_OBJECT
 public:
  TToolBox(IToolEnvironment& environment, ICommandList& commands, QObject* parent = nullptr);
  ~TToolBox() override;

  QWidget* ToolPanel;
  TAdvSpeedButton* SelectBtn;
  TAdvSpeedButton* WandBtn;
  TAdvSpeedButton* PencilBtn;
  TAdvSpeedButton* LineBtn;
  TAdvSpeedButton* FillBtn;
  TAdvSpeedButton* TextBtn;
  TAdvSpeedButton* RectBtn;
  TAdvSpeedButton* CenterRectBtn;
  TAdvSpeedButton* EllipseBtn;
  TAdvSpeedButton* CenterEllipseBtn;
  TAdvSpeedButton* SetTransparentBtn;
  QWidget* ClosedStyleBar;
  TAdvSpeedButton* ctOutlineBtn;
  TAdvSpeedButton* ctOutFillBtn;
  TAdvSpeedButton* ctFillOnlyBtn;
  QWidget* SelModeBar;
  TAdvSpeedButton* PoorSelBtn;
  TAdvSpeedButton* AddSelBtn;
  TAdvSpeedButton* SubSelBtn;
  TAdvSpeedButton* XorSelBtn;

  // Attaches the Tools menu's commands, the bars' visibility and the tools to the buttons, and
  // activates the tool whose button is down already.
  void AttachHandlers();

  // Whether the command chooses a tool (and so shows checked while that tool is active).
  static bool IsToolCommand(std::string_view command);

  // The tool of the pressed button.
  ITool* ActiveTool() const { return active_; }
  // Ends a drag or layer move in progress as its release would.
  void FinishDrag();
  // Presses the select tool unless the select tool or the wand is active, so that a floating
  // layer can be moved at once.
  void PressLayerTool();
  // The mode bar's and the style bar's choices.
  TSelectMode SelectionMode() const;
  TClosedStyle ClosedStyle() const;

 private:
  struct TSlot {
    TAdvSpeedButton* Button;
    std::unique_ptr<ITool> Tool;
  };

  QWidget* BuildToolButtons();
  QWidget* BuildClosedStyleBar();
  QWidget* BuildSelModeBar();
  void AttachToolBarVisibility();
  void ToolDown(ITool& tool);
  void ToolUp(ITool& tool);

  IToolEnvironment& env_;
  ICommandList& commands_;
  std::vector<TSlot> slots_;
  ITool* active_ = nullptr;
};
