// The start of a drawing tool's press, and the pointer moves and release that all drawing tools
// share.

#include "editor/tools/DrawingTool.h"

#include <utility>

#include "editor/ColorPanel.h"
#include "editor/EditSession.h"
#include "editor/ToolWindows.h"
#include "editor/ZoomView.h"
#include "editor/tools/ToolEnvironment.h"
#include "model/RasterOps.h"
#include "model/WorkImage.h"
#include "render/ColorMath.h"

bool TDrawingTool::GradientShown() const {
  const IGradientForm* gradient = env_.GradientForm();
  return gradient && gradient->IsShown();
}

std::optional<TPoint> TDrawingTool::PressStart(Qt::MouseButton button, const QPoint& position,
                                               Qt::KeyboardModifiers shift) {
  if (!env_.Session().WorkingCopy()) return std::nullopt;
  const TPoint p = env_.View().PressPoint(position);
  if (!BeginToolDrag(button, shift, p)) return std::nullopt;
  return p;
}

bool TDrawingTool::BeginToolDrag(Qt::MouseButton button, Qt::KeyboardModifiers shift,
                                 TPoint position) {
  if (shift & Qt::ControlModifier) {
    env_.Colors().PickColorAt(button, position);
    return false;
  }
  // Linux desktops offer no pointer confinement. Qt keeps sending the moves to the zoom box while
  // the button is held, also beyond it, and AutoScrollDrag brings the picture after the pointer.
  env_.Colors().PanelMouseLeave();
  SetStrokeColors(button);
  return true;
}

void TDrawingTool::SetStrokeColors(Qt::MouseButton button) {
  const TColorPanel& colors = env_.Colors();
  const TColor left = colors.CurrentLeftColor(), right = colors.CurrentRightColor();
  if (GradientShown()) {
    const TColor step = env_.GradientForm()->CurrentColor();
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
    PrimaryColor = colors.MiddleSwatchColor();
    SecondaryColor = right;
  }
}

void TDrawingTool::MouseMove(const QPoint& position, Qt::KeyboardModifiers shift) {
  TSelectBitmap* copy = env_.Session().WorkingCopy();
  if (!copy) return;
  TZoomView& view = env_.View();
  const TPoint raw = view.PointerToImage(position);
  const TPoint p = view.ClampAndConstrain(raw.X, raw.Y, shift);
  env_.SetStatusText(1, view.PositionText(p.X, p.Y, true));
  if (!dragging_) {
    // Shift snaps towards the last anchor and may leave the image; the readout stays on it.
    const TPoint q = view.ClampAndConstrain(p.X, p.Y, Qt::NoModifier);
    env_.Colors().ShowColorReadout(PixelToColor(copy->Image().Pixel(q.X, q.Y)));
    return;
  }
  view.AutoScrollDrag(position);
  if (p == LastPoint) return;
  if (const std::optional<QString> text = Preview(p)) {
    env_.SetStatusText(2, *text);
    view.Redraw(true);
  }
  LastPoint = p;
}

void TDrawingTool::RepairPreview(const TRect& band) {
  TEditSession& session = env_.Session();
  if (!session.CurrentImage()) return;
  Blit(session.WorkingCopy()->EditImage(), band.Left, band.Top, session.CurrentImage()->Image(),
       band, TRop::Copy);
}

void TDrawingTool::MouseUp() {
  // The transparency tool took its snapshot at the press; one click is one undo step.
  const bool snapshotTaken = std::exchange(pressSnapshot_, false);
  TEditSession& session = env_.Session();
  TSelectBitmap* copy = session.WorkingCopy();
  if (!dragging_ || !copy || !session.CurrentImage()) {
    dragging_ = false;
    return;
  }
  IGradientForm* gradient = GradientShown() ? env_.GradientForm() : nullptr;
  const QString page = gradient ? gradient->Page() : QString();
  if (gradient && page == "Pixel" && gradient->AutoIncrement()) gradient->StepForward();
  if (gradient && page == "Closed" && copy->GetBitCount() <= 8) {
    // The gradient's colours go back into the palette.
    TColor key = copy->GetTransparentColor();
    ReduceToPalette(copy->EditImage(), copy->GetPalette(), TDitherMode::Nearest, key,
                    session.CurrentImage()->IsIconFrame(), copy->GetTransparent());
  }
  session.Commit(snapshotTaken ? TSnapshot::Taken : TSnapshot::Take);
  if (gradient && page == "Closed") env_.View().Redraw(true);
  env_.SetStatusText(2, QString());
  dragging_ = false;
}
