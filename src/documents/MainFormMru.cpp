// The list of recently used files and its "Reopen" menu.

#include <QFile>
#include <QFileInfo>

#include "documents/ActionList.h"
#include "documents/MainForm.h"
#include "model/IniFile.h"
#include "model/MruList.h"

namespace {

std::string Encode(const QString& path) {
  return QFile::encodeName(path).toStdString();
}
QString Decode(const std::string& path) {
  return QFile::decodeName(path.c_str());
}

// "&0 /path": the number is the accelerator; an ampersand in the path must not become one.
QString EntryCaption(int index, const QString& path) {
  QString escaped = path;
  escaped.replace("&", "&&");
  return index < 10 ? QString("&%1 %2").arg(index).arg(escaped)
                    : QString("%1 %2").arg(index).arg(escaped);
}

}  // namespace

void TMainForm::LoadMruList() {
  mru_->Load(*settings_, MruSection);
  CleanupMRUActExecute();
}

void TMainForm::CleanupMRUActExecute() {
  mru_->Cleanup([](const std::string& path) { return QFileInfo::exists(Decode(path)); });
  mru_->Save(*settings_, MruSection);
  RebuildMruMenu();
}

void TMainForm::RebuildMruMenu() {
  MRUPopup->clear();
  MRUPopup->addAction(&Act("CleanupMRUAct"));
  MRUPopup->addSeparator();
  const auto& entries = mru_->Entries();
  for (int i = 0; i < int(entries.size()); ++i) {
    const QString path = Decode(entries[size_t(i)].Path);
    QAction* item = MRUPopup->addAction(EntryCaption(i, path));
    item->setObjectName(QString("MRUItem%1").arg(i));
    item->setData(path);
    connect(item, &QAction::triggered, this, [this, path] { MRUFilesClick(path); });
  }
}

void TMainForm::AddToMru(const QString& path) {
  mru_->Add(Encode(path));
  RebuildMruMenu();
}

void TMainForm::MRUFilesClick(const QString& path) {
  if (!TryOpenFile(path)) return;  // the error was shown; the list stays as it is
  AddToMru(path);
  OpenDlgInitialDir = QFileInfo(path).absolutePath();
}

void TMainForm::OpenDlgCanClose(const QString& chosenFile) {
  if (!chosenFile.isEmpty()) OpenDlgInitialDir = QFileInfo(chosenFile).absolutePath();
}
