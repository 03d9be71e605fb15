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
  const std::optional<TPoint> p = PressStart(button, position, shift);
  if (!p) return;
  dragging_ = true;
  LastPoint = *p;
  FloodFill(env_.Session().WorkingCopy()->EditImage(), p->X, p->Y, ColorToPixel(PrimaryColor));
  env_.View().Redraw(true);
}
