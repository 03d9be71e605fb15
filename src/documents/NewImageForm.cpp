#include "documents/NewImageForm.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QShowEvent>
#include <QVBoxLayout>

#include "model/Document.h"
#include "model/PaletteStore.h"

namespace {

constexpr const char* TypeProperty = "typeNumber";

TDocumentKind KindOfType(int typeNumber) {
  switch (typeNumber) {
    case 1:
      return TDocumentKind::Jpeg;
    case 2:
      return TDocumentKind::GifImage;
    case 3:
      return TDocumentKind::GifAnimation;
    case 5:
      return TDocumentKind::Icon;
    case 6:
      return TDocumentKind::Png;
    default:
      return TDocumentKind::Bitmap;
  }
}

}  // namespace

QStringList ColorModesOfType(int typeNumber) {
  // A temporary document of the class answers which modes it can hold.
  const TDocument doc = CreateDocument(KindOfType(typeNumber));
  const std::string modes = doc.IsGroup() ? doc.Group->GetColorModes() : doc.Image->GetColorModes();
  QStringList list = QString::fromStdString(modes).split('\r', Qt::SkipEmptyParts);
  for (QString& mode : list) mode = mode.trimmed();
  return list;
}

TNewImageForm::TNewImageForm(QWidget* parent, bool subIcon) : QDialog(parent) {
  setObjectName(subIcon ? "NewSubIconForm" : "NewImageForm");
  setWindowTitle(subIcon ? "New sub icon" : "New image");
  gbPalette = new QGroupBox(" Palette ", this);
  ChoiceFrame = new TPaletteChoiceFrame(gbPalette);
  ChoiceFrame->setObjectName("ChoiceFrame");
  auto* paletteLayout = new QVBoxLayout(gbPalette);
  paletteLayout->addWidget(ChoiceFrame);
  BuildTypeGroup();
  BuildColorModeGroup();
  BuildSizeGroup();
  OKBtn = new QPushButton("OK", this);
  OKBtn->setObjectName("OKBtn");
  OKBtn->setDefault(true);
  CancelBtn = new QPushButton("Cancel", this);
  CancelBtn->setObjectName("CancelBtn");
  connect(OKBtn, &QPushButton::clicked, this, &TNewImageForm::OKActExecute);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
  connect(ChoiceFrame, &TPaletteChoiceFrame::PaletteChanged, this, &TNewImageForm::OKActUpdate);
  BuildLayout(subIcon);

  TAdvSpeedButton* first = subIcon ? tbIcon : tbBitmap;
  first->SetDown(true);
  first->Click();
  rbSmall->setChecked(true);
}

TAdvSpeedButton* TNewImageForm::AddTypeButton(const QString& caption, int typeNumber) {
  auto* button = new TAdvSpeedButton(gbImageType);
  button->SetCaption(caption);
  button->SetGroupIndex(1);
  button->setProperty(TypeProperty, typeNumber);
  button->setFixedHeight(25);
  button->setMinimumWidth(150);
  connect(button, &TAdvSpeedButton::Clicked, this, [this, button] { TypeButtonClick(button); });
  gbImageType->layout()->addWidget(button);
  return button;
}

void TNewImageForm::BuildTypeGroup() {
  gbImageType = new QGroupBox(" Image type ", this);
  auto* layout = new QVBoxLayout(gbImageType);
  layout->setSpacing(2);
  tbBitmap = AddTypeButton(" &Bitmap (*.bmp)", 0);
  tbBitmap->setObjectName("tbBitmap");
  tbJPEG = AddTypeButton(" &JPEG (*.jpg)", 1);
  tbJPEG->setObjectName("tbJPEG");
  tbGIFImage = AddTypeButton(" &GIF image (*.gif)", 2);
  tbGIFImage->setObjectName("tbGIFImage");
  tbGIFAnimation = AddTypeButton(" &Animated GIF (*.gif)", 3);
  tbGIFAnimation->setObjectName("tbGIFAnimation");
  tbIcon = AddTypeButton(" &Icon (*.ico)", 5);
  tbIcon->setObjectName("tbIcon");
  tbPNG = AddTypeButton(" P&NG (*.png)", 6);
  tbPNG->setObjectName("tbPNG");
}

void TNewImageForm::BuildColorModeGroup() {
  gbColorMode = new QGroupBox(" Color mode ", this);
  cbColorMode = new QComboBox(gbColorMode);
  cbColorMode->setObjectName("cbColorMode");
  auto* layout = new QVBoxLayout(gbColorMode);
  layout->addWidget(cbColorMode);
  layout->addStretch();
  connect(cbColorMode, &QComboBox::currentIndexChanged, this, &TNewImageForm::cbColorModeChange);
}

void TNewImageForm::BuildSizeGroup() {
  gbSize = new QGroupBox(" Size ", this);
  rbSmall = new QRadioButton("16x16 &Small", gbSize);
  rbMiddle = new QRadioButton("32x32 Mi&ddle", gbSize);
  rbLarge = new QRadioButton("64x64 La&rge", gbSize);
  rbCustom = new QRadioButton("&Custom", gbSize);
  rbSmall->setObjectName("rbSmall");
  rbMiddle->setObjectName("rbMiddle");
  rbLarge->setObjectName("rbLarge");
  rbCustom->setObjectName("rbCustom");
  pCustom = new QWidget(gbSize);
  pCustom->setObjectName("pCustom");
  QSizePolicy keepRoom = pCustom->sizePolicy();
  keepRoom.setRetainSizeWhenHidden(true);  // the group keeps its height when the panel hides
  pCustom->setSizePolicy(keepRoom);
  eXSize = new QSpinBox(pCustom);
  eYSize = new QSpinBox(pCustom);
  eXSize->setObjectName("eXSize");
  eYSize->setObjectName("eYSize");
  for (QSpinBox* edit : {eXSize, eYSize}) {
    edit->setRange(1, MaxImageSize);
    edit->setValue(24);
  }
  auto* custom = new QFormLayout(pCustom);
  custom->setContentsMargins(20, 0, 0, 0);
  auto* xLabel = new QLabel("&X size", pCustom);
  xLabel->setBuddy(eXSize);
  auto* yLabel = new QLabel("&Y size", pCustom);
  yLabel->setBuddy(eYSize);
  custom->addRow(xLabel, eXSize);
  custom->addRow(yLabel, eYSize);
  auto* layout = new QVBoxLayout(gbSize);
  for (QRadioButton* radio : {rbSmall, rbMiddle, rbLarge, rbCustom}) {
    layout->addWidget(radio);
    connect(radio, &QRadioButton::toggled, this, [this](bool on) {
      if (on) RadioSizeClick();
    });
  }
  layout->addWidget(pCustom);
  layout->addStretch();
  pCustom->hide();
  connect(eXSize, &QSpinBox::valueChanged, this, &TNewImageForm::eXSizeChange);
  connect(eYSize, &QSpinBox::valueChanged, this, &TNewImageForm::eYSizeChange);
}

void TNewImageForm::BuildLayout(bool subIcon) {
  auto* left = new QVBoxLayout;
  if (subIcon) {
    // A sub-icon is always an icon: the type is not offered and the colour mode comes first.
    gbImageType->hide();
    gbColorMode->setFixedHeight(177);
    gbSize->setFixedHeight(177);
  } else {
    left->addWidget(gbImageType);
  }
  left->addWidget(gbColorMode);
  left->addWidget(gbSize);
  left->addStretch();
  gbPalette->setMinimumWidth(190);
  auto* groups = new QHBoxLayout;
  groups->addLayout(left);
  groups->addWidget(gbPalette, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OKBtn);
  buttons->addWidget(CancelBtn);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(groups, 1);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

int TNewImageForm::Bits() const {
  const QString mode = cbColorMode->currentText();
  const qsizetype end = mode.indexOf(" bit");
  bool ok = false;
  const int bits = end > 0 ? mode.left(end).toInt(&ok) : 0;
  return ok ? bits : -1;
}

void TNewImageForm::TypeButtonClick(TAdvSpeedButton* button) {
  typeNumber_ = button->property(TypeProperty).toInt();
  button->SetDown(true);
  FillColorModes(typeNumber_);
  cbColorModeChange();
}

void TNewImageForm::FillColorModes(int typeNumber) {
  const QString remembered = cbColorMode->currentText();
  const QSignalBlocker quiet(cbColorMode);
  cbColorMode->clear();
  cbColorMode->addItems(ColorModesOfType(typeNumber));
  const int again = cbColorMode->findText(remembered);
  // Modes are listed in ascending order, so the last one is the deepest.
  cbColorMode->setCurrentIndex(again >= 0 ? again : cbColorMode->count() - 1);
}

void TNewImageForm::RadioSizeClick() {
  pCustom->setVisible(rbCustom->isChecked());
  if (rbCustom->isChecked()) {
    width_ = eXSize->value();
    height_ = eYSize->value();
    return;
  }
  const int side = rbLarge->isChecked() ? 64 : rbMiddle->isChecked() ? 32 : 16;
  width_ = side;
  height_ = side;
}

void TNewImageForm::eXSizeChange() {
  if (rbCustom->isChecked()) width_ = eXSize->value();
}

void TNewImageForm::eYSizeChange() {
  if (rbCustom->isChecked()) height_ = eYSize->value();
}

void TNewImageForm::cbColorModeChange() {
  const QString pattern = QString::fromStdString(PalettePattern(Bits()));
  TPaletteFileList* list = ChoiceFrame->lbPalettes;
  list->SetPattern(pattern);
  // The frame loads the palette of whatever becomes selected through the list's notification.
  if (!list->SelectFile("Default" + pattern.mid(1))) list->SelectFirstFile();
  OKActUpdate();
}

void TNewImageForm::OKActUpdate() {
  OKBtn->setEnabled(!ChoiceFrame->lbPalettes->SelectedFile().isEmpty());
}

void TNewImageForm::OKActExecute() {
  OKActUpdate();
  if (OKBtn->isEnabled()) accept();
}

void TNewImageForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) cbColorModeChange();
}
