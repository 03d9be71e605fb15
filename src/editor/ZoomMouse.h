#pragma once
// IZoomMouse: what receives the zoom box's mouse. The view hands every press, move and release
// to one target at a time, the active tool; positions are zoom box coordinates and may lie
// outside the box during a drag (Qt's implicit grab keeps sending the moves).

#include <QPoint>
#include <Qt>

class IZoomMouse {
 public:
  virtual ~IZoomMouse() = default;
  virtual void MouseDown(Qt::MouseButton button, const QPoint& position,
                         Qt::KeyboardModifiers shift) = 0;
  virtual void MouseMove(const QPoint& position, Qt::KeyboardModifiers shift) = 0;
  // The release ends whatever drag the press began; also called to end one early.
  virtual void MouseUp() = 0;
  // A drag or a layer move is in progress; the outline timer then leaves the view to it.
  virtual bool Dragging() const = 0;
};
