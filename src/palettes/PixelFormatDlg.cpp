#include "palettes/PixelFormatDlg.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "model/IniFile.h"
#include "windows/Dialogs.h"

namespace {

// "&&" shows as a single "&".
constexpr const char* DitherCaptions[DitherModeCount] = {
    "Nearest color", "Floyd Steinberg",         "Stucki", "Sierra", "Jarvis, Judice && Ninke",
    "Stevenson && Arche", "Burkes"};

constexpr const char* ColorReductionKey = "rgColorReduction.ItemIndex";
constexpr const char* DitherModeKey = "rgDitherMode.ItemIndex";

}  // namespace

TfrmPixelFormat::TfrmPixelFormat(TIniFile& settings, IDialogs& dialogs, TWarningsOn warningsOn,
                                 QWidget* parent)
    : QDialog(parent), settings_(settings), dialogs_(dialogs), warningsOn_(std::move(warningsOn)) {
  setObjectName("frmPixelFormat");
  setWindowTitle("Color reduction method");
  PalChoice = new TPaletteChoiceFrame(this);
  PalChoice->setObjectName("PalChoice");
  rgColorReduction = new QGroupBox("Color palette", this);
  rgColorReduction->setObjectName("rgColorReduction");
  rbOptimal = new QRadioButton("Optimal", rgColorReduction);
  rbCustom = new QRadioButton("Custom", rgColorReduction);
  rgDitherMode = new QGroupBox("Dither mode", this);
  rgDitherMode->setObjectName("rgDitherMode");
  DitherButtons = new QButtonGroup(this);
  for (int i = 0; i < DitherModeCount; ++i)
    DitherButtons->addButton(new QRadioButton(DitherCaptions[i], rgDitherMode), i);
  btnOK = new QPushButton("OK", this);
  btnOK->setObjectName("btnOK");
  btnOK->setDefault(true);
  btnCancel = new QPushButton("Cancel", this);
  btnCancel->setObjectName("btnCancel");
  BuildLayout();
  connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
  FormCreate();
  // Only the user's picks ask about the list; restoring the remembered choice does not.
  connect(rbOptimal, &QRadioButton::clicked, this, &TfrmPixelFormat::rgColorReductionClick);
  connect(rbCustom, &QRadioButton::clicked, this, &TfrmPixelFormat::rgColorReductionClick);
}

void TfrmPixelFormat::BuildLayout() {
  auto* reduction = new QVBoxLayout(rgColorReduction);
  reduction->addWidget(rbOptimal);
  reduction->addWidget(rbCustom);
  auto* dither = new QVBoxLayout(rgDitherMode);
  for (QAbstractButton* b : DitherButtons->buttons()) dither->addWidget(b);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btnOK);
  buttons->addWidget(btnCancel);
  auto* right = new QVBoxLayout;
  right->addWidget(rgColorReduction);
  right->addWidget(rgDitherMode);
  right->addStretch();
  right->addLayout(buttons);
  // The palette's place stays the same size whether the list shows or not.
  auto* left = new QWidget(this);
  left->setFixedSize(200, 320);
  auto* leftLayout = new QVBoxLayout(left);
  leftLayout->setContentsMargins(0, 0, 0, 0);
  leftLayout->addWidget(PalChoice);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(left);
  layout->addLayout(right);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfrmPixelFormat::FormCreate() {
  SetColorReductionIndex(settings_.ReadInteger(Section, ColorReductionKey, Custom));
  SetDitherModeIndex(settings_.ReadInteger(Section, DitherModeKey, 0));
}

void TfrmPixelFormat::FormClose() {
  const TIniFile::TBatch batch(settings_);
  settings_.WriteInteger(Section, ColorReductionKey, ColorReductionIndex());
  settings_.WriteInteger(Section, DitherModeKey, DitherModeIndex());
}

void TfrmPixelFormat::SetColorReductionIndex(int index) {
  // A damaged settings value gives the default.
  (index == Optimal ? rbOptimal : rbCustom)->setChecked(true);
  ShowPaletteChoice();
}

void TfrmPixelFormat::SetDitherModeIndex(int index) {
  QAbstractButton* button = DitherButtons->button(index);
  (button ? button : DitherButtons->button(0))->setChecked(true);
}

void TfrmPixelFormat::PrepareFor(const QString& pattern) {
  PalChoice->lbPalettes->SetPattern(pattern);
  PalChoice->lbPalettes->SelectFirstFile();
  if (!HasPalettes()) rbOptimal->setChecked(true);
  ShowPaletteChoice();
}

bool TfrmPixelFormat::HasPalettes() const {
  const TPaletteFileList& list = *PalChoice->lbPalettes;
  for (int i = 0; i < list.count(); ++i)
    if (list.item(i)->flags().testFlag(Qt::ItemIsSelectable)) return true;
  return false;
}

void TfrmPixelFormat::rgColorReductionClick() {
  if (HasPalettes()) {
    ShowPaletteChoice();
    return;
  }
  if (ColorReductionIndex() != Custom) return;
  if (!warningsOn_ || warningsOn_()) dialogs_.Information(this, NoPalettesMessage);
  rbOptimal->setChecked(true);
  ShowPaletteChoice();
}

void TfrmPixelFormat::ShowPaletteChoice() {
  PalChoice->setVisible(ColorReductionIndex() == Custom && HasPalettes());
  PalChoice->LayoutPaletteGrid();
}

std::optional<TReductionChoice> TPixelFormatChooser::ChooseReduction(int,
                                                                     const std::string& pattern) {
  TfrmPixelFormat dlg(settings_, dialogs_, warningsOn_, parent_);
  dlg.PrepareFor(QString::fromStdString(pattern));
  const int result = dialogs_.Exec(dlg);
  dlg.FormClose();  // the choices are kept whatever the answer
  if (result != QDialog::Accepted) return std::nullopt;
  TReductionChoice choice;
  choice.Quantize = dlg.ColorReductionIndex() == TfrmPixelFormat::Optimal;
  choice.Dither = DitherModeFromIndex(dlg.DitherModeIndex());
  choice.Palette = dlg.PalChoice->Palette;
  return choice;
}
