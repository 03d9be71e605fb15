// The working colours of the current image, the palette grid and the colour swatches.

#include <QPainter>
#include <algorithm>

#include "documents/ActionList.h"
#include "documents/MainForm.h"
#include "model/Errors.h"
#include "model/WorkImage.h"
#include "render/ColorMath.h"

namespace {

constexpr int MaxCellSize = 20;
const QColor CellOutline(96, 96, 96);

// The palette entry's colour, false past the palette or without an image.
bool TryPaletteColor(const TSelectBitmap* image, int index, TColor& color) {
  if (!image || index < 0 || index >= image->GetPalette().Count) return false;
  color = image->GetPalette().Color(index);
  return true;
}

}  // namespace

void TMainForm::AttachColorHandlers() {
  TActionList& a = Actions();
  a.OnExecute("SwapColors", [this] { SwapColActGo(); });
  a.OnExecute("GetTranspColAct", [this] { GetTranspColActExecute(); });
  a.OnUpdate("GetTranspColAct", [this](QAction& act) {
    act.setEnabled(CurrentImage && CurrentImage->GetTransparent());
  });
  a.OnExecute("GetInvColorAct", [this] { GetInvColorActExecute(); });
  a.OnUpdate("GetInvColorAct",
             [this](QAction& act) { act.setEnabled(CurrentImage && CurrentImage->IsIconFrame()); });
  ColorGrid->setFrameShape(QFrame::NoFrame);
  ColorGrid->OnDrawCell = [this](QPainter& p, int col, int row, const QRect& rect,
                                 const TGridDrawState&) { ColorGridDrawCell(p, col, row, rect); };
  connect(ColorGrid, &TDrawGrid::MouseMove, this,
          [this](const QPoint& position, Qt::MouseButtons) { ColorGridMouseMove(position); });
  connect(ColorGrid, &TDrawGrid::MouseUp, this,
          [this](Qt::MouseButton button, const QPoint& position, Qt::KeyboardModifiers) {
            ColorGridMouseUp(button, position);
          });
  connect(ColorGrid, &TDrawGrid::MouseLeft, this, [this] { PanelMouseLeave(); });
  // The cells are sized from the viewport, which has its new size once it reports it.
  ColorGrid->viewport()->installEventFilter(this);
  Panel4->installEventFilter(this);
  for (TAdvPanel* swatch : {LeftColPanel, RightColPanel, MColor}) {
    connect(swatch, &TAdvPanel::OnMouseEnter, this,
            [this, swatch] { ColorPanelMouseEnter(swatch); });
    connect(swatch, &TAdvPanel::OnMouseLeave, this, [this] { PanelMouseLeave(); });
  }
  connect(LeftColPanel, &TAdvPanel::Clicked, this, [this] { LeftColPanelClick(); });
  connect(RightColPanel, &TAdvPanel::Clicked, this, [this] { RightColPanelClick(); });
  connect(MColor, &TAdvPanel::MouseDown, this,
          [this](Qt::MouseButton button, const QPoint&) { MColorMouseDown(button); });
}

void TMainForm::ApplyLeftColor(TColor color) {
  if (!CurrentImage) return;
  CurrentImage->SetLeftColor(color);
  LeftColPanel->SetColor(ColorToQColor(CurrentImage->GetLeftColor()));
}

void TMainForm::ApplyRightColor(TColor color) {
  if (!CurrentImage) return;
  CurrentImage->SetRightColor(color);
  RightColPanel->SetColor(ColorToQColor(CurrentImage->GetRightColor()));
}

TColor TMainForm::CurrentLeftColor() const {
  return CurrentImage ? CurrentImage->GetLeftColor() : clSilver;
}

TColor TMainForm::CurrentRightColor() const {
  return CurrentImage ? CurrentImage->GetRightColor() : clSilver;
}

void TMainForm::UpdateMiddleColor() {
  MColor->SetColor(ColorToQColor(MiddleColor(CurrentLeftColor(), CurrentRightColor())));
}

void TMainForm::ShowColorReadout(TColor color) {
  PreviewCol->SetColor(ColorToQColor(color));
  SetStatusText(0, ColorReadoutText(color));
}

void TMainForm::PanelMouseLeave() {
  SetStatusText(0, QString());
  SetStatusText(1, QString());
  PreviewCol->SetColor(ColorToQColor(clSilver));
}

void TMainForm::ColorPanelMouseEnter(const TAdvPanel* panel) {
  ShowColorReadout(QColorToColor(panel->Color()));
}

TColor TMainForm::PaletteColor(const TSelectBitmap* image, int index) {
  TColor color = clSilver;
  if (!TryPaletteColor(image, index, color)) throw EVelmoraError("Out of range palette index.");
  return color;
}

void TMainForm::ColorGridDrawCell(QPainter& painter, int col, int row, const QRect& rect) {
  TColor fill = clSilver;
  TryPaletteColor(CurrentImage, col + row * ColorGrid->ColCount(), fill);
  // Neighbouring cells share one outline line: each cell reaches over its right and bottom
  // neighbour's first line, except at the grid's end.
  QRect cell = rect;
  if (col < ColorGrid->ColCount() - 1) cell.setWidth(cell.width() + 1);
  if (row < ColorGrid->RowCount() - 1) cell.setHeight(cell.height() + 1);
  painter.fillRect(cell, ColorToQColor(fill));
  painter.setPen(CellOutline);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(cell.adjusted(0, 0, -1, -1));
}

void TMainForm::ColorGridMouseMove(const QPoint& position) {
  int col = 0, row = 0;
  if (!ColorGrid->MouseToCell(position, col, row)) return;
  TColor color = clSilver;
  if (TryPaletteColor(CurrentImage, col + row * ColorGrid->ColCount(), color))
    ShowColorReadout(color);
  else
    PanelMouseLeave();
}

void TMainForm::ColorGridMouseUp(Qt::MouseButton button, const QPoint& position) {
  int col = 0, row = 0;
  if (!ColorGrid->MouseToCell(position, col, row)) return;
  // An empty cell past the palette picks silver, which the image snaps to its palette.
  TColor color = clSilver;
  TryPaletteColor(CurrentImage, col + row * ColorGrid->ColCount(), color);
  if (button == Qt::LeftButton) ApplyLeftColor(color);
  if (button == Qt::RightButton) ApplyRightColor(color);
  UpdateMiddleColor();
}

void TMainForm::MColorMouseDown(Qt::MouseButton button) {
  const TColor middle = QColorToColor(MColor->Color());
  if (button == Qt::LeftButton)
    ApplyLeftColor(middle);
  else
    ApplyRightColor(middle);
  UpdateMiddleColor();
}

void TMainForm::SwapColActGo() {
  const TColor left = CurrentLeftColor();
  ApplyLeftColor(CurrentRightColor());
  ApplyRightColor(left);
}

void TMainForm::LeftColPanelClick() {
  if (!CurrentImage || !PickPaletteColorHook) return;
  const std::optional<TColor> color = PickPaletteColorHook(
      CurrentImage->GetPalette(), CurrentLeftColor(), CurrentImage->GetBitCount() > 8);
  if (!color) return;
  ApplyLeftColor(*color);
  UpdateMiddleColor();
}

void TMainForm::RightColPanelClick() {
  if (!CurrentImage || !PickPaletteColorHook) return;
  const std::optional<TColor> color = PickPaletteColorHook(
      CurrentImage->GetPalette(), CurrentRightColor(), CurrentImage->GetBitCount() > 8);
  if (!color) return;
  ApplyRightColor(*color);
  UpdateMiddleColor();
}

void TMainForm::GetTranspColActExecute() {
  if (!CurrentImage) return;
  ApplyRightColor(CurrentImage->GetTransparentColor());
  UpdateMiddleColor();
}

void TMainForm::GetInvColorActExecute() {
  ApplyLeftColor(IconInvertColor);
  UpdateMiddleColor();
}

void TMainForm::SizeColorGrid(int entries) {
  const int cols = entries <= 16 ? 2 : entries > 32 ? 8 : 4;
  ColorGrid->SetColCount(cols);
  ColorGrid->SetRowCount(entries / cols + (entries % cols ? 1 : 0));
}

void TMainForm::Panel4Resize() {
  const int cols = ColorGrid->ColCount(), rows = ColorGrid->RowCount();
  if (cols == 0 || rows == 0) return;
  const QSize client = ColorGrid->ClientSize();
  const int width = std::min(client.width() / cols, MaxCellSize);
  const int height = std::min(client.height() / rows, MaxCellSize);
  ColorGrid->SetDefaultColWidth(width);
  ColorGrid->SetDefaultRowHeight(height);
  // Below the largest cell size the grid fills the panel: the pixels left over widen the first
  // columns and rows by one each.
  if (width < MaxCellSize)
    for (int i = 0; i < client.width() % cols; ++i)
      ColorGrid->SetColWidth(i % cols, ColorGrid->ColWidth(i % cols) + 1);
  if (height < MaxCellSize)
    for (int i = 0; i < client.height() % rows; ++i)
      ColorGrid->SetRowHeight(i % rows, ColorGrid->RowHeight(i % rows) + 1);
}
