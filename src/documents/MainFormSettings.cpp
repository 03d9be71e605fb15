// Window placement and stored tool choices, and the orderly shutdown that writes them.

#include <QCloseEvent>
#include <QFile>

#include "documents/ActionList.h"
#include "documents/FormPlacement.h"
#include "documents/HelpForm.h"
#include "documents/ImageBrowseFrm.h"
#include "documents/MainForm.h"
#include "documents/files/FileCommands.h"
#include "editor/Editor.h"
#include "editor/ToolBox.h"
#include "editor/ZoomView.h"
#include "model/IniFile.h"
#include "model/MruList.h"
#include "windows/Dialogs.h"
#include "windows/OptionsForm.h"

namespace {

// The tool buttons whose state is kept between runs, keyed like the stored properties.
struct TStoredButton {
  const char* Key;
  TAdvSpeedButton* TToolBox::*Button;
};

constexpr TStoredButton StoredButtons[] = {
    {"ctFillOnlyBtn.Down", &TToolBox::ctFillOnlyBtn},
    {"ctOutFillBtn.Down", &TToolBox::ctOutFillBtn},
    {"ctOutlineBtn.Down", &TToolBox::ctOutlineBtn},
    {"PoorSelBtn.Down", &TToolBox::PoorSelBtn},
    {"AddSelBtn.Down", &TToolBox::AddSelBtn},
    {"SubSelBtn.Down", &TToolBox::SubSelBtn},
    {"XorSelBtn.Down", &TToolBox::XorSelBtn},
};

constexpr const char* InitialDirKey = "OpenDlg.InitialDir";

}  // namespace

void TMainForm::RestorePlacement() {
  TFormPlacement::Read(*settings_, PlacementSection).ApplyTo(*this, FormVersion);
}

void TMainForm::RestoreStoredProperties() {
  const TIniFile& ini = *settings_;
  files_->OpenDlgInitialDir =
      QFile::decodeName(ini.ReadString(PlacementSection, InitialDirKey, "").c_str());
  // Buttons going down first, so that a group never ends with a state it cannot have: the
  // selection modes keep exactly one button down whatever the file says.
  for (bool down : {true, false}) {
    for (const TStoredButton& stored : StoredButtons) {
      TAdvSpeedButton* button = editor_->Tools().*stored.Button;
      const bool value = ini.ReadBool(PlacementSection, stored.Key, button->Down());
      if (value == down) button->SetDown(value);
    }
  }
}

void TMainForm::SaveStoredProperties() {
  TIniFile& ini = *settings_;
  ini.WriteString(PlacementSection, InitialDirKey,
                  QFile::encodeName(files_->OpenDlgInitialDir).toStdString());
  for (const TStoredButton& stored : StoredButtons)
    ini.WriteBool(PlacementSection, stored.Key, (editor_->Tools().*stored.Button)->Down());
}

void TMainForm::SaveSettings() {
  TIniFile& ini = *settings_;
  {
    TIniFile::TBatch batch(ini);
    mru_->Save(ini, TFileCommands::MruSection);
    TFormPlacement::Of(*this, FormVersion).Write(ini, PlacementSection);
    SaveStoredProperties();
    ini.WriteString(NavigatorSection, "ShowHint", Navigator->cbHints->isChecked() ? "1" : "0");
    ini.WriteInteger(ZoomSection, "Index", editor_->View().ZoomCombo->currentIndex());
  }
  if (ini.WriteFailed())
    Dialogs().Error(this, QString("The settings could not be saved to %1.\n%2")
                              .arg(QFile::decodeName(ini.FileName().c_str()),
                                   QString::fromUtf8(ini.LastWriteError().c_str())));
}

bool TMainForm::FormCloseQuery() {
  Actions().Run("CloseAllAct");  // asks about unsaved documents once documents can be open
  if (OpenDocumentCount() == 0) return true;
  if (OptionsForm().WarningsOn())
    Dialogs().Information(this, "Can't close Velmora with open images.");
  return false;
}

void TMainForm::FormClose() {
  if (closed_) return;
  closed_ = true;
  SaveSettings();
  if (helpForm_) helpForm_->close();
}

void TMainForm::closeEvent(QCloseEvent* event) {
  if (!FormCloseQuery()) {
    event->ignore();
    return;
  }
  FormClose();
  event->accept();
}

void TMainForm::ExitActExecute() {
  close();
}
