// The closed shapes: edge and centre based rectangles and ellipses in the three styles of the
// style bar, plain or filled with the gradient of the working colours.

#include "documents/MainForm.h"
#include "editor/ToolGeometry.h"
#include "editor/ToolWindows.h"
#include "model/Draw.h"
#include "model/SelectBitmap.h"

namespace {

// Draws `shape` of `width` x `height` at (left, top) of `target`: where the mask is white the
// gradient pixel replaces the target's.
void PutShape(TSurface& target, int left, int top, const TMaskSurface& shape,
              const TSurface& gradient) {
  const TRect r =
      TRect{0, 0, shape.Width(), shape.Height()}.Offset(left, top).Intersect(target.Bounds());
  for (int y = r.Top; y < r.Bottom; ++y) {
    TPixel* out = target.Row(y);
    const TPixel* in = gradient.Row(y - top);
    for (int x = r.Left; x < r.Right; ++x)
      if (shape.IsWhite(x - left, y - top)) out[x] = in[x - left];
  }
}

}  // namespace

void TMainForm::ClosedMouseDown(Qt::MouseButton button, const QPoint& position,
                                Qt::KeyboardModifiers shift) {
  if (!WorkingCopy) return;
  const TPoint p = PressPoint(position);
  if (!BeginToolDrag(button, shift, p) || Dragging) return;
  strokePen_ = ColorToPixel(PrimaryColor);
  // Fill only paints the inside in the outline's colour; outline only leaves it as it is. With
  // every style button up the shape is filled and outlined.
  strokeBrush_ = ColorToPixel(ctFillOnlyBtn->Down() ? PrimaryColor : SecondaryColor);
  if (ctOutlineBtn->Down()) strokeBrush_.reset();
  Dragging = true;
  AnchorPoint = LastPoint = p;
}

QString TMainForm::ClosedPreview(TPoint point) {
  const TRect r = ClosedRect(ClosedKind, AnchorPoint, point);
  const TShapeKind shape = ShapeOf(ClosedKind);
  if (!GradientFormVisible()) {
    DrawShape(WorkingCopy->EditImage(), shape, r, strokePen_, strokeBrush_);
    return ClosedMetrics(ClosedKind, r.Width(), r.Height());
  }
  // The gradient runs over the shape's own rectangle, from the left to the right working colour
  // whichever button draws; with fill and outline the outline keeps the pen's colour.
  const int w = r.Width(), h = r.Height();
  const TMaskSurface mask = ShapeMask(shape, w, h, !strokeBrush_);
  const bool horizontal = GradientForm->Horizontal();
  TSurface gradient(w, h);
  GradientFill(gradient, gradient.Bounds(), CurrentLeftColor(), CurrentRightColor(), horizontal,
               std::min(255, horizontal ? w : h));
  if (strokeBrush_ && *strokeBrush_ != strokePen_)
    DrawShape(gradient, shape, gradient.Bounds(), strokePen_, std::nullopt);
  PutShape(WorkingCopy->EditImage(), r.Left, r.Top, mask, gradient);
  return ClosedMetrics(ClosedKind, w, h);
}
