#pragma once
// TfrmPixelFormat: asks how an image going down to 8 bits or fewer gets its palette ("Optimal",
// computed from the image, or "Custom", a stored palette of exactly 2^bits colours chosen in the
// embedded PalChoice) and how its pixels are mapped onto it (one of seven dither modes). Both
// choices are remembered in the settings section "Pixel format", whether the dialog was confirmed
// or not.
//
// TPixelFormatChooser puts the dialog behind the model's IReductionChooser, so that
// TSelectBitmap::ChangeBitCount asks the user through it.

#include <QButtonGroup>
#include <QDialog>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <functional>

#include "model/SelectBitmap.h"
#include "palettes/PaletteChoiceFrame.h"

class IDialogs;
class TIniFile;

// Whether notices ("Show warning messages" of the options) are shown.
using TWarningsOn = std::function<bool()>;

class TfrmPixelFormat : public QDialog {
  Q_OBJECT
 public:
  TfrmPixelFormat(TIniFile& settings, IDialogs& dialogs, TWarningsOn warningsOn,
                  QWidget* parent = nullptr);

  static constexpr const char* Section = "Pixel format";
  static constexpr int Optimal = 0;
  static constexpr int Custom = 1;

  TPaletteChoiceFrame* PalChoice;
  QGroupBox* rgColorReduction;
  QRadioButton* rbOptimal;
  QRadioButton* rbCustom;
  QGroupBox* rgDitherMode;
  QButtonGroup* DitherButtons;
  QPushButton* btnOK;
  QPushButton* btnCancel;

  int ColorReductionIndex() const { return rbCustom->isChecked() ? Custom : Optimal; }
  void SetColorReductionIndex(int index);
  int DitherModeIndex() const { return DitherButtons->checkedId(); }
  void SetDitherModeIndex(int index);

  // Lists the stored palettes of `pattern` ("*.plt16") and selects the first. A remembered
  // "Custom" with no such palette starts on "Optimal", so that no palette of another size is
  // ever applied.
  void PrepareFor(const QString& pattern);
  // Whether the list holds a palette that can be chosen.
  bool HasPalettes() const;
  // The user picked a palette choice.
  void rgColorReductionClick();
  // Stores the two choices.
  void FormClose();

  // The message shown when "Custom" is picked with no palette of the size.
  static constexpr const char* NoPalettesMessage = "There is no palettes with required pixel format.";

 private:
  void FormCreate();
  void BuildLayout();
  void ShowPaletteChoice();

  TIniFile& settings_;
  IDialogs& dialogs_;
  TWarningsOn warningsOn_;
};

class TPixelFormatChooser : public IReductionChooser {
 public:
  TPixelFormatChooser(TIniFile& settings, IDialogs& dialogs, TWarningsOn warningsOn,
                      QWidget* parent)
      : settings_(settings), dialogs_(dialogs), warningsOn_(std::move(warningsOn)),
        parent_(parent) {}

  std::optional<TReductionChoice> ChooseReduction(int bitCount,
                                                  const std::string& pattern) override;

 private:
  TIniFile& settings_;
  IDialogs& dialogs_;
  TWarningsOn warningsOn_;
  QWidget* parent_;
};
