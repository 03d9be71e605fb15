#pragma once
// TPaletteChoiceFrame: the reusable panel that lists the stored palettes of a pattern
// (lbPalettes) and shows the selected one as a colour grid (ColorGrid). With no file selected
// it shows the built-in default palette. A colour can be dragged out of the grid (TDragColor).
// The new image dialog, the colour reduction dialog, the open/save palette dialog and the
// palette editor embed it; they set the pattern and preselect a file through lbPalettes and read
// Palette after the user's choice.

#include <QPoint>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

#include "controls/DrawGrid.h"
#include "model/Palette.h"
#include "palettes/DragPayloads.h"
#include "palettes/DragStarter.h"
#include "palettes/PaletteFileList.h"

class QMimeData;

class TPaletteChoiceFrame : public QWidget {
  Q_OBJECT
 public:
  explicit TPaletteChoiceFrame(QWidget* parent = nullptr);

  TDrawGrid* ColorGrid;
  TPaletteFileList* lbPalettes;

  // The palette shown in the grid: the selected file's, or the default palette.
  TPaletteRecord Palette;

  // The folder the list shows, with a trailing '/' (the store's folder on creation).
  QString PaletteFolder() const { return lbPalettes->Folder(); }
  void SetPaletteFolder(const QString& folder) { lbPalettes->SetFolder(folder); }

  bool ContrastOutline() const { return contrastOutline_; }
  void SetContrastOutline(bool on);

  void LayoutPaletteGrid();
  // Loads the selected file's palette (the default palette without a selection) and lays the
  // grid out again; then reports PaletteChanged.
  void lbPalettesChange();
  void ColorGridDrawCell(QPainter& p, int col, int row, const QRect& rect, bool selected);
  // The payload of a drag from the grid: the current cell's colour, source row and column -1;
  // nothing for a cell past the end of the palette.
  std::optional<TDragColor> ColorGridStartDrag() const;

  // Receives the payload of a drag instead of the platform's drag and drop (tests use it).
  TDragSink OnStartDrag;

 signals:
  // After every load of Palette (each change of the list).
  void PaletteChanged();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool contrastOutline_ = false;
};
