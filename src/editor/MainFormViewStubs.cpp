// The view and colour operations that start-up and the options dialog call. They do nothing
// while no image can be current; the zoomed view and the colour panel replace them.

#include "documents/MainForm.h"

void TMainForm::UpdateZoomLayout() {
  HScr->hide();
  VScr->hide();
}

void TMainForm::ApplyLeftColor(TColor) {}

void TMainForm::ApplyRightColor(TColor) {}

void TMainForm::UpdateMiddleColor() {
  MColor->SetColor(QColor(192, 192, 192));
}
