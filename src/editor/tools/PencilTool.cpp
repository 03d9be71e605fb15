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
  TSelectBitmap* copy = env_.Session().WorkingCopy();
  if (!copy) return;
  TZoomView& view = env_.View();
  const TPoint p = view.PressPoint(position);
  if (!BeginToolDrag(button, shift, p)) return;
  dragging_ = true;
  strokePen_ = ColorToPixel(PrimaryColor);
  copy->EditImage().SetPixelClipped(p.X, p.Y, strokePen_);
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
