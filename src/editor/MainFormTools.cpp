// The tool box: which tool is active, what each tool button installs on the zoom box, the
// cursors, and the common start of a drawing tool's press.

#include <QGuiApplication>

#include "controls/Pictures.h"
#include "documents/MainForm.h"
#include "editor/ToolGeometry.h"
#include "editor/ToolWindows.h"
#include "model/WorkImage.h"
#include "render/ColorMath.h"

namespace {

using TButtonHandler = void (TMainForm::*)();

}  // namespace

void TMainForm::AttachToolHandlers() {
  const std::pair<TAdvSpeedButton*, TButtonHandler> downs[] = {
      {SelectBtn, &TMainForm::SelectBtnDown},
      {WandBtn, &TMainForm::WandBtnDown},
      {PencilBtn, &TMainForm::PencilBtnDown},
      {FillBtn, &TMainForm::FillBtnDown},
      {LineBtn, &TMainForm::LineBtnDown},
      {RectBtn, &TMainForm::RectBtnDown},
      {EllipseBtn, &TMainForm::EllipseBtnDown},
      {CenterRectBtn, &TMainForm::CenterRectBtnDown},
      {CenterEllipseBtn, &TMainForm::CenterEllipseBtnDown},
      {TextBtn, &TMainForm::TextBtnDown},
      {SetTransparentBtn, &TMainForm::SetTransparentBtnDown}};
  for (const auto& [button, handler] : downs) {
    // A drag still running when the tool changes (a shortcut pressed while the mouse button is
    // held) ends first, so no drag state outlives its tool.
    connect(button, &TAdvSpeedButton::OnUp, this, [this] { FinishDrag(); });
    connect(button, &TAdvSpeedButton::OnDown, this, [this, h = handler] { (this->*h)(); });
  }
  for (TAdvSpeedButton* b : {SelectBtn, WandBtn})
    connect(b, &TAdvSpeedButton::OnUp, this, [this] { SelectBtnUp(); });
  for (TAdvSpeedButton* b : {RectBtn, EllipseBtn, CenterRectBtn, CenterEllipseBtn})
    connect(b, &TAdvSpeedButton::OnUp, this, [this] { RectBtnUp(); });
  connect(TextBtn, &TAdvSpeedButton::OnUp, this, [this] { TextBtnUp(); });
  // The select tool was pressed at start, before the buttons had handlers.
  for (const auto& [button, handler] : downs)
    if (button->Down()) (this->*handler)();
}

bool TMainForm::GradientFormVisible() const {
  return GradientForm && GradientForm->IsShown();
}

void TMainForm::SelectGradientPage(const QString& page) {
  if (GradientForm) GradientForm->SetPage(page);
}

void TMainForm::SetZoomCursor(int16_t cursor) {
  zoomCursor_ = cursor;
  if (cursor > 0)
    ZoomBox->setCursor(Pictures::Cursor(cursor));
  else
    ZoomBox->setCursor(cursor == crSizeAll ? Qt::SizeAllCursor : Qt::ArrowCursor);
}

void TMainForm::UseDrawingTool(int16_t cursor,
                               void (TMainForm::*down)(Qt::MouseButton, const QPoint&,
                                                       Qt::KeyboardModifiers),
                               TPreviewPainter painter, const char* page) {
  SetZoomCursor(cursor);
  TZoomMouseHandlers h;
  h.Down = [this, down](Qt::MouseButton b, const QPoint& p, Qt::KeyboardModifiers s) {
    (this->*down)(b, p, s);
  };
  h.Move = [this](const QPoint& p, Qt::MouseButtons, Qt::KeyboardModifiers s) {
    CommonMouseMove(p, s);
  };
  h.Up = [this](Qt::MouseButton, const QPoint&, Qt::KeyboardModifiers) { CommonMouseUp(); };
  SetZoomMouseHandlers(std::move(h));
  PreviewPainter = painter;
  SelectGradientPage(page);
}

void TMainForm::UseSelectHandlers() {
  TZoomMouseHandlers h;
  h.Down = [this](Qt::MouseButton b, const QPoint& p, Qt::KeyboardModifiers s) {
    SelectMouseDown(b, p, s);
  };
  h.Move = [this](const QPoint& p, Qt::MouseButtons, Qt::KeyboardModifiers s) {
    SelectMouseMove(p, s);
  };
  h.Up = [this](Qt::MouseButton, const QPoint&, Qt::KeyboardModifiers) { SelectMouseUp(); };
  SetZoomMouseHandlers(std::move(h));
  PreviewPainter = TPreviewPainter::None;
}

void TMainForm::SelectBtnDown() {
  SetZoomCursor(Pictures::crSelect);
  UseSelectHandlers();
  SelectGradientPage("None");
}

void TMainForm::WandBtnDown() {
  SetZoomCursor(Pictures::crWand);
  TZoomMouseHandlers h;
  h.Down = [this](Qt::MouseButton b, const QPoint& p, Qt::KeyboardModifiers s) {
    WandMouseDown(b, p, s);
  };
  h.Move = [this](const QPoint& p, Qt::MouseButtons, Qt::KeyboardModifiers s) {
    WandMouseMove(p, s);
  };
  h.Up = [this](Qt::MouseButton, const QPoint&, Qt::KeyboardModifiers) { WandMouseUp(); };
  SetZoomMouseHandlers(std::move(h));
  PreviewPainter = TPreviewPainter::None;
  SelectGradientPage("None");
}

void TMainForm::PencilBtnDown() {
  UseDrawingTool(Pictures::crPen, &TMainForm::PencilMouseDown, TPreviewPainter::Pencil, "Pixel");
}

void TMainForm::FillBtnDown() {
  UseDrawingTool(Pictures::crFill, &TMainForm::FillMouseDown, TPreviewPainter::None, "Pixel");
}

void TMainForm::LineBtnDown() {
  UseDrawingTool(Pictures::crCross, &TMainForm::LineMouseDown, TPreviewPainter::Line, "Pixel");
}

void TMainForm::RectBtnDown() {
  UseDrawingTool(Pictures::crCross, &TMainForm::ClosedMouseDown, TPreviewPainter::Closed, "Closed");
  ClosedKind = ckEdgeRect;
}

void TMainForm::EllipseBtnDown() {
  UseDrawingTool(Pictures::crCross, &TMainForm::ClosedMouseDown, TPreviewPainter::Closed, "Closed");
  ClosedKind = ckEdgeEllipse;
}

void TMainForm::CenterRectBtnDown() {
  UseDrawingTool(Pictures::crCross, &TMainForm::ClosedMouseDown, TPreviewPainter::Closed, "Closed");
  ClosedKind = ckCenterRect;
}

void TMainForm::CenterEllipseBtnDown() {
  UseDrawingTool(Pictures::crCross, &TMainForm::ClosedMouseDown, TPreviewPainter::Closed, "Closed");
  ClosedKind = ckCenterEllipse;
}

void TMainForm::SetTransparentBtnDown() {
  UseDrawingTool(Pictures::crPickTransp, &TMainForm::SetTranspMouseDown, TPreviewPainter::None,
                 "None");
}

void TMainForm::RectBtnUp() {
  ClosedStyleBar->hide();
}

TPoint TMainForm::PressPoint(const QPoint& position) const {
  // The closing line at the view's right and bottom edge maps one pixel past the image.
  const TPoint p = PressToImage(position);
  return ClampAndConstrain(p.X, p.Y, Qt::NoModifier);
}

bool TMainForm::BeginToolDrag(Qt::MouseButton button, Qt::KeyboardModifiers shift,
                              TPoint position) {
  if (shift & Qt::ControlModifier) {
    PickColorAt(button, position);
    return false;
  }
  // Linux desktops offer no pointer confinement. Qt keeps sending the moves to the zoom box while
  // the button is held, also beyond it, and AutoScrollDrag brings the picture after the pointer.
  PanelMouseLeave();
  SetStrokeColors(button);
  return true;
}

void TMainForm::SetStrokeColors(Qt::MouseButton button) {
  const TColor left = CurrentLeftColor(), right = CurrentRightColor();
  if (GradientFormVisible()) {
    const TColor step = GradientForm->CurrentColor();
    PrimaryColor = button == Qt::LeftButton ? step : right;
    SecondaryColor = button == Qt::LeftButton ? right : step;
    return;
  }
  if (button == Qt::LeftButton) {
    PrimaryColor = left;
    SecondaryColor = right;
  } else if (button == Qt::RightButton) {
    PrimaryColor = right;
    SecondaryColor = left;
  } else {
    PrimaryColor = QColorToColor(MColor->Color());
    SecondaryColor = right;
  }
}

void TMainForm::SetPointerPos(const QPoint& global) {
  // Wayland does not let programs move the pointer; the drag simply goes on without it.
  if (QGuiApplication::platformName().startsWith("wayland")) return;
  QCursor::setPos(global);
}

void TMainForm::FinishDrag() {
  if (!Dragging && !MovingLayer) return;
  if (const auto up = zoomMouse_.Up) up(Qt::NoButton, QPoint(), Qt::NoModifier);
  Dragging = false;
  MovingLayer = false;
}
