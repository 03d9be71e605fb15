#include "palettes/PaletteFileList.h"

#include <QFile>

#include "model/PaletteStore.h"

namespace {

constexpr int LocalPathRole = Qt::UserRole;  // the path's bytes in the file system

std::string Local(const QString& s) {
  return QFile::encodeName(s).toStdString();
}

QString FromLocal(const std::string& s) {
  return QFile::decodeName(QByteArray::fromStdString(s));
}

}  // namespace

TPaletteFileList::TPaletteFileList(QWidget* parent)
    : QListWidget(parent), pattern_(AllPalettesPattern) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(this, &QListWidget::itemSelectionChanged, this, &TPaletteFileList::Changed);
}

void TPaletteFileList::SetFolder(const QString& folder) {
  SetFolders({folder});
}

void TPaletteFileList::SetFolders(const QStringList& folders) {
  moreFolders_.clear();
  for (QString folder : folders) {
    if (!folder.isEmpty() && !folder.endsWith('/')) folder += '/';
    moreFolders_ << folder;
  }
  folder_ = moreFolders_.isEmpty() ? QString() : moreFolders_.takeFirst();
  Reread();
}

void TPaletteFileList::SetPattern(const QString& pattern) {
  pattern_ = pattern;
  Reread();
}

void TPaletteFileList::Reread() {
  {
    const QSignalBlocker quiet(this);
    clear();
    QStringList listed;
    for (const QString& folder : QStringList{folder_} + moreFolders_) {
      for (const std::string& name : ListPaletteFiles(Local(folder), Local(pattern_))) {
        const QString shown = FromLocal(name);
        if (listed.contains(shown)) continue;
        listed << shown;
        const std::string path = Local(folder) + name;
        auto* item = new QListWidgetItem(shown, this);
        item->setData(LocalPathRole, QByteArray::fromStdString(path));
        const std::string problem = CheckPaletteFile(path);
        if (problem.empty()) continue;
        item->setFlags(item->flags() & ~(Qt::ItemIsSelectable | Qt::ItemIsEnabled));
        item->setToolTip(FromLocal(problem));
      }
    }
  }
  emit Changed();
}

QStringList TPaletteFileList::FileNames() const {
  QStringList names;
  for (int i = 0; i < count(); ++i) names << item(i)->text();
  return names;
}

QString TPaletteFileList::SelectedFile() const {
  const QList<QListWidgetItem*> chosen = selectedItems();
  return chosen.isEmpty() ? QString() : chosen.first()->text();
}

QString TPaletteFileList::SelectedPath() const {
  return FromLocal(SelectedLocalPath());
}

std::string TPaletteFileList::SelectedLocalPath() const {
  const QList<QListWidgetItem*> chosen = selectedItems();
  if (chosen.isEmpty()) return "";
  return chosen.first()->data(LocalPathRole).toByteArray().toStdString();
}

bool TPaletteFileList::IsUsable(const QString& name) const {
  for (int i = 0; i < count(); ++i)
    if (item(i)->text() == name) return item(i)->flags().testFlag(Qt::ItemIsSelectable);
  return false;
}

bool TPaletteFileList::SelectFile(const QString& name) {
  for (int i = 0; i < count(); ++i) {
    QListWidgetItem* it = item(i);
    if (it->text() != name || !it->flags().testFlag(Qt::ItemIsSelectable)) continue;
    setCurrentItem(it, QItemSelectionModel::ClearAndSelect);
    return true;
  }
  return false;
}

bool TPaletteFileList::SelectFirstFile() {
  for (int i = 0; i < count(); ++i)
    if (item(i)->flags().testFlag(Qt::ItemIsSelectable)) return SelectFile(item(i)->text());
  return false;
}
