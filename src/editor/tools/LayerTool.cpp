#include "editor/tools/LayerTool.h"

#include "editor/ColorPanel.h"
#include "editor/EditSession.h"
#include "editor/ZoomView.h"
#include "editor/tools/ToolEnvironment.h"
#include "model/SelectBitmap.h"

std::optional<TPoint> TLayerTool::BeginPress(Qt::MouseButton button, const QPoint& position,
                                             Qt::KeyboardModifiers shift) {
  if (!env_.Session().WorkingCopy() || !env_.Session().CurrentImage()) return std::nullopt;
  const TPoint p = env_.View().PressPoint(position);
  if (shift & Qt::ControlModifier) {
    env_.Colors().PickColorAt(button, p);
    return std::nullopt;
  }
  env_.Colors().PanelMouseLeave();
  return p;
}

void TLayerTool::PressSelection(Qt::MouseButton button, TPoint p,
                                const std::function<void(TSelectBitmap& copy)>& select) {
  TSelectBitmap& copy = *env_.Session().WorkingCopy();
  const bool wasModified = copy.IsModified();
  copy.SetModified(false);
  if (button == Qt::LeftButton) {
    if (copy.HasLayer()) copy.DropLayer();
    select(copy);
  } else if (env_.View().SelectionExists()) {
    StartLayerMove(p);
  }
  CommitPress(wasModified);
  env_.View().Redraw();
}

void TLayerTool::StartLayerMove(TPoint grab) {
  TSelectBitmap& copy = *env_.Session().WorkingCopy();
  MovingLayer = true;
  env_.View().AnchorPoint = grab;
  movePrevious_ = grab;
  LastPoint = {copy.LayerLeft, copy.LayerTop};
  // A layer that floats already moves on from where it was left, without lifting again.
  if (!copy.HasLayer())
    copy.LiftSelection(env_.Options().ClearUnderSelection, env_.Colors().CurrentRightColor());
}

bool TLayerTool::FollowPointer(TPoint point) {
  if (point == movePrevious_) return false;
  movePrevious_ = point;
  // The offset at the grab plus the pointer's way since then.
  TSelectBitmap& copy = *env_.Session().WorkingCopy();
  const TPoint anchor = env_.View().AnchorPoint;
  copy.LayerLeft = point.X + LastPoint.X - anchor.X;
  copy.LayerTop = point.Y + LastPoint.Y - anchor.Y;
  env_.View().ViewImg->update();
  return true;
}

void TLayerTool::CommitPress(bool wasModified) {
  // The snapshot holds the state before the press; the image then holds the drag's starting
  // state, from which the rubber band is repaired.
  TEditSession& session = env_.Session();
  TSelectBitmap& copy = *session.WorkingCopy();
  const bool changed = copy.IsModified();
  // A selection change alone leaves the document's unsaved changes as they were.
  copy.SetModified(wasModified || changed);
  if (changed)
    session.Commit(TSnapshot::Take);
  else
    session.CommitMask(TSnapshot::Take);
}

void TLayerTool::CommitLayerMove() {
  // A moved layer lands elsewhere when the picture is saved, so the document has changed.
  TSelectBitmap& copy = *env_.Session().WorkingCopy();
  if (copy.LayerLeft != LastPoint.X || copy.LayerTop != LastPoint.Y) copy.SetModified(true);
  env_.Session().Commit(TSnapshot::Taken);
}

void TLayerTool::FinishRelease() {
  env_.SetStatusText(2, QString());
  env_.View().Redraw();
  dragging_ = false;
  MovingLayer = false;
}

void TLayerTool::MergeFloatingLayer() {
  TEditSession& session = env_.Session();
  const TSelectBitmap* copy = session.WorkingCopy();
  if (!copy || !session.CurrentImage() || !copy->HasLayer()) return;
  if (!session.Commit(TSnapshot::Require, [](TSelectBitmap& c) { c.DropLayer(); })) return;
  // The outline changes from the layer's colours to the selection's.
  env_.View().Redraw();
}
