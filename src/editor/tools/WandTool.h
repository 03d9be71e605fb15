#pragma once
// The magic wand: selects the connected area of one exact colour, combined with the selection in
// the mode of the mode bar, and moves the selection like the select tool with the other buttons.

#include "editor/tools/LayerTool.h"

class TWandTool : public TLayerTool {
 public:
  using TLayerTool::TLayerTool;
  int16_t Cursor() const override;
  void MouseDown(Qt::MouseButton button, const QPoint& position,
                 Qt::KeyboardModifiers shift) override;
  void MouseMove(const QPoint& position, Qt::KeyboardModifiers shift) override;
  void MouseUp() override;
};
