#pragma once
// TLayerTool: what the select, wand and text tools share. A press takes the undo snapshot of
// the state before it; the selected pixels move as a floating layer with the buttons that do not
// select; leaving the tool merges the layer into the image as one undo step.

#include <functional>
#include <optional>

#include "editor/tools/Tool.h"
#include "model/Geometry.h"

class IToolEnvironment;
class TSelectBitmap;

class TLayerTool : public ITool {
 public:
  explicit TLayerTool(IToolEnvironment& environment) : env_(environment) {}

  bool Dragging() const override { return dragging_ || MovingLayer; }
  QString GradientPage() const override { return "None"; }
  // Choosing another tool merges moved pixels; the selection itself stays.
  void Deactivate() override { MergeFloatingLayer(); }

 protected:
  // The pressed image position when the press goes on; none without an image or when Ctrl made
  // the press a colour pick.
  std::optional<TPoint> BeginPress(Qt::MouseButton button, const QPoint& position,
                                   Qt::KeyboardModifiers shift);
  void StartLayerMove(TPoint grab);
  // The rest of a press at `p` of the select and wand tools: the left button drops a floating
  // layer and changes the selection through `select`, another button starts moving the selected
  // pixels; then the press is committed and the view redrawn.
  void PressSelection(Qt::MouseButton button, TPoint p,
                      const std::function<void(TSelectBitmap& copy)>& select);
  // Moves the floating layer with the pointer; false when the pointer is where it was.
  bool FollowPointer(TPoint point);
  // The end of a press: the snapshot, and what the image takes from the working copy.
  void CommitPress(bool wasModified);
  // Commits a layer move at its release.
  void CommitLayerMove();
  // The end of a release that moved a layer or changed the selection.
  void FinishRelease();
  // Merges a floating layer into the image as one undo step; kept floating when no snapshot can
  // be taken.
  void MergeFloatingLayer();

  IToolEnvironment& env_;
  bool dragging_ = false;  // a selection rectangle is being drawn
  bool MovingLayer = false;
  // A rectangle's last corner, or the layer's offset when its move began.
  TPoint LastPoint;

 private:
  // The pointer's image position at the previous move of a layer.
  TPoint movePrevious_;
};
