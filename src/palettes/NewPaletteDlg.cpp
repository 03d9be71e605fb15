#include "palettes/NewPaletteDlg.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "model/Palette.h"

TfrmNewPalette::TfrmNewPalette(QWidget* parent) : QDialog(parent) {
  setObjectName("frmNewPalette");
  setWindowTitle("New palette");
  cbPaletteSize = new QComboBox(this);
  cbPaletteSize->setObjectName("cbPaletteSize");
  cbPaletteSize->addItems({"2 colors  (2x1)", "4 colors (2x2)", "8 colors (2x4)", "16 colors (2x8)",
                           "32 colors (4x8)", "64 colors (8x8)", "128 colors (8x16)",
                           "256 colors (8x32)", "264 colors (8x33)"});
  auto* caption = new QLabel("&Palette size:", this);
  caption->setBuddy(cbPaletteSize);
  cbPaletteSize->setAccessibleName("Palette size");
  lblWarning = new QLabel(
      "If you change this size, you not be able to apply the new palette to the current image.\n"
      "However, you can store the palette to the disk.",
      this);
  lblWarning->setObjectName("lblWarning");
  lblWarning->setWordWrap(true);
  OKBtn = new QPushButton("OK", this);
  OKBtn->setObjectName("OKBtn");
  OKBtn->setDefault(true);
  CancelBtn = new QPushButton("Cancel", this);
  CancelBtn->setObjectName("CancelBtn");
  connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
  auto* size = new QHBoxLayout;
  size->addWidget(caption);
  size->addWidget(cbPaletteSize, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OKBtn);
  buttons->addWidget(CancelBtn);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(size);
  layout->addWidget(lblWarning);
  layout->addLayout(buttons);
  setFixedWidth(340);
  SetImageBitCount(0);
}

void TfrmNewPalette::SetImageBitCount(int bits) {
  const bool paletteImage = bits >= 1 && bits <= 8;
  lblWarning->setVisible(paletteImage);
  cbPaletteSize->setCurrentIndex(paletteImage ? bits - 1 : cbPaletteSize->count() - 1);
}

int TfrmNewPalette::ChosenCount() const {
  const int item = cbPaletteSize->currentIndex();
  return item >= 0 && item < 8 ? 1 << (item + 1) : MaxPaletteEntries;
}
