#include "editor/tools/ClosedShapeTool.h"

#include <algorithm>

#include "controls/Pictures.h"
#include "editor/ColorPanel.h"
#include "editor/EditSession.h"
#include "editor/ToolWindows.h"
#include "editor/ZoomView.h"
#include "editor/tools/ToolEnvironment.h"
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

int16_t TClosedShapeTool::Cursor() const {
  return Pictures::crCross;
}

void TClosedShapeTool::MouseDown(Qt::MouseButton button, const QPoint& position,
                                 Qt::KeyboardModifiers shift) {
  const std::optional<TPoint> p = PressStart(button, position, shift);
  if (!p || dragging_) return;
  strokePen_ = ColorToPixel(PrimaryColor);
  // Fill only paints the inside in the outline's colour; outline only leaves it as it is. With
  // every style button up the shape is filled and outlined.
  const TClosedStyle style = env_.Options().ClosedStyle;
  strokeBrush_ = ColorToPixel(style == TClosedStyle::Fill ? PrimaryColor : SecondaryColor);
  if (style == TClosedStyle::Outline) strokeBrush_.reset();
  dragging_ = true;
  env_.View().AnchorPoint = LastPoint = *p;
}

std::optional<QString> TClosedShapeTool::Preview(TPoint point) {
  const TPoint anchor = env_.View().AnchorPoint;
  RepairPreview(ClosedRect(ClosedKind, anchor, LastPoint));
  TSurface& image = env_.Session().WorkingCopy()->EditImage();
  const TRect r = ClosedRect(ClosedKind, anchor, point);
  const TShapeKind shape = ShapeOf(ClosedKind);
  if (!GradientShown()) {
    DrawShape(image, shape, r, strokePen_, strokeBrush_);
    return ClosedMetrics(ClosedKind, r.Width(), r.Height());
  }
  // The gradient runs over the shape's own rectangle, from the left to the right working colour
  // whichever button draws; with fill and outline the outline keeps the pen's colour.
  const int w = r.Width(), h = r.Height();
  const TMaskSurface mask = ShapeMask(shape, w, h, !strokeBrush_);
  const bool horizontal = env_.GradientForm()->Horizontal();
  const TColorPanel& colors = env_.Colors();
  TSurface gradient(w, h);
  GradientFill(gradient, gradient.Bounds(), colors.CurrentLeftColor(), colors.CurrentRightColor(),
               horizontal, std::min(255, horizontal ? w : h));
  if (strokeBrush_ && *strokeBrush_ != strokePen_)
    DrawShape(gradient, shape, gradient.Bounds(), strokePen_, std::nullopt);
  PutShape(image, r.Left, r.Top, mask, gradient);
  return ClosedMetrics(ClosedKind, w, h);
}
