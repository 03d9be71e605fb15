#include "palettes/OpenPaletteDlg.h"

#include <QFile>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <filesystem>

#include "model/Errors.h"
#include "model/PaletteStore.h"
#include "palettes/PaletteGrid.h"
#include "windows/Dialogs.h"

namespace {

std::string Local(const QString& s) {
  return QFile::encodeName(s).toStdString();
}

}  // namespace

TfrmOpenPaletteDlg::TfrmOpenPaletteDlg(QWidget* parent) : QDialog(parent) {
  setObjectName("frmOpenPaletteDlg");
  ePaletteName = new QLineEdit(this);
  ePaletteName->setObjectName("ePaletteName");
  QFont bold = ePaletteName->font();
  bold.setBold(true);
  ePaletteName->setFont(bold);
  QPalette navy = ePaletteName->palette();
  navy.setColor(QPalette::Text, QColor(0, 0, 128));
  ePaletteName->setPalette(navy);
  lblExtension = new QLabel(this);
  lblExtension->setObjectName("lblExtension");
  lblExtension->setMinimumWidth(60);
  cbFormat = new QComboBox(this);
  cbFormat->setObjectName("cbFormat");
  cbFormat->setAccessibleName("Format");
  for (const TPaletteFormatInfo& format : PaletteFormats())
    cbFormat->addItem(QString("%1 (%2)").arg(format.Description, format.Extension),
                      int(format.Format));
  frmStoredPalettes = new TPaletteChoiceFrame(this);
  frmStoredPalettes->setObjectName("frmStoredPalettes");
  frmStoredPalettes->setMinimumSize(220, 300);
  OKBtn = new QPushButton("OK", this);
  OKBtn->setDefault(true);
  CancelBtn = new QPushButton("Cancel", this);

  auto* nameLabel = new QLabel("Palette name:", this);
  nameLabel->setBuddy(ePaletteName);
  auto* name = new QHBoxLayout;
  name->addWidget(ePaletteName, 1);
  name->addWidget(lblExtension);
  name->addWidget(cbFormat);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OKBtn);
  buttons->addWidget(CancelBtn);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(nameLabel);
  layout->addLayout(name);
  layout->addWidget(new QLabel("Stored palettes:", this));
  layout->addWidget(frmStoredPalettes, 1);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
  connect(ePaletteName, &QLineEdit::textChanged, this, &TfrmOpenPaletteDlg::UpdateOK);
  connect(frmStoredPalettes, &TPaletteChoiceFrame::PaletteChanged, this,
          &TfrmOpenPaletteDlg::frmStoredPaletteslbPalettesChange);
  connect(frmStoredPalettes->lbPalettes, &QListWidget::itemDoubleClicked, this,
          &TfrmOpenPaletteDlg::frmStoredPaletteslbPalettesDblClick);
  SetOpenMode(false);
  frmStoredPaletteslbPalettesChange();
}

void TfrmOpenPaletteDlg::SetOpenMode(bool open) {
  openMode_ = open;
  setWindowTitle(open ? "Open palette" : "Save palette");
  cbFormat->setVisible(!open);
  UpdateOK();
}

void TfrmOpenPaletteDlg::frmStoredPaletteslbPalettesChange() {
  const QString selected = frmStoredPalettes->lbPalettes->SelectedFile();
  QString text = selected.isEmpty() ? frmStoredPalettes->lbPalettes->Pattern() : selected;
  const qsizetype dot = text.indexOf('.');
  if (dot < 0) {
    ChosenExtension.clear();
  } else {
    ChosenExtension = text.mid(dot);
    text.truncate(dot);
  }
  ePaletteName->setText(text);
  if (openMode_) lblExtension->setText(ChosenExtension);
}

void TfrmOpenPaletteDlg::frmStoredPaletteslbPalettesDblClick() {
  if (OKBtn->isEnabled()) OKBtn->click();
}

bool TfrmOpenPaletteDlg::IsValidPaletteName(const QString& name) {
  if (name.trimmed().isEmpty() || name == "." || name == "..") return false;
  for (QChar c : name)
    if (c == '/' || c == '*' || c == '?' || c == ';' || c == QChar(0)) return false;
  return true;
}

void TfrmOpenPaletteDlg::UpdateOK() {
  // Opening reports a name that is not found; saving must not create a file the lists cannot
  // show or one outside the palette folder.
  OKBtn->setEnabled(openMode_ || IsValidPaletteName(ePaletteName->text()));
}

bool SavePaletteAs(IDialogs& dialogs, QWidget* parent, const TPaletteRecord& palette) {
  TfrmOpenPaletteDlg dlg(parent);
  dlg.SetOpenMode(false);
  QString extension;
  const auto chooseFormat = [&] {
    const auto format = TPaletteFormat(dlg.cbFormat->currentData().toInt());
    extension = format == TPaletteFormat::Velmora
                    ? QString::fromStdString(PaletteExtension(PaletteEntryCount(palette)))
                    : QString(PaletteFormatInfo(format).Extension);
    dlg.lblExtension->setText(extension);
  };
  chooseFormat();
  QObject::connect(dlg.cbFormat, &QComboBox::currentIndexChanged, &dlg, chooseFormat);
  dlg.ePaletteName->setFocus();
  dlg.ePaletteName->selectAll();  // typing replaces the placeholder name
  if (dialogs.Exec(dlg) != QDialog::Accepted) return false;
  const QString path =
      dlg.frmStoredPalettes->PaletteFolder() + dlg.ePaletteName->text() + extension;
  try {
    const auto ask = [&](const std::string& question) {
      return dialogs.Question(parent, QFile::decodeName(QByteArray::fromStdString(question)),
                              TQuestionButtons::YesNoCancel) == TAnswer::Yes;
    };
    return WritePalette(Local(path), palette, ask,
                        TPaletteFormat(dlg.cbFormat->currentData().toInt()));
  } catch (const EVelmoraError& e) {
    dialogs.Error(parent, QString::fromStdString(e.what()));
    return false;
  }
}

bool OpenStoredPalette(IDialogs& dialogs, QWidget* parent, TPaletteRecord& palette) {
  TfrmOpenPaletteDlg dlg(parent);
  dlg.SetOpenMode(true);
  dlg.lblExtension->clear();
  dlg.ePaletteName->setEnabled(false);
  if (dialogs.Exec(dlg) != QDialog::Accepted) return false;
  const QString path =
      dlg.frmStoredPalettes->PaletteFolder() + dlg.ePaletteName->text() + dlg.ChosenExtension;
  // The name comes from the list only; the list knows how the file system spells it.
  const std::string local = dlg.frmStoredPalettes->lbPalettes->SelectedLocalPath();
  std::error_code ec;
  if (local.empty() || !std::filesystem::is_regular_file(local, ec)) {
    dialogs.Error(parent, "Error: palette \"" + path + "\" not found.");
    return false;
  }
  try {
    ReadPalette(local, palette);
  } catch (const EVelmoraError& e) {
    dialogs.Error(parent, QString::fromStdString(e.what()));
    return false;
  }
  return true;
}
