#pragma once
// TSmoothColorForm: the "Auto color change" window behind the gradient colour mode. While it
// shows, the pixel tools paint with a colour that walks, stroke by stroke, from the left working
// colour to the right one in a chosen number of steps, and the closed shapes fill with a gradient
// in the direction it offers. Its page follows the active tool: "Pixel" for pencil, fill and line,
// "Closed" for the rectangles and ellipses, "None" for the rest.
//
// It attaches the editor's "Gradient colors" (Ctrl+D), "Next" (F12) and "Prev" (F11) commands.
// The step and the step count last while the program runs.

#include <QAction>
#include <QCheckBox>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QToolButton>
#include <QWidget>

#include "controls/AdvPanel.h"
#include "editor/ToolWindows.h"
#include "model/Colors.h"

class ICommandList;
class TEditor;

// The colour of step `step` of `steps` from `from` to `to`: per channel
// from + (to - from) * step / (steps - 1), rounded to the nearest with halves away from zero.
// Fewer than two steps count as two.
TColor StepColor(TColor from, TColor to, int step, int steps);

class TSmoothColorForm : public QWidget, public IGradientForm {
  Q_OBJECT
 public:
  TSmoothColorForm(TEditor& editor, ICommandList& commands, QWidget* parent = nullptr);

  // IGradientForm.
  bool IsShown() const override { return isVisible(); }
  TColor CurrentColor() const override;
  QString Page() const override;
  void SetPage(const QString& page) override;
  bool AutoIncrement() const override { return AIncCheck->isChecked(); }
  void StepForward() override;
  bool Horizontal() const override { return rbHgradient->isChecked(); }

  // Computes the colour of the current step into NextColor, pulling the step back below the
  // step count first.
  void CurentStepEditChange();
  // Next (+1) and Prev (-1).
  void StepColorActGo(int direction);
  void ResetActGo();

  // The editor's commands of the mode: on and off by the "Gradient colors" check, the main
  // window's Next and Prev, which show only while the window does.
  void ToggleSmoothActExecute();
  void NextColActExecute() { StepColorActGo(1); }
  void PrevColActExecute() { StepColorActGo(-1); }
  void SmoothActUpdate(QAction& action) const;

  QStackedWidget* Notebook1;
  QRadioButton* rbHgradient;
  QRadioButton* rbVgradient;
  QCheckBox* AIncCheck;
  QSpinBox* StepCountEdit;
  QSpinBox* CurentStepEdit;
  TAdvPanel* NextColor;
  QAction* IncColorAct;
  QAction* DecColorAct;
  QAction* ResetAct;
  QToolButton* ResetBtn;
  QToolButton* DecBtn;
  QToolButton* IncBtn;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  QWidget* BuildClosedPage();
  QWidget* BuildPixelPage();
  QAction* MakeAction(const char* name, const QString& caption, const QString& hint,
                      const QString& shortcut);
  void AttachCommands();
  // The window's top-right corner goes to the zoom panel's top-right corner.
  void FormShow();
  // Closing the window leaves the gradient mode.
  void FormClose();

  TEditor& editor_;
  ICommandList& commands_;
};
