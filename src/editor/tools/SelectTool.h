#pragma once
// The select tool: with the left button, rectangles combined with the selection in the mode of
// the mode bar; with the other buttons, the selected pixels move as a floating layer.

#include "editor/tools/LayerTool.h"
#include "model/Surface.h"

class TSelectTool : public TLayerTool {
 public:
  using TLayerTool::TLayerTool;
  int16_t Cursor() const override;
  void MouseDown(Qt::MouseButton button, const QPoint& position,
                 Qt::KeyboardModifiers shift) override;
  void MouseMove(const QPoint& position, Qt::KeyboardModifiers shift) override;
  void MouseUp() override;

 private:
  // How the rectangle changes the mask.
  TMaskPen selectPen_ = TMaskPen::Black;
};
