// Undo and redo: each image keeps its own history of whole snapshots; after a step the working
// copy and everything that shows the image are refreshed from it.

#include "documents/ActionList.h"
#include "documents/ImageBrowseFrm.h"
#include "documents/MainForm.h"
#include "model/WorkImage.h"

void TMainForm::AttachUndoHandlers() {
  TActionList& a = Actions();
  a.OnExecute("UndoAct", [this] { UndoActExecute(); });
  a.OnUpdate("UndoAct",
             [this](QAction& act) { act.setEnabled(CurrentImage && CurrentImage->CanUndo()); });
  a.OnExecute("RedoAct", [this] { RedoActExecute(); });
  a.OnUpdate("RedoAct",
             [this](QAction& act) { act.setEnabled(CurrentImage && CurrentImage->CanRedo()); });
}

void TMainForm::UndoActExecute() {
  StepHistory(false);
}

void TMainForm::RedoActExecute() {
  StepHistory(true);
}

void TMainForm::StepHistory(bool redo) {
  if (!CurrentImage) return;
  // A stroke still held is committed first, so the step takes it back as a whole.
  FinishDrag();
  // A state that matches the file on disk (just opened or saved) is left for another: the
  // document then differs from its file, whatever the restored snapshot remembers of the time
  // before the save.
  const bool matchedFile = !CurrentImage->IsModified();
  if (redo)
    CurrentImage->Redo();
  else
    CurrentImage->Undo();
  if (matchedFile) CurrentImage->SetModified(true);
  if (!WorkingCopy) WorkingCopy.reset(new TSelectBitmap);
  WorkingCopy->Assign(*CurrentImage);
  SizePreview();
  // A floating layer that comes back can be moved at once.
  if (WorkingCopy->HasLayer() && !SelectBtn->Down() && !WandBtn->Down()) SelectBtn->SetDown(true);
  RepaintNavigator();
  NavigatorPicTreeChange(Navigator->Selected());
  if (!pnlProperties->isHidden()) Actions().Run("CancelAct");
}
