// Closing documents: one with the save question, or all of them.

#include <QTreeWidget>

#include "documents/DocumentView.h"
#include "documents/ImageBrowseFrm.h"
#include "documents/files/FileCommands.h"
#include "editor/EditSession.h"
#include "editor/Editor.h"
#include "model/ImageGroup.h"
#include "model/WorkFrame.h"
#include "windows/Dialogs.h"

bool TFileCommands::AskToSave(const QString& text) {
  switch (Dialogs().Question(&Window(), text, TQuestionButtons::YesNoCancel)) {
    case TAnswer::Yes:
      SaveActExecute();  // may become "Save As", which the user may cancel
      return !SaveActEnabled();
    case TAnswer::No:
      return true;
    default:
      return false;
  }
}

void TFileCommands::CloseActExecute() {
  TEditSession& session = Session();
  if (!session.CurrentImage() && !session.CurrentGroup()) return;
  TImageBrowseFrm& navigator = Navigator();
  QTreeWidgetItem* selected = navigator.Selected();
  if (!NodeImage(selected) && !NodeGroup(selected)) return;
  // A frame closes with its whole document: the group becomes current first.
  if (dynamic_cast<TWorkFrame*>(session.CurrentImage())) navigator.Select(selected->parent());
  const QString question = " is not saved. Do you want to save it before close?";
  const QString name = "\"" + session.CurrentFileName() + "\"";
  if (const TWorkImage* image = session.CurrentImage()) {
    if (image->IsModified() && !AskToSave("Image " + name + question)) return;
    session.SetCurrentImage(nullptr);
  } else if (const TImageGroup* group = session.CurrentGroup()) {
    if (group->IsModified() && !AskToSave("Multi framed Image " + name + question)) return;
    session.SetCurrentGroup(nullptr);
  }
  // The tree selects a neighbouring document, which becomes current.
  navigator.DeleteNode(navigator.Selected());
  if (!navigator.Selected()) Editor().Clear();
  Documents().ShowCurrent();
}

void TFileCommands::CloseAllActExecute() {
  // A document kept by Cancel does not stop the others from being offered for closing.
  TImageBrowseFrm& navigator = Navigator();
  int index = 0;
  while (index < navigator.DocumentCount()) {
    const int before = navigator.DocumentCount();
    navigator.Select(navigator.PicTree->topLevelItem(index));
    CloseActExecute();
    if (navigator.DocumentCount() == before) ++index;
  }
}
