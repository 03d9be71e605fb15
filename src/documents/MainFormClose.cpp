// Closing documents: one with the save question, or all of them.

#include "documents/ImageBrowseFrm.h"
#include "documents/MainForm.h"
#include "model/ImageGroup.h"
#include "model/WorkFrame.h"
#include "windows/Dialogs.h"

bool TMainForm::AskToSave(const QString& text) {
  switch (Dialogs().Question(this, text, TQuestionButtons::YesNoCancel)) {
    case TAnswer::Yes:
      SaveActExecute();  // may become "Save As", which the user may cancel
      return !SaveActEnabled();
    case TAnswer::No:
      return true;
    default:
      return false;
  }
}

void TMainForm::CloseActExecute() {
  if (!CurrentImage && !CurrentGroup) return;
  QTreeWidgetItem* selected = Navigator->Selected();
  if (!NodeImage(selected) && !NodeGroup(selected)) return;
  // A frame closes with its whole document: the group becomes current first.
  if (dynamic_cast<TWorkFrame*>(CurrentImage)) Navigator->Select(selected->parent());
  const QString question = " is not saved. Do you want to save it before close?";
  if (CurrentImage) {
    if (CurrentImage->IsModified() && !AskToSave("Image \"" + CurrentFileName() + "\"" + question))
      return;
    SetCurrentImage(nullptr);
  } else if (CurrentGroup) {
    if (CurrentGroup->IsModified() &&
        !AskToSave("Multi framed Image \"" + CurrentFileName() + "\"" + question))
      return;
    SetCurrentGroup(nullptr);
  }
  // The tree selects a neighbouring document, which becomes current.
  Navigator->DeleteNode(Navigator->Selected());
  if (!Navigator->Selected()) {
    WorkingCopy.reset();
    SetCurrentImage(nullptr);
    SetCurrentGroup(nullptr);
    ZoomBox->resize(0, 0);
    Timer1->stop();
  }
  ShowViewMode(CurrentGroup != nullptr, CurrentImage != nullptr);
  UpdateCaption();
  UpdateZoomLayout();
  ZoomBoxPaint();
  SizePreview();
  ColorGrid->viewport()->update();
}

void TMainForm::CloseAllActExecute() {
  // A document kept by Cancel does not stop the others from being offered for closing.
  int index = 0;
  while (index < Navigator->DocumentCount()) {
    const int before = Navigator->DocumentCount();
    Navigator->Select(Navigator->PicTree->topLevelItem(index));
    CloseActExecute();
    if (Navigator->DocumentCount() == before) ++index;
  }
}
