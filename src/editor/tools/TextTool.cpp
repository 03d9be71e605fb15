#include "editor/tools/TextTool.h"

#include "editor/EditSession.h"
#include "editor/ToolWindows.h"
#include "editor/ZoomView.h"
#include "editor/tools/ToolEnvironment.h"
#include "model/SelectBitmap.h"

int16_t TTextTool::Cursor() const {
  return TZoomView::crSizeAll;
}

void TTextTool::Activate() {
  ITextPad* pad = env_.TextPad();
  if (pad) pad->Show();
  TSelectBitmap* copy = env_.Session().WorkingCopy();
  if (!copy) return;
  // The layer starts empty: the selection's pixels are lifted, then nothing stays selected.
  copy->LiftSelection(false, clWhite);
  copy->ClearSelection();
  const TRect visible = env_.View().VisibleRect();
  copy->LayerLeft = visible.Left;
  copy->LayerTop = visible.Top;
  if (pad) pad->TextPadChange();
  env_.View().Redraw();
}

void TTextTool::Deactivate() {
  if (ITextPad* pad = env_.TextPad()) pad->Hide();
  MergeFloatingLayer();
}
