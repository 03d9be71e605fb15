#pragma once
// TPaletteFileList: the list of stored palette files, the plain files of its folders that match
// a pattern of one or more wildcards separated by ";". The first folder is the one saving writes
// to; a file there hides one of the same name in a later folder (the shipped palettes). It reports
// Changed when its selection changes and after every re-read of the folder (which leaves nothing
// selected).
//
// A file that cannot serve as a palette (damaged, too long, or holding another number of colours
// than its extension names) is listed greyed out with the reason as its tooltip and cannot be
// selected, so no dialog ever takes a palette it could not read.

#include <QListWidget>
#include <QStringList>
#include <string>

class TPaletteFileList : public QListWidget {
  Q_OBJECT
 public:
  explicit TPaletteFileList(QWidget* parent = nullptr);

  // The folder with a trailing '/'; setting it re-reads the list.
  QString Folder() const { return folder_; }
  void SetFolder(const QString& folder);
  // The first folder as SetFolder, then the folders listed after it.
  void SetFolders(const QStringList& folders);
  QString Pattern() const { return pattern_; }
  void SetPattern(const QString& pattern);
  void Reread();

  // The listed names in list order, usable or not.
  QStringList FileNames() const;
  // The selected file's name and full path; empty without a selection.
  QString SelectedFile() const;
  QString SelectedPath() const;
  // The selected file's path as the file system spells it. A name that is not valid in the
  // locale's encoding shows with replacement characters, so only this path opens that file.
  std::string SelectedLocalPath() const;
  // Selects a listed, usable file by name; false (and no change) otherwise.
  bool SelectFile(const QString& name);
  // Selects the first usable file; false when there is none.
  bool SelectFirstFile();
  // Whether the named file is listed and can be selected.
  bool IsUsable(const QString& name) const;

 signals:
  void Changed();

 private:
  QString folder_;
  QStringList moreFolders_;
  QString pattern_;
};
