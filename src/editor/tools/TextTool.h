#pragma once
// The placement side of the text tool: an empty floating layer at the visible top-left corner
// that the text pad writes into, moved by every button, and merged into the image when another
// tool is chosen.
//
// One use of the tool is one undo step: the first text placed takes the snapshot, and every later
// change (more typing, a move, "New text", the merge at the end) belongs to it. The image holds
// the live text as its floating layer, so saving, the navigator and closing see it. A use that
// placed nothing changes nothing.

#include "editor/tools/SelectTool.h"

class TEditSession;

class TTextTool : public TSelectTool {
 public:
  using TSelectTool::TSelectTool;
  int16_t Cursor() const override;
  void Activate() override;
  void Deactivate() override;
  void MouseDown(Qt::MouseButton button, const QPoint& position,
                 Qt::KeyboardModifiers shift) override;
  void MouseUp() override;

  // Puts the working copy's text layer into the image after the pad rendered it or it moved.
  static void CommitText(TEditSession& session);
};
