#include "editor/tools/LineTool.h"

#include <cstdlib>

#include "controls/Pictures.h"
#include "editor/EditSession.h"
#include "editor/ZoomView.h"
#include "editor/tools/ToolEnvironment.h"
#include "editor/tools/ToolGeometry.h"
#include "model/Draw.h"
#include "model/SelectBitmap.h"

int16_t TLineTool::Cursor() const {
  return Pictures::crCross;
}

void TLineTool::MouseDown(Qt::MouseButton button, const QPoint& position,
                          Qt::KeyboardModifiers shift) {
  const std::optional<TPoint> p = PressStart(button, position, shift);
  if (!p || dragging_) return;
  strokePen_ = ColorToPixel(PrimaryColor);
  dragging_ = true;
  env_.View().AnchorPoint = LastPoint = *p;
}

std::optional<QString> TLineTool::Preview(TPoint point) {
  const TPoint anchor = env_.View().AnchorPoint;
  RepairPreview(RectFromPoints(anchor.X, anchor.Y, LastPoint.X, LastPoint.Y));
  TSurface& image = env_.Session().WorkingCopy()->EditImage();
  DrawLine(image, anchor.X, anchor.Y, point.X, point.Y, strokePen_);
  image.SetPixelClipped(point.X, point.Y, strokePen_);
  return LineMetrics(std::abs(point.X - anchor.X), std::abs(point.Y - anchor.Y));
}
