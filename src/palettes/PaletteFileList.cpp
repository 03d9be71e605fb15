#include "palettes/PaletteFileList.h"

#include <QFile>

#include "model/PaletteStore.h"

namespace {

constexpr int LocalNameRole = Qt::UserRole;  // the name's bytes in the file system

std::string Local(const QString& s) {
  return QFile::encodeName(s).toStdString();
}

QString FromLocal(const std::string& s) {
  return QFile::decodeName(QByteArray::fromStdString(s));
}

}  // namespace

TPaletteFileList::TPaletteFileList(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  connect(this, &QListWidget::itemSelectionChanged, this, &TPaletteFileList::Changed);
}

void TPaletteFileList::SetFolder(const QString& folder) {
  folder_ = folder;
  if (!folder_.isEmpty() && !folder_.endsWith('/')) folder_ += '/';
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
    for (const std::string& name : ListPaletteFiles(Local(folder_), Local(pattern_))) {
      auto* item = new QListWidgetItem(FromLocal(name), this);
      item->setData(LocalNameRole, QByteArray::fromStdString(name));
      const std::string problem = CheckPaletteFile(Local(folder_) + name);
      if (problem.empty()) continue;
      item->setFlags(item->flags() & ~(Qt::ItemIsSelectable | Qt::ItemIsEnabled));
      item->setToolTip(FromLocal(problem));
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
  const QString name = SelectedFile();
  return name.isEmpty() ? QString() : folder_ + name;
}

std::string TPaletteFileList::SelectedLocalPath() const {
  const QList<QListWidgetItem*> chosen = selectedItems();
  if (chosen.isEmpty()) return "";
  return Local(folder_) + chosen.first()->data(LocalNameRole).toByteArray().toStdString();
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
