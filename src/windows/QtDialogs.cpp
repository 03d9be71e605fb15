#include <QAbstractItemView>
#include <QApplication>
#include <QColorDialog>
#include <QCompleter>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMessageBox>

#include "windows/Dialogs.h"
#include "windows/PicturePreview.h"

namespace {

QString Title() {
  return QApplication::applicationName().isEmpty() ? "Velmora" : QApplication::applicationName();
}

// Qt's native-less file dialog, set up from a request.
void Prepare(QFileDialog& dialog, const TFileDialogRequest& request) {
  dialog.setWindowTitle(request.Title);
  const QStringList filters = FileDialogNameFilters(request.Filter);
  dialog.setNameFilters(filters);
  if (request.FilterIndex >= 1 && request.FilterIndex <= filters.size())
    dialog.selectNameFilter(filters[request.FilterIndex - 1]);
  if (!request.InitialDir.isEmpty()) dialog.setDirectory(request.InitialDir);
  if (!request.FileName.isEmpty()) dialog.selectFile(request.FileName);
  dialog.setDefaultSuffix(request.DefaultSuffix);
}

// The dialog property that holds a file typed with its full path and confirmed with Enter.
constexpr const char* TypedFileProperty = "velmoraTypedFile";

// Enter in the file name field on the full path of an existing file opens that file. Without
// this the completer's popup may take the Enter and the dialog empties the field instead.
class TTypedPathAcceptor : public QObject {
 public:
  TTypedPathAcceptor(QFileDialog& dialog, QLineEdit& edit)
      : QObject(&dialog), dialog_(dialog), edit_(edit) {
    // The dialog cuts a typed folder off the field (and may move there later), so the full
    // path as the user typed it is kept aside.
    connect(&edit, &QLineEdit::textEdited, this, [this](const QString& text) {
      if (QFileInfo(text.trimmed()).isAbsolute()) typedPath_ = text.trimmed();
    });
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return false;
    const QCompleter* completer = edit_.completer();
    if (watched != &edit_ && !(completer && watched == completer->popup())) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
    const QFileInfo typed = TypedFile();
    if (!typed.isFile()) return false;
    if (QCompleter* completer = edit_.completer()) completer->popup()->hide();
    dialog_.setProperty(TypedFileProperty, typed.absoluteFilePath());
    // QFileDialog makes done() protected; QDialog keeps it public and the call still reaches
    // the file dialog's own override.
    static_cast<QDialog&>(dialog_).done(QDialog::Accepted);
    return true;
  }

 private:
  // The file the field names: relative to the folder shown, or the full path typed last when
  // the field holds its file name.
  QFileInfo TypedFile() const {
    const QString name = edit_.text().trimmed();
    if (name.isEmpty()) return {};
    const QFileInfo shown(dialog_.directory().absoluteFilePath(name));
    if (shown.isFile() || typedPath_.isEmpty()) return shown;
    const QFileInfo typed(typedPath_);
    return typed.fileName() == name || typedPath_ == name ? typed : shown;
  }

  QFileDialog& dialog_;
  QLineEdit& edit_;
  QString typedPath_;
};

// Puts a picture preview to the right of Qt's own file dialog.
void AddPreview(QFileDialog& dialog) {
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
  if (!grid) return;
  auto* preview = new TPicturePreview(&dialog);
  grid->addWidget(preview, 0, grid->columnCount(), grid->rowCount(), 1);
  QObject::connect(&dialog, &QFileDialog::currentChanged, preview,
                   &TPicturePreview::ShowFileSoon);
  // A name typed (or completed) in the file name field shows as well.
  if (auto* edit = dialog.findChild<QLineEdit*>("fileNameEdit")) {
    QObject::connect(edit, &QLineEdit::textChanged, preview,
                     [&dialog, preview](const QString& text) {
                       const QString path = dialog.directory().absoluteFilePath(text.trimmed());
                       if (QFileInfo(path).isFile()) preview->ShowFileSoon(path);
                     });
  }
}

// Lets a full path typed in the file name field open with Enter, whatever the completer does.
void AcceptTypedPaths(QFileDialog& dialog) {
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  auto* edit = dialog.findChild<QLineEdit*>("fileNameEdit");
  if (!edit) return;
  // The completer's own filter on its popup would see the key first, so the acceptor watches
  // from the application, ahead of every object's filters, for as long as the dialog lives.
  qApp->installEventFilter(new TTypedPathAcceptor(dialog, *edit));
}

std::optional<TFileDialogResult> Run(QFileDialog& dialog) {
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  TFileDialogResult result;
  const QString typed = dialog.property(TypedFileProperty).toString();
  result.Files = typed.isEmpty() ? dialog.selectedFiles() : QStringList{typed};
  result.FilterIndex = int(dialog.nameFilters().indexOf(dialog.selectedNameFilter())) + 1;
  return result;
}

}  // namespace

QStringList FileDialogNameFilters(const QString& filter) {
  const QStringList parts = filter.split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(';', ' ');
    filters << QString("%1 (%2)").arg(parts[i].section(" (", 0, 0), patterns.simplified());
  }
  return filters;
}

void TQtDialogs::Information(QWidget* parent, const QString& text) {
  QMessageBox::information(parent, Title(), text, QMessageBox::Ok);
}

void TQtDialogs::Error(QWidget* parent, const QString& text) {
  QMessageBox::critical(parent, Title(), text, QMessageBox::Ok);
}

TAnswer TQtDialogs::Question(QWidget* parent, const QString& text, TQuestionButtons buttons) {
  QMessageBox::StandardButtons set = QMessageBox::Yes | QMessageBox::No;
  if (buttons == TQuestionButtons::YesNoCancel) set |= QMessageBox::Cancel;
  switch (QMessageBox::question(parent, Title(), text, set)) {
    case QMessageBox::Yes:
      return TAnswer::Yes;
    case QMessageBox::No:
      return TAnswer::No;
    default:
      return buttons == TQuestionButtons::YesNo ? TAnswer::No : TAnswer::Cancel;
  }
}

std::optional<TFileDialogResult> TQtDialogs::OpenFiles(QWidget* parent,
                                                       const TFileDialogRequest& request) {
  QFileDialog dialog(parent);
  Prepare(dialog, request);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(request.MultiSelect ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
  if (request.Preview) AddPreview(dialog);
  AcceptTypedPaths(dialog);
  return Run(dialog);
}

std::optional<TFileDialogResult> TQtDialogs::SaveFile(QWidget* parent,
                                                      const TFileDialogRequest& request) {
  QFileDialog dialog(parent);
  Prepare(dialog, request);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  return Run(dialog);
}

std::optional<QColor> TQtDialogs::PickColor(QWidget* parent, const QColor& initial) {
  const QColor color = QColorDialog::getColor(initial, parent);
  if (!color.isValid()) return std::nullopt;
  return color;
}

int TQtDialogs::Exec(QDialog& dialog) {
  return dialog.exec();
}
