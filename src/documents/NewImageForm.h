#pragma once
// TNewImageForm: the "New image" dialog, in which the user chooses the kind, size, colour mode and
// palette of a new document. One instance lives for the whole run and keeps its choices between
// uses (the palette is chosen afresh on every show). A temporary instance made with `subIcon`
// asks for a new sub-icon of an icon: its type is fixed to the icon type and hidden.

#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "controls/AdvSpeedButton.h"
#include "model/Palette.h"
#include "palettes/PaletteChoiceFrame.h"

class TNewImageForm : public QDialog {
  Q_OBJECT
 public:
  explicit TNewImageForm(QWidget* parent = nullptr, bool subIcon = false);

  // The choice as the "New" command reads it back.
  // 0 bitmap, 1 JPEG, 2 GIF image, 3 animated GIF, 5 icon.
  int TypeNumber() const { return typeNumber_; }
  int ImageWidth() const { return width_; }
  int ImageHeight() const { return height_; }
  // The number before " bit" in the selected colour mode, -1 when there is none.
  int Bits() const;
  QString ColorModeText() const { return cbColorMode->currentText(); }
  const TPaletteRecord& ChosenPalette() const { return ChoiceFrame->Palette; }

  // The largest width and height the size fields take.
  static constexpr int MaxImageSize = 4096;

  QGroupBox* gbPalette;
  TPaletteChoiceFrame* ChoiceFrame;
  QGroupBox* gbImageType;
  TAdvSpeedButton* tbBitmap;
  TAdvSpeedButton* tbJPEG;
  TAdvSpeedButton* tbGIFImage;
  TAdvSpeedButton* tbGIFAnimation;
  TAdvSpeedButton* tbIcon;
  TAdvSpeedButton* tbPNG;
  QGroupBox* gbColorMode;
  QComboBox* cbColorMode;
  QGroupBox* gbSize;
  QRadioButton* rbSmall;
  QRadioButton* rbMiddle;
  QRadioButton* rbLarge;
  QRadioButton* rbCustom;
  QWidget* pCustom;
  QSpinBox* eXSize;
  QSpinBox* eYSize;
  QPushButton* OKBtn;
  QPushButton* CancelBtn;

  void TypeButtonClick(TAdvSpeedButton* button);
  void RadioSizeClick();
  void eXSizeChange();
  void eYSizeChange();
  void cbColorModeChange();
  void OKActExecute();
  void OKActUpdate();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildTypeGroup();
  void BuildColorModeGroup();
  void BuildSizeGroup();
  void BuildLayout(bool subIcon);
  TAdvSpeedButton* AddTypeButton(const QString& caption, int typeNumber);
  void FillColorModes(int typeNumber);

  int typeNumber_ = 0;
  int width_ = 16;
  int height_ = 16;
};

// The colour mode names of the document class of a type number, deepest last.
QStringList ColorModesOfType(int typeNumber);
