#pragma once
// The placement side of the text tool: an empty floating layer at the visible top-left corner
// that the text pad writes into, moved by every button with the select tool's handlers and
// merged into the image as one undo step when another tool is chosen.

#include "editor/tools/SelectTool.h"

class TTextTool : public TSelectTool {
 public:
  using TSelectTool::TSelectTool;
  int16_t Cursor() const override;
  void Activate() override;
  void Deactivate() override;

 protected:
  bool SelectsRectangles() const override { return false; }
};
