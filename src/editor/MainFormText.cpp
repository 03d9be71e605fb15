// The placement side of the text tool: an empty floating layer at the visible top-left corner
// that the text pad writes into, moved with the select tool's handlers and merged into the image
// as one undo step when another tool is chosen.

#include "documents/MainForm.h"
#include "editor/ToolWindows.h"
#include "model/WorkImage.h"

void TMainForm::TextBtnDown() {
  if (TextPad) TextPad->Show();
  if (WorkingCopy) {
    // The layer starts empty: the selection's pixels are lifted, then nothing stays selected.
    WorkingCopy->LiftSelection(false, clWhite);
    WorkingCopy->ClearSelection();
    WorkingCopy->LayerLeft = HScr->value();
    WorkingCopy->LayerTop = VScr->value();
    if (TextPad) TextPad->TextPadChange();
    RenderView(true);
    ZoomBoxPaint();
    RepaintNavigator();
  }
  // With the select button up, every button of the select tool's handlers moves the text.
  SetZoomCursor(crSizeAll);
  UseSelectHandlers();
  SelectGradientPage("None");
}

void TMainForm::TextBtnUp() {
  if (TextPad) TextPad->Hide();
  MergeFloatingLayer();
}
