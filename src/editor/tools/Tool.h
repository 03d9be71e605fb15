#pragma once
// ITool: one tool of the tool box. When the tool's button goes down the tool box activates it
// (Activate, then the zoom box takes Cursor() and the gradient window GradientPage()) and hands
// it the zoom box's mouse; when the button goes up, a drag still in progress is ended as its
// release would end it, then Deactivate runs. A tool keeps its own drag state and reaches the
// editor only through its IToolEnvironment.

#include <QString>
#include <cstdint>

#include "editor/ZoomMouse.h"

class ITool : public IZoomMouse {
 public:
  // The zoom box's cursor while the tool is active: a cursor slot of Pictures, or
  // TZoomView::crSizeAll.
  virtual int16_t Cursor() const = 0;
  // The gradient window's page for the tool: "Pixel", "Closed" or "None".
  virtual QString GradientPage() const = 0;
  virtual void Activate() {}
  virtual void Deactivate() {}
};
