#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
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

// Puts a picture preview to the right of Qt's own file dialog.
void AddPreview(QFileDialog& dialog) {
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
  if (!grid) return;
  auto* preview = new TPicturePreview(&dialog);
  grid->addWidget(preview, 0, grid->columnCount(), grid->rowCount(), 1);
  QObject::connect(&dialog, &QFileDialog::currentChanged, preview, &TPicturePreview::ShowFile);
  // A name typed (or completed) in the file name field shows as well.
  if (auto* edit = dialog.findChild<QLineEdit*>("fileNameEdit")) {
    QObject::connect(edit, &QLineEdit::textChanged, preview,
                     [&dialog, preview](const QString& text) {
                       const QString path = dialog.directory().absoluteFilePath(text.trimmed());
                       if (QFileInfo(path).isFile()) preview->ShowFile(path);
                     });
  }
}

std::optional<TFileDialogResult> Run(QFileDialog& dialog) {
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  TFileDialogResult result;
  result.Files = dialog.selectedFiles();
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
