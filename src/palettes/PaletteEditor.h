#pragma once
// TfrmPaletteEditor: the modal window in which a palette is built by drag and drop. Single
// colours (from the preview swatch, the two ramp ends, the ramp itself, a cell of either grid),
// runs of a computed ramp ("Drag as column", "Drag as row") and a whole stored palette ("Drag all
// palette") are dropped onto the grid of EditPalette. The red, green and blue controls set the
// preview swatch; colours are never typed into a cell. New palettes of a chosen size, stored
// palettes and saving go through the palette store. OK is offered only while the palette fits
// the image it was opened for; the caller then applies EditPalette.
//
// Construction and layout are in PaletteEditor.cpp, the drags, drops and the ramp in
// PaletteEditorDrag.cpp.

#include <QAction>
#include <QDialog>
#include <QLabel>
#include <QScrollBar>
#include <QSpinBox>
#include <QStatusBar>
#include <memory>

#include "controls/AdvPanel.h"
#include "controls/DrawGrid.h"
#include "controls/PaintBox.h"
#include "model/Palette.h"
#include "palettes/DragPayloads.h"
#include "palettes/DragStarter.h"
#include "palettes/PaletteChoiceFrame.h"

class IDialogs;
class QMimeData;
class TPaletteCells;

class TfrmPaletteEditor : public QDialog {
  Q_OBJECT
 public:
  explicit TfrmPaletteEditor(IDialogs& dialogs, QWidget* parent = nullptr);
  ~TfrmPaletteEditor() override;

  TPaletteRecord EditPalette;
  // The depth of the image the palette belongs to; 0 without an image.
  int ImageBitCount = 0;
  TColor RampPickColor = 0;

  QAction* NewPaletteAct;
  QAction* OpenPaletteAct;
  QAction* SavePaletteAct;
  QAction* OKAct;
  QAction* CancelAct;

  QWidget* pnlLeft;
  TDrawGrid* ColorGrid;
  QSpinBox* eRed;
  QSpinBox* eGreen;
  QSpinBox* eBlue;
  QScrollBar* sbRed;
  QScrollBar* sbGreen;
  QScrollBar* sbBlue;
  TAdvPanel* pnlPreview;
  QWidget* pnlSmooth;
  TAdvPanel* pnlBeginColor;
  TAdvPanel* pnlEndColor;
  QSpinBox* eSteps;
  TPaintBox* pbxSmooth;
  QWidget* Panel1;  // "Drag as column"
  QWidget* Panel4;  // "Drag as row"
  QSpinBox* eFromColor;
  QSpinBox* eToColor;
  QLabel* lblIndexL;
  QLabel* lblRGBL;
  QLabel* lblHTMLL;
  QLabel* lblIndexR;
  QLabel* lblRGBR;
  QLabel* lblHTMLR;
  QWidget* pnlRight;
  TPaletteChoiceFrame* ImportPaletteFrame;
  QWidget* Panel6;  // "Drag all palette  "
  QStatusBar* StatBar;
  QLabel* StatPanels[3];

  // Receives the payload of a drag instead of the platform's drag and drop (tests use it).
  TDragSink OnStartDrag;

  void SetEditPalette(const TPaletteRecord& palette);
  void NewPaletteActExecute();
  void OpenPaletteActExecute();
  void SavePaletteActExecute();
  // OK is enabled only for a palette that fits the image.
  void OKActUpdate();

  // Colour composer and swatches.
  void eColorChange();
  void pnlPreviewColorChanged(const QColor& color);
  void pnlBeginColorColorChanged();
  void eFromColorChange(QSpinBox* edit);
  void ShowColorStatus(TColor color);
  void ClearStatus();

  // The ramp.
  void pbxSmoothPaint(QPainter& p);
  TColor RampPixelColor(const QPoint& position) const;
  TDragGroup DragAsColumnRow(bool rowWise) const;
  TDragGroup DragAllPalette() const;

  // The editor's grid.
  TColor CellColor(int col, int row) const;
  void SetCellColor(TColor color, int col, int row);
  void ColorGridSelectCell(int col, int row);
  void ImportPaletteFrameColorGridSelectCell(int col, int row);
  // Accepts our payloads over a cell and shows the cell in the status bar.
  bool ColorGridDragOver(const QMimeData* mime, const QPoint& position);
  // Drops a payload at a viewport position of the grid; false when nothing was dropped.
  bool ColorGridDragDrop(const QMimeData* mime, const QPoint& position);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildActions();
  QWidget* BuildComposer();
  QWidget* BuildRamp();
  QWidget* BuildReadOuts();
  void BuildRight();
  void BuildLayout();
  void ConnectComposer();
  void ConnectDrags();
  TAdvPanel* MakeSwatch(const char* name, const QString& hint);
  QWidget* MakeHandle(const char* name, const QString& caption, int picture);
  void AddDragSource(QWidget& source, TDragPayload payload);
  bool SwatchDragEvent(TAdvPanel& swatch, QEvent* event);
  bool GridDragEvent(QEvent* event);
  TPaletteCells Cells();
  void ShowCellReadOut(const TDrawGrid& grid, const TPaletteRecord& palette, int col, int row,
                       QLabel* index, QLabel* rgb, QLabel* html);
  std::unique_ptr<QMimeData> ColorGridStartDrag() const;

  IDialogs& dialogs_;
};

// The colour as the status bar shows it: "RGB: 255,128,0".
QString ColorStatusText(TColor color);
