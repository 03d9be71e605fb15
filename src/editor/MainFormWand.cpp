// The magic wand: selects the connected area of one exact colour, combined with the selection in
// the mode of the mode bar, and moves the selection like the select tool with the other buttons.

#include "documents/MainForm.h"
#include "model/WorkImage.h"
#include "render/ColorMath.h"
#include "render/WandRegion.h"

void TMainForm::WandMouseDown(Qt::MouseButton button, const QPoint& position,
                              Qt::KeyboardModifiers shift) {
  if (!WorkingCopy || !CurrentImage) return;
  const TPoint p = PressPoint(position);
  if (shift & Qt::ControlModifier) {
    PickColorAt(button, p);
    return;
  }
  PanelMouseLeave();
  if (MovingLayer) return;
  const bool wasModified = WorkingCopy->IsModified();
  WorkingCopy->SetModified(false);
  if (button == Qt::LeftButton) {
    if (WorkingCopy->HasLayer()) WorkingCopy->DropLayer();
    // Shift adds whatever the mode bar says.
    const TSelectMode mode = AddSelBtn->Down() || (shift & Qt::ShiftModifier) ? TSelectMode::Add
                             : XorSelBtn->Down()                              ? TSelectMode::Xor
                             : SubSelBtn->Down() ? TSelectMode::Subtract
                                                 : TSelectMode::Replace;
    CombineRegion(WorkingCopy->EditMask(), WandRegion(WorkingCopy->Image(), p.X, p.Y), mode);
  } else if (SelectionExists()) {
    StartLayerMove(p);
  }
  // The wand's selection is committed at the press.
  CommitPress(wasModified);
  RenderView(true);
  ZoomBoxPaint();
}

void TMainForm::WandMouseMove(const QPoint& position, Qt::KeyboardModifiers shift) {
  if (!WorkingCopy || !CurrentImage) return;
  const TPoint raw = PointerToImage(position);
  // Shift keeps a moved layer on a straight line through the grab point.
  const TPoint p = ClampAndConstrain(raw.X, raw.Y, MovingLayer ? shift : Qt::NoModifier);
  SetStatusText(1, PositionText(p.X, p.Y, false));
  if (!MovingLayer) {
    ShowColorReadout(PixelToColor(CurrentImage->Image().Pixel(p.X, p.Y)));
    return;
  }
  AutoScrollDrag(position);
  if (!FollowPointer(p)) return;
  RenderView(true);
  ZoomBoxPaint();
}

void TMainForm::WandMouseUp() {
  if (!MovingLayer || !WorkingCopy || !CurrentImage) {
    MovingLayer = false;
    return;
  }
  CommitLayerMove();
  SetStatusText(2, QString());
  RepaintNavigator();
  RenderView(true);
  ZoomBoxPaint();
  MovingLayer = false;
}
