#pragma once
// TColorPanel: the colour panel on the left of the view. The working colours belong to the
// current image (each image keeps its own pair); the panel shows them with the middle colour, the
// image's palette as a grid of swatches, and a readout swatch with its "RGB: " text in the status
// bar for the colour under the pointer. Its widgets are made here; the window places Panel4.

#include <QObject>
#include <QToolBar>
#include <functional>
#include <optional>

#include "controls/AdvPanel.h"
#include "controls/AdvSpeedButton.h"
#include "controls/DrawGrid.h"
#include "model/Colors.h"
#include "model/Geometry.h"
#include "model/Palette.h"

class QPainter;
class ICommandList;
class IStatusPanels;
class TEditSession;
class TSelectBitmap;

class TColorPanel : public QObject {
  Q_OBJECT
 public:
  TColorPanel(TEditSession& session, ICommandList& commands, IStatusPanels& status,
              QObject* parent = nullptr);

  QWidget* Panel4;
  TDrawGrid* ColorGrid;
  QWidget* AdvPanel1;
  TAdvPanel* LeftColPanel;
  TAdvPanel* RightColPanel;
  TAdvPanel* MColor;
  TAdvPanel* PreviewCol;
  TAdvSpeedButton* SwapColBtn;
  TAdvSpeedButton* ChangePalBtn;
  QToolBar* ToolBar1;

  // Chooses a working colour from a palette: the colour choice dialog, connected by the window.
  // Arguments: the palette, the current colour and whether "More..." is offered.
  std::function<std::optional<TColor>(const TPaletteRecord&, TColor, bool)> PickPaletteColorHook;

  void AttachHandlers();

  void ApplyLeftColor(TColor color);
  void ApplyRightColor(TColor color);
  void UpdateMiddleColor();
  TColor CurrentLeftColor() const;
  TColor CurrentRightColor() const;
  // The colour the middle button paints with, as the middle swatch shows it.
  TColor MiddleSwatchColor() const;
  void ShowColorReadout(TColor color);
  void PanelMouseLeave();
  void ColorPanelMouseEnter(const TAdvPanel* panel);
  // Ctrl-click picking: the working copy's pixel into the left (left button) or right (right
  // button) working colour.
  void PickColorAt(Qt::MouseButton button, TPoint position);
  // The colour of a palette entry; throws "Out of range palette index." past the palette or
  // without an image.
  static TColor PaletteColor(const TSelectBitmap* image, int index);
  void ColorGridDrawCell(QPainter& painter, int col, int row, const QRect& rect);
  void ColorGridMouseMove(const QPoint& position);
  void ColorGridMouseUp(Qt::MouseButton button, const QPoint& position);
  void MColorMouseDown(Qt::MouseButton button);
  void SwapColActGo();
  void LeftColPanelClick();
  void RightColPanelClick();
  void GetTranspColActExecute();
  void GetInvColorActExecute();
  // Columns and rows of the colour grid for a palette of `entries` colours.
  void SizeColorGrid(int entries);
  void Panel4Resize();

 signals:
  // The left working colour became `color` (the text pad's text follows it).
  void LeftColorApplied(TColor color);
  // A working colour was picked from the palette grid or the two were swapped: the gradient
  // window computes its colour anew.
  void WorkingColorsPicked();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Build();
  void BuildSwatches();
  // The colour chosen in the colour choice dialog from the image's palette; none when cancelled.
  std::optional<TColor> PickFromPalette(TColor current);

  TEditSession& session_;
  ICommandList& commands_;
  IStatusPanels& status_;
};
