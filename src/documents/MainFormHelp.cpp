// Help, About, options and the other commands of the main window itself.

#include "documents/AboutBox.h"
#include "documents/ActionList.h"
#include "documents/HelpForm.h"
#include "documents/HelpPages.h"
#include "documents/MainForm.h"
#include "editor/Editor.h"
#include "editor/ZoomView.h"
#include "windows/Dialogs.h"
#include "windows/OptionsForm.h"

void TMainForm::AttachStartupHandlers() {
  TActionList& a = Actions();
  a.OnExecute("ExitAct", [this] { ExitActExecute(); });
  a.OnExecute("Options1", [this] { Options1Click(); });
  a.OnExecute("Contents1", [this] { Contents1Click(); });
  a.OnExecute("Index1", [this] { Index1Click(); });
  a.OnExecute("Welcome1", [this] { Welcome1Click(); });
  a.OnExecute("About1", [this] { About1Click(); });
}

void TMainForm::Options1Click() {
  Dialogs().Exec(OptionsForm());
  // Grid and background colours may have changed.
  TZoomView& view = editor_->View();
  if (view.ZoomBox->isVisible()) view.UpdateZoomLayout();
  view.ZoomBox->update();
}

void TMainForm::Contents1Click() {
  HelpForm().ShowContents();
}

void TMainForm::Index1Click() {
  HelpForm().ShowIndex(QString());
}

void TMainForm::Welcome1Click() {
  HelpForm().ShowTopic(HelpPages::WelcomeTopic);
}

void TMainForm::About1Click() {
  TAboutBox box(this);
  box.Title->Start();
  Dialogs().Exec(box);
}
