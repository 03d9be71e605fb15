#pragma once
// TDrawingTool: what the pixel tools share (pencil, fill, line, the closed shapes and the
// transparency tool): the start of a press, the pointer moves with the rubber band, and the
// release that commits the stroke. A stroke draws into the working copy; the image keeps the last
// committed state until the release, so a rubber band is repaired from it.

#include <optional>

#include "editor/tools/Tool.h"
#include "model/Colors.h"
#include "model/Geometry.h"

class IToolEnvironment;

class TDrawingTool : public ITool {
 public:
  explicit TDrawingTool(IToolEnvironment& environment) : env_(environment) {}

  // The moves and the release all drawing tools share.
  void MouseMove(const QPoint& position, Qt::KeyboardModifiers shift) override;
  void MouseUp() override;
  bool Dragging() const override { return dragging_; }
  QString GradientPage() const override { return "Pixel"; }

 protected:
  // The rubber band, drawn at each new pointer position of a drag: answers the metrics text for
  // the status bar. Tools without one draw nothing and answer nothing.
  virtual std::optional<QString> Preview(TPoint point) { return std::nullopt; }

  // The pressed image position when the press begins a stroke; none without a working copy or
  // when Ctrl made the press a colour pick.
  std::optional<TPoint> PressStart(Qt::MouseButton button, const QPoint& position,
                                   Qt::KeyboardModifiers shift);
  // The common start of a press: false when Ctrl made it a colour pick.
  bool BeginToolDrag(Qt::MouseButton button, Qt::KeyboardModifiers shift, TPoint position);
  void SetStrokeColors(Qt::MouseButton button);
  // Copies the rectangle the previous band covered back from the image, so a move costs what
  // the band covers, not what the image holds.
  void RepairPreview(const TRect& band);
  // The gradient mode is on while the gradient window shows.
  bool GradientShown() const;

  IToolEnvironment& env_;
  bool dragging_ = false;
  // The image position of the last pointer move (of the press at first).
  TPoint LastPoint;
  // The stroke's colours, chosen at the press by the button held.
  TColor PrimaryColor = 0;
  TColor SecondaryColor = 0;
  TPixel strokePen_ = 0;
  // The stroke's undo snapshot was taken at its press already.
  bool pressSnapshot_ = false;
};
