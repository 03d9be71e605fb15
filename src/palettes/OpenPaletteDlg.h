#pragma once
// TfrmOpenPaletteDlg: the dialog that names a stored palette, for opening ("Open palette") or
// saving ("Save palette"). Selecting a file of the embedded list writes its name into
// ePaletteName, split at the first dot: the part before stays in the field, the rest (dot
// included) becomes ChosenExtension. A double click on the list is the same as OK.
//
// SavePaletteAs and OpenStoredPalette run the dialog for the palette editor.

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "model/Palette.h"
#include "palettes/PaletteChoiceFrame.h"

class IDialogs;

class TfrmOpenPaletteDlg : public QDialog {
  Q_OBJECT
 public:
  explicit TfrmOpenPaletteDlg(QWidget* parent = nullptr);

  bool OpenMode() const { return openMode_; }
  void SetOpenMode(bool open);

  QLineEdit* ePaletteName;
  QLabel* lblExtension;
  // The file format to save in (save mode only); its data is the TPaletteFormat.
  QComboBox* cbFormat;
  TPaletteChoiceFrame* frmStoredPalettes;
  QPushButton* OKBtn;
  QPushButton* CancelBtn;

  // The part of the selected file name from its first dot on ("" without a dot).
  QString ChosenExtension;

  void frmStoredPaletteslbPalettesChange();
  void frmStoredPaletteslbPalettesDblClick();

  // Whether a name may be saved under: not empty, no folder separators and no wildcards (a
  // file named "*" would confuse every palette list).
  static bool IsValidPaletteName(const QString& name);

 private:
  void UpdateOK();

  bool openMode_ = false;
};

// Asks for a name and a format and stores `palette` in the palette folder as name + ".plt" (+ the
// count when it is a power of two) or with the interchange format's extension, asking before it
// replaces a file. Write errors are shown through
// `dialogs`. Returns whether a file was written.
bool SavePaletteAs(IDialogs& dialogs, QWidget* parent, const TPaletteRecord& palette);

// Lets the user choose a stored palette and reads it into `palette`. A missing file gives
// "Error: palette "<path>" not found."; a damaged one its own error; both leave `palette` as it
// was. Returns whether a palette was read.
bool OpenStoredPalette(IDialogs& dialogs, QWidget* parent, TPaletteRecord& palette);
