#pragma once
// The geometry and status texts of the drawing tools' rubber bands, kept apart from the widgets
// so that they can be checked on their own.

#include <QString>

#include "model/Draw.h"
#include "model/Geometry.h"

// The four closed shapes: edge based rectangle and ellipse, centre based rectangle and ellipse.
enum TClosedKind : uint8_t {
  ckEdgeRect = 0,
  ckEdgeEllipse = 1,
  ckCenterRect = 2,
  ckCenterEllipse = 3
};

inline bool IsCenterKind(int kind) {
  return kind == ckCenterRect || kind == ckCenterEllipse;
}
inline TShapeKind ShapeOf(int kind) {
  return kind == ckEdgeEllipse || kind == ckCenterEllipse ? TShapeKind::Ellipse
                                                          : TShapeKind::Rectangle;
}

// The rectangle a closed shape fills between the anchor and the pointer. A centre based shape is
// mirrored about the anchor, so both corners lie at the same distance from it.
TRect ClosedRect(int kind, TPoint anchor, TPoint point);

// "W: " + width padded + "  H: " + height for rectangles, "Dx: " ... "  Dy: " for ellipses.
QString ClosedMetrics(int kind, int width, int height);

// "W: " + (dx + 1) padded + "  H: " + (dy + 1) + " L: " + the rounded length of the diagonal.
QString LineMetrics(int dx, int dy);
