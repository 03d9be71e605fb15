#include "editor/tools/ToolGeometry.h"

#include <cmath>

#include "render/ColorMath.h"

TRect ClosedRect(int kind, TPoint anchor, TPoint point) {
  if (!IsCenterKind(kind)) return RectFromPoints(anchor.X, anchor.Y, point.X, point.Y);
  return RectFromPoints(2 * anchor.X - point.X, 2 * anchor.Y - point.Y, point.X, point.Y);
}

QString ClosedMetrics(int kind, int width, int height) {
  const bool ellipse = ShapeOf(kind) == TShapeKind::Ellipse;
  return (ellipse ? "Dx: " : "W: ") + PadNumber(width) + (ellipse ? "  Dy: " : "  H: ") +
         QString::number(height);
}

QString LineMetrics(int dx, int dy) {
  const double w = dx + 1.0, h = dy + 1.0;
  return "W: " + PadNumber(dx + 1) + "  H: " + QString::number(dy + 1) +
         " L: " + QString::number(std::lround(std::sqrt(w * w + h * h)));
}
