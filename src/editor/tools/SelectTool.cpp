#include "editor/tools/SelectTool.h"

#include <cstdlib>

#include "controls/Pictures.h"
#include "editor/ColorPanel.h"
#include "editor/EditSession.h"
#include "editor/ZoomView.h"
#include "editor/tools/ToolEnvironment.h"
#include "model/Draw.h"
#include "model/RasterOps.h"
#include "model/WorkImage.h"
#include "render/ColorMath.h"

int16_t TSelectTool::Cursor() const {
  return Pictures::crSelect;
}

void TSelectTool::MouseDown(Qt::MouseButton button, const QPoint& position,
                            Qt::KeyboardModifiers shift) {
  const std::optional<TPoint> press = BeginPress(button, position, shift);
  if (!press || dragging_ || MovingLayer) return;
  PressSelection(button, *press, [&](TSelectBitmap& copy) {
    const TSelectMode mode = env_.Options().SelectMode;
    if (mode == TSelectMode::Replace && !(shift & Qt::ShiftModifier)) copy.ClearSelection();
    selectPen_ = mode == TSelectMode::Xor        ? TMaskPen::Xor
                 : mode == TSelectMode::Subtract ? TMaskPen::White
                                                 : TMaskPen::Black;
    dragging_ = true;
    env_.View().AnchorPoint = LastPoint = *press;
  });
}

void TSelectTool::MouseMove(const QPoint& position, Qt::KeyboardModifiers shift) {
  TEditSession& session = env_.Session();
  if (!session.WorkingCopy() || !session.CurrentImage()) return;
  TZoomView& view = env_.View();
  const TPoint raw = view.PointerToImage(position);
  const TPoint p = view.ClampAndConstrain(raw.X, raw.Y, shift & ~Qt::ShiftModifier);
  const TPoint anchor = view.AnchorPoint;
  env_.SetStatusText(1, view.PositionText(p.X, p.Y, false));
  env_.SetStatusText(2, dragging_ ? "W: " + PadNumber(std::abs(p.X - anchor.X) + 1) +
                                        "  H: " + QString::number(std::abs(p.Y - anchor.Y) + 1)
                                  : QString());
  if (!dragging_ && !MovingLayer) {
    env_.Colors().ShowColorReadout(PixelToColor(session.CurrentImage()->Image().Pixel(p.X, p.Y)));
    return;
  }
  view.AutoScrollDrag(position);
  if (dragging_) {
    if (p == LastPoint) return;
    // The previous rectangle is repaired from the mask at the press, then the new one drawn.
    TMaskSurface& mask = session.WorkingCopy()->EditMask();
    const TRect before = RectFromPoints(anchor.X, anchor.Y, LastPoint.X, LastPoint.Y);
    Blit(mask, before.Left, before.Top, session.CurrentImage()->Mask(), before, TRop::Copy);
    FillRectMask(mask, RectFromPoints(anchor.X, anchor.Y, p.X, p.Y), selectPen_);
    LastPoint = p;
  } else if (!FollowPointer(p)) {
    return;
  }
  view.Redraw();
}

void TSelectTool::MouseUp() {
  TEditSession& session = env_.Session();
  if (!session.WorkingCopy() || !session.CurrentImage() || (!dragging_ && !MovingLayer)) {
    dragging_ = MovingLayer = false;
    return;
  }
  if (dragging_) session.CommitMask(TSnapshot::Taken);
  if (MovingLayer) CommitLayerMove();
  FinishRelease();
}
