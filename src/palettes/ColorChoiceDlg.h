#pragma once
// TfrmColorChoice: picks one colour from a palette shown as a grid, with a large preview and the
// colour as RGB and HTML text. "More..." opens the platform colour picker for any colour (the
// callers allow it for images of more than 8 bits).

#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <optional>

#include "controls/AdvPanel.h"
#include "controls/DrawGrid.h"
#include "model/Palette.h"

class IDialogs;

class TfrmColorChoice : public QDialog {
  Q_OBJECT
 public:
  // The palette stays the caller's; it is read while the dialog lives.
  TfrmColorChoice(IDialogs& dialogs, const TPaletteRecord& palette, QWidget* parent = nullptr);

  TDrawGrid* ColorGrid;
  TAdvPanel* pnlColor;
  QLabel* lblRGBL;
  QLabel* lblHTMLL;
  QPushButton* btnMore;
  QPushButton* OKBtn;
  QPushButton* CancelBtn;

  const TPaletteRecord& ChoicePalette;
  TColor ChosenColor = clWhite;

  void SetChosenColor(TColor color);
  // Chooses the colour the dialog opens with; when the palette holds it, its cell is outlined.
  void SetInitialColor(TColor color);
  void btnMoreClick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildLayout();
  bool ColorGridSelectCell(int col, int row);
  void CellClicked(const QPoint& position);

  IDialogs& dialogs_;
  // Whether the current cell stands for the chosen colour; until then no cell is outlined, so an
  // initial colour from outside the palette is not mistaken for entry 0.
  bool cellChosen_ = false;
};

// Shows the dialog for `palette` with `initial` chosen; returns the chosen colour, or nothing
// when the user cancels. `allowMore` enables "More...".
std::optional<TColor> PickPaletteColor(IDialogs& dialogs, QWidget* parent,
                                       const TPaletteRecord& palette, TColor initial,
                                       bool allowMore);
