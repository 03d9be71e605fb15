#pragma once
// TfrmNewPalette: asks the palette editor for the size of a new palette, from 2 to 264 colours.
// The warning that another size cannot be applied shows only when the palette belongs to a
// palette image (1 to 8 bits).

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QPushButton>

class TfrmNewPalette : public QDialog {
  Q_OBJECT
 public:
  explicit TfrmNewPalette(QWidget* parent = nullptr);

  QComboBox* cbPaletteSize;
  QLabel* lblWarning;
  QPushButton* OKBtn;
  QPushButton* CancelBtn;

  // Preselects the image's palette size (and shows the warning) for 1 to 8 bits, else 264.
  void SetImageBitCount(int bits);
  // The entry count of the chosen item: 2^(item + 1), and 264 for the last.
  int ChosenCount() const;
};
