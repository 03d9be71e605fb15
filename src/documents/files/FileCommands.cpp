// Creating, opening and saving documents, and files dropped on the window.

#include "documents/files/FileCommands.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMainWindow>
#include <QMimeData>
#include <QTimer>
#include <QTreeWidgetItem>

#include "documents/ActionList.h"
#include "documents/DocumentView.h"
#include "documents/ImageBrowseFrm.h"
#include "documents/WaitCursor.h"
#include "editor/EditSession.h"
#include "model/Errors.h"
#include "model/ImageGroup.h"
#include "model/WorkFrame.h"
#include "windows/Dialogs.h"

const QString TFileCommands::OpenFilter =
    "All files (*.*)|*.*|"
    "All graphics files (*.bmp; *.gif; *.jpg; *.jpeg; *.ico; *.png)|"
    "*.bmp;*.gif;*.jpg;*.jpeg;*.ico;*.png|"
    "Bitmaps (*.bmp)|*.bmp|GIF images (*.gif)|*.gif|"
    "JPEG images (*.jpg, *.jpeg)|*.jpg; *.jpeg|Icons (*.ico)|*.ico|PNG images (*.png)|*.png";

const QString TFileCommands::SaveFilter =
    "All graphics files (*.gif;*.jpg;*.jpeg;*.bmp;*.ico;*.png)|*.gif;*.jpg;*.jpeg;*.bmp;*.ico;*.png|"
    "CompuServe GIF Image (*.gif)|*.gif|JPEG Image File (*.jpg; *.jpeg)|*.jpg;*.jpeg|"
    "Bitmaps (*.bmp)|*.bmp|Icons (*.ico)|*.ico|PNG images (*.png)|*.png";

namespace {

struct TNewType {
  int Number;
  const char* Extension;
  bool Group;
};

constexpr TNewType NewTypes[] = {
    {0, "bmp", false}, {1, "jpg", false}, {2, "gif", false}, {3, "gif", true}, {5, "ico", true},
    {6, "png", false}};

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

TFileCommands::TFileCommands(const TFeatureContext& context, QMenu& mruPopup,
                             TDocumentReader reader)
    : TFeatureModule(context), mruPopup_(mruPopup), reader_(std::move(reader)) {
  if (!reader_) reader_ = ReadDocumentFile;
}

void TFileCommands::Attach() {
  TActionList& a = Actions();
  a.OnExecute("NewImageAct", [this] { NewImageActExecute(); });
  a.OnExecute("PictureOpen", [this] { PictureOpenGo(); });
  a.OnExecute("SaveAct", [this] { SaveActExecute(); });
  a.OnUpdate("SaveAct", [this](QAction& act) { act.setEnabled(SaveActEnabled()); });
  a.OnExecute("SaveAsAct", [this] { SaveAsActExecute(); });
  a.OnExecute("CloseAct", [this] { CloseActExecute(); });
  a.OnExecute("CloseAllAct", [this] { CloseAllActExecute(); });
  for (const char* name : {"SaveAsAct", "CloseAct", "CloseAllAct"})
    a.OnUpdate(name, [this](QAction& act) {
      act.setEnabled(Session().CurrentImage() || Session().CurrentGroup());
    });
  a.OnExecute("CleanupMRUAct", [this] { CleanupMRUActExecute(); });
  Window().setAcceptDrops(true);
  Window().installEventFilter(this);
}

bool TFileCommands::OpenFile(const QString& path) {
  TDocument document = reader_(path);
  QTreeWidgetItem* node = Navigator().AddDocument(std::move(document), QFileInfo(path).fileName());
  Documents().NavigatorPicTreeChange(node);
  return true;
}

bool TFileCommands::TryOpenFile(const QString& path) {
  try {
    return OpenFile(path);
  } catch (const std::exception& e) {
    Dialogs().Error(&Window(), MessageAbout(path, QString::fromUtf8(e.what())));
    return false;
  }
}

QString TFileCommands::MessageAbout(const QString& path, const QString& message) {
  // With several files opened at once the user must know which one failed.
  const QString name = QFileInfo(path).fileName();
  return message.contains(name) ? message : name + ": " + message;
}

void TFileCommands::NewImageActExecute() {
  if (!NewImageDialogHook) return;
  for (;;) {
    const std::optional<TNewImageChoice> choice = NewImageDialogHook();
    if (!choice) return;
    if (choice->Bits < 1) {
      // The dialog keeps its choices and asks again.
      Dialogs().Information(&Window(), "You must select color mode for image!");
      continue;
    }
    const TNewType* type = nullptr;
    for (const TNewType& t : NewTypes)
      if (t.Number == choice->TypeNumber) type = &t;
    if (!type) throw EVelmoraError("Unknown image type.");
    const QString name = QString("Noname%1.%2")
                             .arg(Navigator().NextNonameNumber() + 1)
                             .arg(QString::fromLatin1(type->Extension));
    const TPaletteRecord* palette = choice->Palette ? &*choice->Palette : nullptr;
    QTreeWidgetItem* node = Navigator().NewDocument(name, choice->Width, choice->Height,
                                                    choice->Bits, type->Group, palette);
    // A group shows its frames.
    Documents().NavigatorPicTreeChange(node);
    return;
  }
}

void TFileCommands::PictureOpenGo() {
  TFileDialogRequest request;
  request.Title = "Open image";
  request.Filter = OpenFilter;
  request.FilterIndex = 2;
  request.InitialDir = OpenDlgInitialDir;
  request.MultiSelect = true;
  request.Preview = true;
  const std::optional<TFileDialogResult> result = Dialogs().OpenFiles(&Window(), request);
  if (!result || result->Files.isEmpty()) return;
  OpenDlgCanClose(result->Files.first());
  OpenFiles(result->Files);
}

void TFileCommands::OpenFiles(const QStringList& paths) {
  // A file that fails has its own error box; the others open all the same.
  for (const QString& path : paths)
    if (TryOpenFile(path)) AddToMru(path);
}

bool TFileCommands::SaveCurrentDocument(const QString& path) {
  try {
    TWaitCursor wait;
    if (TWorkImage* image = Session().CurrentImage())
      image->SaveToFile(Encode(path));
    else if (TImageGroup* group = Session().CurrentGroup())
      group->SaveToFile(Encode(path));
    return true;
  } catch (const std::exception& e) {
    Dialogs().Error(&Window(), MessageAbout(path, QString::fromUtf8(e.what())));
    return false;
  }
}

void TFileCommands::SaveActExecute() {
  if (!Session().CurrentImage() && !Session().CurrentGroup()) return;
  const QString name = Session().CurrentFileName();
  // A new document has no place yet: it is saved under a name the user chooses.
  if (name.toLower().contains("noname")) {
    SaveAsActExecute();
    return;
  }
  SaveCurrentDocument(name);
}

bool TFileCommands::SaveActEnabled() const {
  const TWorkImage* image = Session().CurrentImage();
  if (const auto* frame = dynamic_cast<const TWorkFrame*>(image); frame && frame->Group())
    return frame->Group()->IsModified();
  if (image) return image->IsModified();
  const TImageGroup* group = Session().CurrentGroup();
  return group && group->IsModified();
}

void TFileCommands::SaveAsActExecute() {
  if (!Session().CurrentImage() && !Session().CurrentGroup()) return;
  const QString name = Session().CurrentFileName();
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
  const std::optional<TFileDialogResult> result = Dialogs().SaveFile(&Window(), request);
  if (!result || result->Files.isEmpty()) return;
  saveFilterIndex_ = result->FilterIndex;
  OpenDlgCanClose(result->Files.first());
  const QString target = ReplaceExtension(result->Files.first(), extension);
  // The dialog asked about the name it was given; a file under the name the document's own
  // extension makes of it has not been asked about yet.
  if (target != result->Files.first() && QFileInfo::exists(target) &&
      Dialogs().Question(&Window(),
                         QFileInfo(target).fileName() +
                             " already exists.\nDo you want to replace it?",
                         TQuestionButtons::YesNo) != TAnswer::Yes)
    return;
  if (!SaveCurrentDocument(target)) return;
  if (Session().CurrentImage() && Session().WorkingCopy()) Session().LoadWorkingCopy();
  if (QTreeWidgetItem* node = TImageBrowseFrm::DocumentNode(Navigator().Selected()))
    node->setText(0, QFileInfo(target).fileName());
  AddToMru(target);
  Documents().UpdateCaption();
}

bool TFileCommands::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &Window()) return false;
  if (event->type() == QEvent::DragEnter) {
    auto* enter = static_cast<QDragEnterEvent*>(event);
    if (!enter->mimeData()->hasUrls()) return false;
    for (const QUrl& url : enter->mimeData()->urls()) {
      if (url.isLocalFile()) {
        enter->acceptProposedAction();
        return true;
      }
    }
  } else if (event->type() == QEvent::Drop) {
    auto* drop = static_cast<QDropEvent*>(event);
    QStringList paths;
    for (const QUrl& url : drop->mimeData()->urls())
      if (url.isLocalFile()) paths << url.toLocalFile();
    if (paths.isEmpty()) return false;
    drop->acceptProposedAction();
    // Opened after the drop has ended, so the error box never blocks the dragging application.
    QTimer::singleShot(0, this, [this, paths] { OpenFiles(paths); });
    return true;
  }
  return false;
}
