#pragma once
// TFileCommands: creating, opening, saving and closing documents, the recently-used list with
// its "Reopen" menu, and files dropped on the window. Opening runs one straight way: the file is
// read into a document, the navigator adds its node, and the window shows it.

#include <QMenu>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "documents/FeatureModule.h"
#include "documents/files/DocumentReader.h"
#include "model/Palette.h"

// What the New image dialog answers: the document type (0 bitmap, 1 JPEG, 2 GIF image,
// 3 animated GIF, 5 icon), the size, the bits per pixel of the chosen colour mode (-1 when the
// mode is not a number) and the chosen palette (none: the default palette of the depth).
struct TNewImageChoice {
  int TypeNumber = 0;
  int Width = 32;
  int Height = 32;
  int Bits = 8;
  std::optional<TPaletteRecord> Palette;
};

class TFileCommands : public TFeatureModule {
 public:
  // `mruPopup` is the window's "&Reopen" menu, which this module fills.
  TFileCommands(const TFeatureContext& context, QMenu& mruPopup, TDocumentReader reader);

  static constexpr const char* MruSection = "MRU files";
  static const QString OpenFilter;
  static const QString SaveFilter;

  // The folder the open dialog starts in; empty for the system's default.
  QString OpenDlgInitialDir;
  // Shows the New image dialog; none when it was cancelled. Connected by the dialog's owner;
  // "&New" stays disabled without it.
  std::function<std::optional<TNewImageChoice>()> NewImageDialogHook;

  void Attach() override;

  // Opens a picture as a new document and makes it current. Throws EVelmoraError when the file
  // cannot be opened; nothing is added then.
  bool OpenFile(const QString& path);
  // OpenFile with its failure shown in the error box; true when the file was opened.
  bool TryOpenFile(const QString& path);
  // Opens the files in order and adds each opened one to the recently-used list; a file that
  // fails is reported and the others still open.
  void OpenFiles(const QStringList& paths);
  // An error message that names the file it is about.
  static QString MessageAbout(const QString& path, const QString& message);
  void NewImageActExecute();
  void PictureOpenGo();
  void SaveActExecute();
  bool SaveActEnabled() const;
  void SaveAsActExecute();
  void CloseActExecute();
  void CloseAllActExecute();
  void OpenDlgCanClose(const QString& chosenFile);

  // The recently-used list (RecentFiles.cpp).
  void LoadMruList();
  void AddToMru(const QString& path);
  void MRUFilesClick(const QString& path);
  void CleanupMRUActExecute();

 protected:
  // Files dropped on the window open once the drop has ended.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Saves the shown document under `path` with the wait cursor; failures go to the error box.
  bool SaveCurrentDocument(const QString& path);
  // Whether a document with unsaved changes may close: asks, and saves on Yes.
  bool AskToSave(const QString& text);
  void RebuildMruMenu();

  QMenu& mruPopup_;
  TDocumentReader reader_;
  int saveFilterIndex_ = 1;
};
