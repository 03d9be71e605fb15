#pragma once
// The flood fill: the area of one exact colour around the pressed pixel, in the colour of the
// button held. The fill follows the colour alone; the selection plays no part.

#include "editor/tools/DrawingTool.h"

class TFillTool : public TDrawingTool {
 public:
  using TDrawingTool::TDrawingTool;
  int16_t Cursor() const override;
  void MouseDown(Qt::MouseButton button, const QPoint& position,
                 Qt::KeyboardModifiers shift) override;
};
