#pragma once
// The closed shapes: edge and centre based rectangles and ellipses in the three styles of the
// style bar, plain or filled with the gradient of the working colours. One class serves the four
// tool buttons; the kind says which shape it draws.

#include <optional>

#include "editor/tools/DrawingTool.h"
#include "editor/tools/ToolGeometry.h"

class TClosedShapeTool : public TDrawingTool {
 public:
  TClosedShapeTool(IToolEnvironment& environment, TClosedKind kind)
      : TDrawingTool(environment), ClosedKind(kind) {}

  int16_t Cursor() const override;
  QString GradientPage() const override { return "Closed"; }
  void MouseDown(Qt::MouseButton button, const QPoint& position,
                 Qt::KeyboardModifiers shift) override;

  const TClosedKind ClosedKind;

 protected:
  std::optional<QString> Preview(TPoint point) override;

 private:
  // The inside's colour; none for outline only.
  std::optional<TPixel> strokeBrush_;
};
