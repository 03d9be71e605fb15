#include "editor/tools/PencilTool.h"

#include "controls/Pictures.h"
#include "editor/EditSession.h"
#include "editor/ZoomView.h"
#include "editor/tools/ToolEnvironment.h"
#include "model/Draw.h"
#include "model/SelectBitmap.h"

int16_t TPencilTool::Cursor() const {
  return Pictures::crPen;
}

void TPencilTool::MouseDown(Qt::MouseButton button, const QPoint& position,
                            Qt::KeyboardModifiers shift) {
  const std::optional<TPoint> press = PressStart(button, position, shift);
  if (!press) return;
  const TPoint p = *press;
  dragging_ = true;
  strokePen_ = ColorToPixel(PrimaryColor);
  env_.Session().WorkingCopy()->EditImage().SetPixelClipped(p.X, p.Y, strokePen_);
  TZoomView& view = env_.View();
  LastPoint = p;
  // With Shift the stroke keeps to a straight direction from where it began.
  view.AnchorPoint = p;
  view.Redraw(true);
}

std::optional<QString> TPencilTool::Preview(TPoint point) {
  TSurface& image = env_.Session().WorkingCopy()->EditImage();
  DrawLine(image, LastPoint.X, LastPoint.Y, point.X, point.Y, strokePen_);
  image.SetPixelClipped(point.X, point.Y, strokePen_);
  return QString();
}
