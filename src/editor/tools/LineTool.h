#pragma once
// The line: a rubber band from the pressed pixel to the pointer, committed at the release.

#include "editor/tools/DrawingTool.h"

class TLineTool : public TDrawingTool {
 public:
  using TDrawingTool::TDrawingTool;
  int16_t Cursor() const override;
  void MouseDown(Qt::MouseButton button, const QPoint& position,
                 Qt::KeyboardModifiers shift) override;

 protected:
  std::optional<QString> Preview(TPoint point) override;
};
