// The select tool: rectangles combined with the selection in four modes, and moving the selected
// pixels as a floating layer with the other buttons. The text tool moves its layer with these
// handlers too.

#include "documents/MainForm.h"
#include "model/Draw.h"
#include "model/RasterOps.h"
#include "model/WorkImage.h"
#include "render/ColorMath.h"
#include "windows/OptionsForm.h"

bool TMainForm::SelectionExists() const {
  return Timer1->isActive();
}

void TMainForm::SelectMouseDown(Qt::MouseButton button, const QPoint& position,
                                Qt::KeyboardModifiers shift) {
  if (!WorkingCopy || !CurrentImage) return;
  const TPoint p = PressPoint(position);
  if (shift & Qt::ControlModifier) {
    PickColorAt(button, p);
    return;
  }
  PanelMouseLeave();
  if (Dragging || MovingLayer) return;
  const bool wasModified = WorkingCopy->IsModified();
  WorkingCopy->SetModified(false);
  if (button == Qt::LeftButton && SelectBtn->Down()) {
    if (WorkingCopy->HasLayer()) WorkingCopy->DropLayer();
    if (PoorSelBtn->Down() && !(shift & Qt::ShiftModifier)) WorkingCopy->ClearSelection();
    selectPen_ = XorSelBtn->Down()   ? TMaskPen::Xor
                 : SubSelBtn->Down() ? TMaskPen::White
                                     : TMaskPen::Black;
    Dragging = true;
    AnchorPoint = LastPoint = p;
  } else if (SelectionExists()) {
    StartLayerMove(p);
  }
  CommitPress(wasModified);
  RenderView(true);
  ZoomBoxPaint();
}

void TMainForm::StartLayerMove(TPoint grab) {
  MovingLayer = true;
  AnchorPoint = grab;
  movePrevious_ = grab;
  LastPoint = {WorkingCopy->LayerLeft, WorkingCopy->LayerTop};
  // A layer that floats already moves on from where it was left, without lifting again.
  if (!WorkingCopy->HasLayer())
    WorkingCopy->LiftSelection(OptionsForm().ClearUnderSelection(), CurrentRightColor());
}

void TMainForm::CommitPress(bool wasModified) {
  // The snapshot holds the state before the press; the image then holds the drag's starting
  // state, from which the rubber band is repaired.
  CurrentImage->SaveUndo();
  const bool changed = WorkingCopy->IsModified();
  // A selection change alone leaves the document's unsaved changes as they were.
  WorkingCopy->SetModified(wasModified || changed);
  if (changed) {
    CurrentImage->Assign(*WorkingCopy);
    RepaintNavigator();
  } else {
    CurrentImage->EditMask() = WorkingCopy->Mask();
  }
}

void TMainForm::SelectMouseMove(const QPoint& position, Qt::KeyboardModifiers shift) {
  if (!WorkingCopy || !CurrentImage) return;
  const TPoint raw = PointerToImage(position);
  const TPoint p = ClampAndConstrain(raw.X, raw.Y, shift & ~Qt::ShiftModifier);
  SetStatusText(1, PositionText(p.X, p.Y, false));
  SetStatusText(2, Dragging ? "W: " + PadNumber(std::abs(p.X - AnchorPoint.X) + 1) +
                                  "  H: " + QString::number(std::abs(p.Y - AnchorPoint.Y) + 1)
                            : QString());
  if (!Dragging && !MovingLayer) {
    ShowColorReadout(PixelToColor(CurrentImage->Image().Pixel(p.X, p.Y)));
    return;
  }
  AutoScrollDrag(position);
  if (Dragging) {
    if (p == LastPoint) return;
    // The previous rectangle is repaired from the mask at the press, then the new one drawn.
    TMaskSurface& mask = WorkingCopy->EditMask();
    const TRect before = RectFromPoints(AnchorPoint.X, AnchorPoint.Y, LastPoint.X, LastPoint.Y);
    Blit(mask, before.Left, before.Top, CurrentImage->Mask(), before, TRop::Copy);
    FillRectMask(mask, RectFromPoints(AnchorPoint.X, AnchorPoint.Y, p.X, p.Y), selectPen_);
    LastPoint = p;
  } else if (!FollowPointer(p)) {
    return;
  }
  RenderView(true);
  ZoomBoxPaint();
}

bool TMainForm::FollowPointer(TPoint point) {
  if (point == movePrevious_) return false;
  movePrevious_ = point;
  // The offset at the grab plus the pointer's way since then.
  WorkingCopy->LayerLeft = point.X + LastPoint.X - AnchorPoint.X;
  WorkingCopy->LayerTop = point.Y + LastPoint.Y - AnchorPoint.Y;
  ViewImg->update();
  return true;
}

void TMainForm::SelectMouseUp() {
  if (!WorkingCopy || !CurrentImage || (!Dragging && !MovingLayer)) {
    Dragging = MovingLayer = false;
    return;
  }
  if (Dragging) CurrentImage->EditMask() = WorkingCopy->Mask();
  if (MovingLayer) CommitLayerMove();
  SetStatusText(2, QString());
  RepaintNavigator();
  RenderView(true);
  ZoomBoxPaint();
  Dragging = false;
  MovingLayer = false;
}

void TMainForm::CommitLayerMove() {
  // A moved layer lands elsewhere when the picture is saved, so the document has changed.
  if (WorkingCopy->LayerLeft != LastPoint.X || WorkingCopy->LayerTop != LastPoint.Y)
    WorkingCopy->SetModified(true);
  CurrentImage->Assign(*WorkingCopy);
}

void TMainForm::SelectBtnUp() {
  SelModeBar->hide();
  MergeFloatingLayer();
}

void TMainForm::MergeFloatingLayer() {
  if (!WorkingCopy || !CurrentImage || !WorkingCopy->HasLayer()) return;
  if (!CurrentImage->SaveUndo()) return;
  WorkingCopy->DropLayer();
  CurrentImage->Assign(*WorkingCopy);
  RepaintNavigator();
  // The outline changes from the layer's colours to the selection's.
  RenderView(true);
  ZoomBoxPaint();
}
