#include "editor/tools/WandTool.h"

#include "controls/Pictures.h"
#include "editor/ColorPanel.h"
#include "editor/EditSession.h"
#include "editor/ZoomView.h"
#include "editor/tools/ToolEnvironment.h"
#include "model/WorkImage.h"
#include "render/ColorMath.h"
#include "render/WandRegion.h"

int16_t TWandTool::Cursor() const {
  return Pictures::crWand;
}

void TWandTool::MouseDown(Qt::MouseButton button, const QPoint& position,
                          Qt::KeyboardModifiers shift) {
  const std::optional<TPoint> press = BeginPress(button, position, shift);
  if (!press || MovingLayer) return;
  // The wand's selection is committed at the press.
  PressSelection(button, *press, [&](TSelectBitmap& copy) {
    // Shift adds whatever the mode bar says.
    const TSelectMode mode =
        shift & Qt::ShiftModifier ? TSelectMode::Add : env_.Options().SelectMode;
    CombineRegion(copy.EditMask(), WandRegion(copy.Image(), press->X, press->Y), mode);
  });
}

void TWandTool::MouseMove(const QPoint& position, Qt::KeyboardModifiers shift) {
  TEditSession& session = env_.Session();
  if (!session.WorkingCopy() || !session.CurrentImage()) return;
  TZoomView& view = env_.View();
  const TPoint raw = view.PointerToImage(position);
  // Shift keeps a moved layer on a straight line through the grab point.
  const TPoint p = view.ClampAndConstrain(raw.X, raw.Y, MovingLayer ? shift : Qt::NoModifier);
  env_.SetStatusText(1, view.PositionText(p.X, p.Y, false));
  if (!MovingLayer) {
    env_.Colors().ShowColorReadout(PixelToColor(session.CurrentImage()->Image().Pixel(p.X, p.Y)));
    return;
  }
  view.AutoScrollDrag(position);
  if (!FollowPointer(p)) return;
  view.Redraw();
}

void TWandTool::MouseUp() {
  TEditSession& session = env_.Session();
  if (!MovingLayer || !session.WorkingCopy() || !session.CurrentImage()) {
    MovingLayer = false;
    return;
  }
  CommitLayerMove();
  FinishRelease();
}
