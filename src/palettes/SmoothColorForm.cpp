#include "palettes/SmoothColorForm.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

#include "editor/ColorPanel.h"
#include "editor/EditSession.h"
#include "editor/Editor.h"
#include "editor/EditorServices.h"
#include "editor/ZoomView.h"
#include "model/WorkImage.h"
#include "render/ColorMath.h"

namespace {

// from + (to - from) * step / span, the quotient rounded with halves away from zero.
int StepChannel(int from, int to, int step, int span) {
  const int num = (to - from) * step;
  const int quotient = num >= 0 ? (2 * num + span) / (2 * span) : -((2 * -num + span) / (2 * span));
  return std::clamp(from + quotient, 0, 255);
}

QSpinBox* MakeField(QWidget* parent, const char* name, const QString& accessibleName, int low,
                    int high, int value) {
  auto* field = new QSpinBox(parent);
  field->setObjectName(name);
  field->setAccessibleName(accessibleName);
  field->setRange(low, high);
  field->setValue(value);
  // A value typed outside the range is clamped to it, not thrown away.
  field->setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
  return field;
}

}  // namespace

TColor StepColor(TColor from, TColor to, int step, int steps) {
  const int span = std::max(steps, 2) - 1;
  return MakeColor(StepChannel(RedOf(from), RedOf(to), step, span),
                   StepChannel(GreenOf(from), GreenOf(to), step, span),
                   StepChannel(BlueOf(from), BlueOf(to), step, span));
}

TSmoothColorForm::TSmoothColorForm(TEditor& editor, ICommandList& commands, QWidget* parent)
    : QWidget(parent, Qt::Tool), editor_(editor), commands_(commands) {
  setObjectName("SmoothColorForm");
  setWindowTitle("Auto color change");
  // It floats beside the picture; the keyboard stays with the main window (F11 and F12 work in
  // both).
  setAttribute(Qt::WA_ShowWithoutActivating);
  IncColorAct = MakeAction("IncColorAct", "&Next", "Compute next color.", "F12");
  DecColorAct = MakeAction("DecColorAct", "&Prev", "Compute previous color.", "F11");
  ResetAct = MakeAction("ResetAct", "&Reset", "Set \"Step\" to zero.", QString());
  connect(IncColorAct, &QAction::triggered, this, [this] { StepColorActGo(1); });
  connect(DecColorAct, &QAction::triggered, this, [this] { StepColorActGo(-1); });
  connect(ResetAct, &QAction::triggered, this, &TSmoothColorForm::ResetActGo);
  Notebook1 = new QStackedWidget(this);
  Notebook1->setObjectName("Notebook1");
  Notebook1->addWidget(BuildClosedPage());
  Notebook1->addWidget(BuildPixelPage());
  auto* none = new QWidget;
  none->setObjectName("None");
  Notebook1->addWidget(none);
  Notebook1->setCurrentWidget(none);  // the select tool is active at start
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(Notebook1);
  AttachCommands();
  adjustSize();
}

QAction* TSmoothColorForm::MakeAction(const char* name, const QString& caption, const QString& hint,
                                      const QString& shortcut) {
  auto* action = new QAction(caption, this);
  action->setObjectName(name);
  action->setToolTip(hint);
  action->setStatusTip(hint);
  if (!shortcut.isEmpty()) action->setShortcut(QKeySequence(shortcut));
  action->setShortcutContext(Qt::WindowShortcut);
  addAction(action);
  return action;
}

QWidget* TSmoothColorForm::BuildClosedPage() {
  auto* page = new QWidget;
  page->setObjectName("Closed");
  rbHgradient = new QRadioButton("Horizontal", page);
  rbHgradient->setObjectName("rbHgradient");
  rbHgradient->setChecked(true);
  rbVgradient = new QRadioButton("Vertical", page);
  rbVgradient->setObjectName("rbVgradient");
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addWidget(new QLabel("Gradient type:", page));
  layout->addWidget(rbHgradient);
  layout->addWidget(rbVgradient);
  layout->addStretch(1);
  return page;
}

QWidget* TSmoothColorForm::BuildPixelPage() {
  auto* page = new QWidget;
  page->setObjectName("Pixel");
  AIncCheck = new QCheckBox("Auto Inc", page);
  AIncCheck->setObjectName("AIncCheck");
  AIncCheck->setChecked(true);
  StepCountEdit = MakeField(page, "StepCountEdit", "Steps", 2, 256, 16);
  CurentStepEdit = MakeField(page, "CurentStepEdit", "Step", 0, 255, 0);
  connect(CurentStepEdit, &QSpinBox::valueChanged, this, &TSmoothColorForm::CurentStepEditChange);
  NextColor = new TAdvPanel(page);
  NextColor->setObjectName("NextColor");
  NextColor->setAccessibleName("Next color");
  NextColor->setFixedSize(40, 20);
  NextColor->SetColor(ColorToQColor(MakeColor(0, 0, 255)));
  // Hovering the swatch shows its colour in the main window's readout.
  connect(NextColor, &TAdvPanel::OnMouseEnter, this,
          [this] { editor_.Colors().ColorPanelMouseEnter(NextColor); });
  connect(NextColor, &TAdvPanel::OnMouseLeave, this,
          [this] { editor_.Colors().PanelMouseLeave(); });
  auto* grid = new QGridLayout(page);
  grid->setContentsMargins(2, 2, 2, 2);
  grid->addWidget(AIncCheck, 0, 0, 1, 2);
  grid->addWidget(new QLabel("Steps:", page), 1, 0);
  grid->addWidget(StepCountEdit, 1, 1);
  grid->addWidget(new QLabel("Step:", page), 2, 0);
  grid->addWidget(CurentStepEdit, 2, 1);
  grid->addWidget(new QLabel("Next color:", page), 3, 0);
  grid->addWidget(NextColor, 3, 1);
  auto* buttons = new QHBoxLayout;
  buttons->setSpacing(2);
  const auto button = [&](const char* name, QAction* action, const QString& accessibleName) {
    auto* b = new QToolButton(page);
    b->setObjectName(name);
    b->setDefaultAction(action);
    b->setAccessibleName(accessibleName);
    buttons->addWidget(b);
    return b;
  };
  ResetBtn = button("ResetBtn", ResetAct, "Reset");
  DecBtn = button("DecBtn", DecColorAct, "Prev");
  IncBtn = button("IncBtn", IncColorAct, "Next");
  grid->addLayout(buttons, 4, 0, 1, 2);
  return page;
}

void TSmoothColorForm::AttachCommands() {
  commands_.OnExecute("ToggleSmoothAct", [this] { ToggleSmoothActExecute(); });
  commands_.OnUpdate("ToggleSmoothAct", [this](QAction& a) {
    a.setEnabled(editor_.Session().CurrentImage() != nullptr);
  });
  commands_.OnExecute("NextColAct", [this] { NextColActExecute(); });
  commands_.OnExecute("PrevColAct", [this] { PrevColActExecute(); });
  for (const char* name : {"NextColAct", "PrevColAct"})
    commands_.OnUpdate(name, [this](QAction& a) { SmoothActUpdate(a); });
  connect(&editor_.Colors(), &TColorPanel::WorkingColorsPicked, this,
          &TSmoothColorForm::CurentStepEditChange);
}

void TSmoothColorForm::ToggleSmoothActExecute() {
  // The command is checkable: triggering it has turned the check already.
  const bool on = commands_["ToggleSmoothAct"].isChecked();
  setVisible(on);
  if (on) CurentStepEditChange();
}

void TSmoothColorForm::SmoothActUpdate(QAction& action) const {
  // Next and Prev (and their keys) are there only in the gradient mode.
  action.setVisible(isVisible());
  action.setEnabled(true);
}

TColor TSmoothColorForm::CurrentColor() const {
  return QColorToColor(NextColor->Color());
}

QString TSmoothColorForm::Page() const {
  return Notebook1->currentWidget()->objectName();
}

void TSmoothColorForm::SetPage(const QString& page) {
  for (int i = 0; i < Notebook1->count(); ++i)
    if (Notebook1->widget(i)->objectName() == page) Notebook1->setCurrentIndex(i);
}

void TSmoothColorForm::StepForward() {
  // The last step stays.
  const int step = CurentStepEdit->value();
  if (step < StepCountEdit->value() - 1) CurentStepEdit->setValue(step + 1);
}

void TSmoothColorForm::CurentStepEditChange() {
  const int steps = StepCountEdit->value();
  if (CurentStepEdit->value() >= steps) {
    const QSignalBlocker quiet(CurentStepEdit);
    CurentStepEdit->setValue(steps - 1);
  }
  const TColorPanel& colors = editor_.Colors();
  TColor color = StepColor(colors.CurrentLeftColor(), colors.CurrentRightColor(),
                           CurentStepEdit->value(), steps);
  // Palette images paint with their own colours only.
  if (const TWorkImage* image = editor_.Session().CurrentImage())
    color = image->NearestColor(color);
  NextColor->SetColor(ColorToQColor(color));
  NextColor->setAccessibleDescription(ColorReadoutText(color));
}

void TSmoothColorForm::StepColorActGo(int direction) {
  CurentStepEdit->setValue(CurentStepEdit->value() + direction);
}

void TSmoothColorForm::ResetActGo() {
  CurentStepEdit->setValue(0);
}

void TSmoothColorForm::FormShow() {
  const QWidget* panel = editor_.View().ZoomPanel;
  const QPoint corner = panel->mapToGlobal(QPoint(panel->width(), 0));
  move(corner.x() - frameGeometry().width(), corner.y());
}

void TSmoothColorForm::FormClose() {
  commands_["ToggleSmoothAct"].setChecked(false);
}

void TSmoothColorForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TSmoothColorForm::closeEvent(QCloseEvent* event) {
  FormClose();
  QWidget::closeEvent(event);
}
