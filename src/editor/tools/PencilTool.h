#pragma once
// The pencil: one-pixel strokes in the colour of the button held.

#include "editor/tools/DrawingTool.h"

class TPencilTool : public TDrawingTool {
 public:
  using TDrawingTool::TDrawingTool;
  int16_t Cursor() const override;
  void MouseDown(Qt::MouseButton button, const QPoint& position,
                 Qt::KeyboardModifiers shift) override;

 protected:
  // The trail from the last point to the pointer; it stays, nothing is repaired.
  std::optional<QString> Preview(TPoint point) override;
};
