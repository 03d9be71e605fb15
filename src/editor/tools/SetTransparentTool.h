#pragma once
// Set transparent colour: a click makes the pixel's colour the image's transparent colour; a
// click on the transparent colour itself switches transparency off and on again. Each click is
// one undo step.

#include "editor/tools/DrawingTool.h"

class TSetTransparentTool : public TDrawingTool {
 public:
  using TDrawingTool::TDrawingTool;
  // What the status bar says when the image is a sub-icon, whose transparency is its own colour.
  static constexpr const char* NoTransparentColorText =
      "Sub-icons have no transparent colour to set: paint with the transparent colour instead.";
  int16_t Cursor() const override;
  QString GradientPage() const override { return "None"; }
  void MouseDown(Qt::MouseButton button, const QPoint& position,
                 Qt::KeyboardModifiers shift) override;
};
