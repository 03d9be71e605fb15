#include "editor/tools/FillTool.h"

#include "controls/Pictures.h"
#include "editor/EditSession.h"
#include "editor/ZoomView.h"
#include "editor/tools/ToolEnvironment.h"
#include "model/Draw.h"
#include "model/SelectBitmap.h"

int16_t TFillTool::Cursor() const {
  return Pictures::crFill;
}

void TFillTool::MouseDown(Qt::MouseButton button, const QPoint& position,
                          Qt::KeyboardModifiers shift) {
  TSelectBitmap* copy = env_.Session().WorkingCopy();
  if (!copy) return;
  TZoomView& view = env_.View();
  const TPoint p = view.PressPoint(position);
  if (!BeginToolDrag(button, shift, p)) return;
  dragging_ = true;
  LastPoint = p;
  FloodFill(copy->EditImage(), p.X, p.Y, ColorToPixel(PrimaryColor));
  view.Redraw(true);
}
