// Undo and redo: each image keeps its own history of whole snapshots, and so does each group for
// the changes made to it as a whole; after a step the working copy and everything that shows the
// image or group are refreshed from it.

#include "editor/EditSession.h"
#include "editor/Editor.h"
#include "editor/EditorServices.h"
#include "editor/ToolBox.h"
#include "editor/ZoomView.h"
#include "model/ImageGroup.h"
#include "model/WorkImage.h"

void TEditor::AttachUndoHandlers() {
  ICommandList& a = commands_;
  a.OnExecute("UndoAct", [this] { UndoActExecute(); });
  a.OnUpdate("UndoAct", [this](QAction& act) {
    const TWorkImage* image = session_->CurrentImage();
    const TImageGroup* group = session_->CurrentGroup();
    act.setEnabled(image ? image->CanUndo() : group && group->CanUndo());
  });
  a.OnExecute("RedoAct", [this] { RedoActExecute(); });
  a.OnUpdate("RedoAct", [this](QAction& act) {
    const TWorkImage* image = session_->CurrentImage();
    const TImageGroup* group = session_->CurrentGroup();
    act.setEnabled(image ? image->CanRedo() : group && group->CanRedo());
  });
}

void TEditor::UndoActExecute() {
  StepHistory(false);
}

void TEditor::RedoActExecute() {
  StepHistory(true);
}

void TEditor::StepHistory(bool redo) {
  TWorkImage* image = session_->CurrentImage();
  if (!image) {
    // A group shown as its frames steps its own history; the shell refreshes the frames.
    session_->StepHistory(redo);
    return;
  }
  // A stroke still held is committed first, so the step takes it back as a whole.
  tools_->FinishDrag();
  // Undo takes back the text being typed: the text tool's use ends as one step first (staying
  // on, it would place the pad's text again at once).
  if (tools_->TextBtn->Down()) tools_->SelectBtn->SetDown(true);
  session_->StepHistory(redo);
  view_->SizePreview();
  // A floating layer that comes back can be moved at once.
  if (session_->WorkingCopy()->HasLayer()) tools_->PressLayerTool();
  ShowImage(*image);
}
