// Creating, opening and saving documents, the window caption, and files dropped on the window.

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>

#include "documents/ActionList.h"
#include "documents/ImageBrowseFrm.h"
#include "documents/MainForm.h"
#include "documents/WaitCursor.h"
#include "model/Errors.h"
#include "model/ImageGroup.h"
#include "model/WorkFrame.h"
#include "windows/Dialogs.h"

const QString TMainForm::OpenFilter =
    "All files (*.*)|*.*|"
    "All graphics files (*.bmp; *.gif; *.jpg; *.jpeg; *.ico)|*.bmp;*.gif;*.jpg;*.jpeg;*.ico|"
    "Bitmaps (*.bmp)|*.bmp|GIF images (*.gif)|*.gif|"
    "JPEG images (*.jpg, *.jpeg)|*.jpg; *.jpeg|Icons (*.ico)|*.ico";

const QString TMainForm::SaveFilter =
    "All graphics files (*.gif;*.jpg;*.jpeg;*.bmp;*.ico)|*.gif;*.jpg;*.jpeg;*.bmp;*.ico|"
    "CompuServe GIF Image (*.gif)|*.gif|JPEG Image File (*.jpg; *.jpeg)|*.jpg;*.jpeg|"
    "Bitmaps (*.bmp)|*.bmp|Icons (*.ico)|*.ico";

namespace {

struct TNewType {
  int Number;
  const char* Extension;
  bool Group;
};

constexpr TNewType NewTypes[] = {
    {0, "bmp", false}, {1, "jpg", false}, {2, "gif", false}, {3, "gif", true}, {5, "ico", true}};

std::string Encode(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

// The last filter pair (counting from 1) whose patterns hold the extension; `previous` if none.
int FilterIndexFor(const QString& filter, const QString& extension, int previous) {
  const QStringList parts = filter.split('|');
  for (int pair = int(parts.size() / 2); pair >= 1; --pair)
    if (parts[2 * pair - 1].contains(extension, Qt::CaseInsensitive)) return pair;
  return previous;
}

// The name with its extension (from the last dot of the file name on) replaced.
QString ReplaceExtension(const QString& path, const QString& extension) {
  const qsizetype slash = path.lastIndexOf('/');
  const qsizetype dot = path.lastIndexOf('.');
  const QString stem = dot > slash ? path.left(dot) : path;
  return stem + extension;
}

}  // namespace

void TMainForm::AttachDocumentHandlers() {
  TActionList& a = Actions();
  a.OnExecute("NewImageAct", [this] { NewImageActExecute(); });
  a.OnExecute("PictureOpen", [this] { PictureOpenGo(); });
  a.OnExecute("SaveAct", [this] { SaveActExecute(); });
  a.OnUpdate("SaveAct", [this](QAction& act) { act.setEnabled(SaveActEnabled()); });
  a.OnExecute("SaveAsAct", [this] { SaveAsActExecute(); });
  a.OnExecute("CloseAct", [this] { CloseActExecute(); });
  a.OnExecute("CloseAllAct", [this] { CloseAllActExecute(); });
  for (const char* name : {"SaveAsAct", "CloseAct", "CloseAllAct"})
    a.OnUpdate(name, [this](QAction& act) { act.setEnabled(CurrentImage || CurrentGroup); });
  connect(Navigator, &TImageBrowseFrm::SelectionChanged, this,
          [this](QTreeWidgetItem* node) { NavigatorPicTreeChange(node); });
  setAcceptDrops(true);
}

bool TMainForm::OpenFile(const QString& path) {
  return Navigator->OpenFile(path);
}

void TMainForm::NewImageActExecute() {
  if (!NewImageDialogHook) return;
  for (;;) {
    const std::optional<TNewImageChoice> choice = NewImageDialogHook();
    if (!choice) return;
    if (choice->Bits < 1) {
      // The dialog keeps its choices and asks again.
      Dialogs().Information(this, "You must select color mode for image!");
      continue;
    }
    const TNewType* type = nullptr;
    for (const TNewType& t : NewTypes)
      if (t.Number == choice->TypeNumber) type = &t;
    if (!type) throw EVelmoraError("Unknown image type.");
    const QString name = QString("Noname%1.%2")
                             .arg(Navigator->NextNonameNumber() + 1)
                             .arg(QString::fromLatin1(type->Extension));
    const TPaletteRecord* palette = choice->Palette ? &*choice->Palette : nullptr;
    const TDocumentRef made = Navigator->NewDocument(name, choice->Width, choice->Height,
                                                     choice->Bits, type->Group, palette);
    // Selecting the new node has made it current; a group shows its frames.
    if (made.Group) {
      SetCurrentGroup(made.Group);
      SetCurrentImage(nullptr);
    } else {
      SetCurrentImage(made.Image);
      SetCurrentGroup(nullptr);
    }
    return;
  }
}

void TMainForm::PictureOpenGo() {
  TFileDialogRequest request;
  request.Title = "Open image";
  request.Filter = OpenFilter;
  request.FilterIndex = 2;
  request.InitialDir = OpenDlgInitialDir;
  request.MultiSelect = true;
  request.Preview = true;
  const std::optional<TFileDialogResult> result = Dialogs().OpenFiles(this, request);
  if (!result || result->Files.isEmpty()) return;
  OpenDlgCanClose(result->Files.first());
  OpenFiles(result->Files);
}

void TMainForm::OpenFiles(const QStringList& paths) {
  for (const QString& path : paths) {
    if (!TryOpenFile(path)) return;  // the error was shown; the files before it stay open
    AddToMru(path);
  }
}

QString TMainForm::CurrentFileName() const {
  if (CurrentImage) return QFile::decodeName(CurrentImage->GetFileName().c_str());
  if (CurrentGroup) return QFile::decodeName(CurrentGroup->FileName.c_str());
  return QString();
}

bool TMainForm::SaveCurrentDocument(const QString& path) {
  try {
    TWaitCursor wait;
    if (CurrentImage)
      CurrentImage->SaveToFile(Encode(path));
    else if (CurrentGroup)
      CurrentGroup->SaveToFile(Encode(path));
    return true;
  } catch (const std::exception& e) {
    Dialogs().Error(this, QString::fromUtf8(e.what()));
    return false;
  }
}

void TMainForm::SaveActExecute() {
  if (!CurrentImage && !CurrentGroup) return;
  const QString name = CurrentFileName();
  // A new document has no place yet: it is saved under a name the user chooses.
  if (name.toLower().contains("noname")) {
    SaveAsActExecute();
    return;
  }
  SaveCurrentDocument(name);
}

bool TMainForm::SaveActEnabled() const {
  if (const auto* frame = dynamic_cast<const TWorkFrame*>(CurrentImage); frame && frame->Group())
    return frame->Group()->IsModified();
  if (CurrentImage) return CurrentImage->IsModified();
  return CurrentGroup && CurrentGroup->IsModified();
}

void TMainForm::SaveAsActExecute() {
  if (!CurrentImage && !CurrentGroup) return;
  const QString name = CurrentFileName();
  const QFileInfo info(name);
  // The format stays: whatever name is chosen gets the document's own extension.
  const QString extension = info.suffix().isEmpty() ? QString() : "." + info.suffix();
  TFileDialogRequest request;
  request.Title = "Save As";
  request.Filter = SaveFilter;
  request.DefaultSuffix = info.suffix();
  request.FileName = info.fileName();
  request.InitialDir = name.contains('/') ? info.absolutePath() : OpenDlgInitialDir;
  request.FilterIndex = FilterIndexFor(SaveFilter, extension, saveFilterIndex_);
  const std::optional<TFileDialogResult> result = Dialogs().SaveFile(this, request);
  if (!result || result->Files.isEmpty()) return;
  saveFilterIndex_ = result->FilterIndex;
  OpenDlgCanClose(result->Files.first());
  const QString target = ReplaceExtension(result->Files.first(), extension);
  if (!SaveCurrentDocument(target)) return;
  if (CurrentImage && WorkingCopy) WorkingCopy->Assign(*CurrentImage);
  if (QTreeWidgetItem* node = TImageBrowseFrm::DocumentNode(Navigator->Selected()))
    node->setText(0, QFileInfo(target).fileName());
  AddToMru(target);
  UpdateCaption();
}

void TMainForm::UpdateCaption() {
  setWindowTitle("Velmora: " + CurrentFileName());
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
  if (!event->mimeData()->hasUrls()) return;
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) {
      event->acceptProposedAction();
      return;
    }
  }
}

void TMainForm::dropEvent(QDropEvent* event) {
  QStringList paths;
  for (const QUrl& url : event->mimeData()->urls())
    if (url.isLocalFile()) paths << url.toLocalFile();
  if (paths.isEmpty()) return;
  event->acceptProposedAction();
  // Opened after the drop has ended, so the error box never blocks the dragging application.
  QTimer::singleShot(0, this, [this, paths] { OpenFiles(paths); });
}
