#pragma once
// Set transparent colour: a click makes the pixel's colour the image's transparent colour; a
// click on the transparent colour itself switches transparency off and on again. Each click is
// one undo step.

#include "editor/tools/DrawingTool.h"

class TSetTransparentTool : public TDrawingTool {
 public:
  using TDrawingTool::TDrawingTool;
  int16_t Cursor() const override;
  QString GradientPage() const override { return "None"; }
  void MouseDown(Qt::MouseButton button, const QPoint& position,
                 Qt::KeyboardModifiers shift) override;
};
