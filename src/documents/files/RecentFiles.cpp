// The list of recently used files and its "Reopen" menu.

#include <QFile>
#include <QFileInfo>

#include "documents/ActionList.h"
#include "documents/files/FileCommands.h"
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

void TFileCommands::LoadMruList() {
  context_.Mru.Load(Settings(), MruSection);
  CleanupMRUActExecute();
}

void TFileCommands::CleanupMRUActExecute() {
  context_.Mru.Cleanup([](const std::string& path) { return QFileInfo::exists(Decode(path)); });
  context_.Mru.Save(Settings(), MruSection);
  RebuildMruMenu();
}

void TFileCommands::RebuildMruMenu() {
  mruPopup_.clear();
  mruPopup_.addAction(&Actions()["CleanupMRUAct"]);
  mruPopup_.addSeparator();
  const auto& entries = context_.Mru.Entries();
  for (int i = 0; i < int(entries.size()); ++i) {
    const QString path = Decode(entries[size_t(i)].Path);
    QAction* item = mruPopup_.addAction(EntryCaption(i, path));
    item->setObjectName(QString("MRUItem%1").arg(i));
    item->setData(path);
    connect(item, &QAction::triggered, this, [this, path] { MRUFilesClick(path); });
  }
}

void TFileCommands::AddToMru(const QString& path) {
  context_.Mru.Add(Encode(path));
  RebuildMruMenu();
}

void TFileCommands::MRUFilesClick(const QString& path) {
  if (!TryOpenFile(path)) return;  // the error was shown; the list stays as it is
  AddToMru(path);
  OpenDlgInitialDir = QFileInfo(path).absolutePath();
}

void TFileCommands::OpenDlgCanClose(const QString& chosenFile) {
  if (!chosenFile.isEmpty()) OpenDlgInitialDir = QFileInfo(chosenFile).absolutePath();
}
