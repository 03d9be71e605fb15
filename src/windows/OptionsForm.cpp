#include "windows/OptionsForm.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

#include "model/IniFile.h"
#include "windows/Dialogs.h"

const TColor StandardColors[16] = {
    MakeColor(0, 0, 0),      MakeColor(128, 0, 0),     MakeColor(0, 128, 0),
    MakeColor(128, 128, 0),  MakeColor(0, 0, 128),     MakeColor(128, 0, 128),
    MakeColor(0, 128, 128),  MakeColor(128, 128, 128), MakeColor(192, 192, 192),
    MakeColor(255, 0, 0),    MakeColor(0, 255, 0),     MakeColor(255, 255, 0),
    MakeColor(0, 0, 255),    MakeColor(255, 0, 255),   MakeColor(0, 255, 255),
    MakeColor(255, 255, 255)};

namespace {

constexpr int GrayIndex = 7;
constexpr TColor DefaultBackground = MakeColor(192, 192, 192);

QColor ToQColor(TColor c) {
  return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

QIcon SwatchIcon(TColor color) {
  QPixmap pixmap(40, 12);
  pixmap.fill(ToQColor(color));
  return QIcon(pixmap);
}

}  // namespace

TOptionsForm::TOptionsForm(TIniFile& settings, IDialogs& dialogs, QWidget* parent)
    : QDialog(parent), settings_(settings), dialogs_(dialogs) {
  setObjectName("OptionsForm");
  setWindowTitle("Options");
  setWhatsThis("15");  // help topic
  BuildViewGroup();
  BuildBehaviourGroup();
  BuildGifGroup();
  BuildLayout();
  LoadSettings();
  defaultCompression_ = cbCompression->currentIndex();
}

void TOptionsForm::BuildViewGroup() {
  ViewGroup = new QGroupBox(" View options ", this);
  cbGridColor = new QComboBox(ViewGroup);
  cbGridColor->setObjectName("cbGridColor");
  cbGridColor->setIconSize({40, 12});
  for (TColor c : StandardColors) cbGridColor->addItem(SwatchIcon(c), "", QVariant(uint(c)));
  cbGridColor->addItem("Custom", QVariant(uint(StandardColors[GrayIndex])));
  cbGridColor->setCurrentIndex(GrayIndex);
  connect(cbGridColor, &QComboBox::activated, this, &TOptionsForm::GridColorActivated);
  BackGroundCol = new TAdvPanel(ViewGroup);
  BackGroundCol->setObjectName("BackGroundCol");
  BackGroundCol->setFixedSize(40, 21);
  BackGroundCol->SetColor(ToQColor(DefaultBackground));
  SpeedButton1 = new TAdvSpeedButton(ViewGroup);
  SpeedButton1->setObjectName("SpeedButton1");
  SpeedButton1->SetCaption("...");
  SpeedButton1->setFixedSize(25, 21);
  SpeedButton1->setToolTip("Choose the background color");
  connect(SpeedButton1, &TAdvSpeedButton::Clicked, this, &TOptionsForm::SpeedButton1Click);
  connect(BackGroundCol, &TAdvPanel::DoubleClicked, this, &TOptionsForm::SpeedButton1Click);
  auto* form = new QFormLayout(ViewGroup);
  auto* gridLabel = new QLabel("&Grid color:", ViewGroup);
  gridLabel->setBuddy(cbGridColor);
  form->addRow(gridLabel, cbGridColor);
  auto* background = new QHBoxLayout;
  background->addWidget(BackGroundCol);
  background->addWidget(SpeedButton1);
  background->addStretch();
  form->addRow("Background color:", background);
}

void TOptionsForm::BuildBehaviourGroup() {
  BehaviourGroup = new QGroupBox(" Behaviour ", this);
  WarnBoxes = new QCheckBox("Show &warning messages", BehaviourGroup);
  WarnBoxes->setObjectName("WarnBoxes");
  WarnBoxes->setChecked(true);
  LayerCutCheck = new QCheckBox("Cl&ear image under selection", BehaviourGroup);
  LayerCutCheck->setObjectName("LayerCutCheck");
  LayerCutCheck->setChecked(true);
  cbPasteDither = new QComboBox(BehaviourGroup);
  cbPasteDither->setObjectName("cbPasteDither");
  cbPasteDither->addItems({"Nearest color", "Floyd Steinberg", "Stucki", "Sierra",
                           "Jarvis, Judice & Ninke", "Stevenson & Arche", "Burkes "});
  auto* layout = new QVBoxLayout(BehaviourGroup);
  layout->addWidget(WarnBoxes);
  layout->addWidget(LayerCutCheck);
  auto* label = new QLabel("&Paste dithering method:", BehaviourGroup);
  label->setBuddy(cbPasteDither);
  layout->addWidget(label);
  layout->addWidget(cbPasteDither);
}

void TOptionsForm::BuildGifGroup() {
  GifGroup = new QGroupBox("Default GIF options ", this);
  cbCompression = new QComboBox(GifGroup);
  cbCompression->setObjectName("cbCompression");
  cbCompression->addItems({"LZW", "RLE"});
  cbCompression->setToolTip("Select dispose method");
  auto* form = new QFormLayout(GifGroup);
  auto* label = new QLabel("&Compression method:", GifGroup);
  label->setBuddy(cbCompression);
  form->addRow(label, cbCompression);
}

void TOptionsForm::BuildLayout() {
  OKBtn = new QPushButton("OK", this);
  OKBtn->setDefault(true);
  CancelBtn = new QPushButton("Cancel", this);
  connect(OKBtn, &QPushButton::clicked, this, &TOptionsForm::OKBtnClick);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OKBtn);
  buttons->addWidget(CancelBtn);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(ViewGroup);
  layout->addWidget(BehaviourGroup);
  layout->addWidget(GifGroup);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);  // a fixed dialog border
}

void TOptionsForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (parentWidget()) {
    const QRect owner = parentWidget()->window()->frameGeometry();
    move(owner.center() - rect().center());
  }
  LayerCutCheck->setFocus();
}
