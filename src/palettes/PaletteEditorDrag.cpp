// The palette editor's drags and drops, its ramp and its two palette grids.

#include <QDragMoveEvent>
#include <algorithm>
#include <QDropEvent>
#include <QMimeData>
#include <QPainter>

#include "model/PaletteEdit.h"
#include "palettes/PaletteEditor.h"
#include "palettes/PaletteGrid.h"

namespace {

TColor ColorOf(const QColor& c) { return MakeColor(c.red(), c.green(), c.blue()); }

// The colour a palette grid shows in a cell: the entry, silver past the end of the palette.
TColor ShownColor(const TDrawGrid& grid, const TPaletteRecord& palette, int col, int row) {
  const int index = PaletteCellIndex(grid, col, row);
  return index >= 0 && index < PaletteEntryCount(palette) ? palette.Color(index) : clSilver;
}

bool IsOurPayload(const QMimeData* mime) { return DragColorFrom(mime) || DragGroupFrom(mime); }

}  // namespace

void TfrmPaletteEditor::AddDragSource(QWidget& source, TDragPayload payload) {
  new TDragStarter(source, std::move(payload), OnStartDrag);
}

void TfrmPaletteEditor::ConnectDrags() {
  ColorGrid->viewport()->setAcceptDrops(true);
  ColorGrid->viewport()->installEventFilter(this);
  AddDragSource(*ColorGrid->viewport(), [this] { return ColorGridStartDrag(); });
  for (TAdvPanel* swatch : {pnlPreview, pnlBeginColor, pnlEndColor})
    AddDragSource(*swatch, [swatch] {
      return DragColorMimeData({ColorOf(swatch->Color()), -1, -1});
    });
  auto* ramp = new TDragStarter(*pbxSmooth, [this] {
    return DragColorMimeData({RampPickColor, -1, -1});
  }, OnStartDrag);
  ramp->OnPress = [this](const QPoint& at) { RampPickColor = RampPixelColor(at); };
  AddDragSource(*Panel1, [this] { return DragGroupMimeData(DragAsColumnRow(false)); });
  AddDragSource(*Panel4, [this] { return DragGroupMimeData(DragAsColumnRow(true)); });
  AddDragSource(*Panel6, [this] { return DragGroupMimeData(DragAllPalette()); });
  connect(pbxSmooth, &TPaintBox::MouseMove, this,
          [this](const QPoint& at) { ShowColorStatus(RampPixelColor(at)); });
  connect(ColorGrid, &TDrawGrid::MouseMove, this, [this](const QPoint& at) {
    int col = 0, row = 0;
    if (!ColorGrid->MouseToCell(at, col, row)) return;
    ShowColorStatus(ShownColor(*ColorGrid, EditPalette, col, row));
    StatPanels[2]->setText(QString("x=%1 y=%2").arg(col).arg(row));
  });
  TDrawGrid* stored = ImportPaletteFrame->ColorGrid;
  // Colours of the stored palette leave through the editor's own way out.
  ImportPaletteFrame->OnStartDrag = [this, stored](std::unique_ptr<QMimeData> mime) {
    StartColorDrag(*stored, std::move(mime), OnStartDrag);
  };
  connect(stored, &TDrawGrid::CurrentChanged, this,
          &TfrmPaletteEditor::ImportPaletteFrameColorGridSelectCell);
  connect(stored, &TDrawGrid::MouseMove, this, [this, stored](const QPoint& at) {
    int col = 0, row = 0;
    if (stored->MouseToCell(at, col, row))
      ShowColorStatus(ShownColor(*stored, ImportPaletteFrame->Palette, col, row));
  });
}

bool TfrmPaletteEditor::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ColorGrid->viewport()) {
    if (event->type() == QEvent::Resize) SetEditPalette(EditPalette);
    if (GridDragEvent(event)) return true;
  }
  for (TAdvPanel* swatch : {pnlPreview, pnlBeginColor, pnlEndColor})
    if (watched == swatch && SwatchDragEvent(*swatch, event)) return true;
  if (event->type() == QEvent::Leave &&
      (watched == pnlSmooth || watched == pnlLeft || watched == pnlRight))
    ClearStatus();
  return QDialog::eventFilter(watched, event);
}

bool TfrmPaletteEditor::SwatchDragEvent(TAdvPanel& swatch, QEvent* event) {
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* over = static_cast<QDragMoveEvent*>(event);
      if (DragColorFrom(over->mimeData())) over->acceptProposedAction();
      else over->ignore();
      return true;
    }
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      const std::optional<TDragColor> color = DragColorFrom(drop->mimeData());
      if (!color) return false;
      swatch.SetColor(QColor(RedOf(color->Color), GreenOf(color->Color), BlueOf(color->Color)));
      drop->acceptProposedAction();
      return true;
    }
    default:
      return false;
  }
}

bool TfrmPaletteEditor::GridDragEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove: {
      auto* over = static_cast<QDragMoveEvent*>(event);
      if (ColorGridDragOver(over->mimeData(), over->position().toPoint()))
        over->acceptProposedAction();
      else
        over->ignore();
      return true;
    }
    case QEvent::DragLeave:
      StatPanels[2]->clear();
      return true;
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      if (ColorGridDragDrop(drop->mimeData(), drop->position().toPoint()))
        drop->acceptProposedAction();
      StatPanels[2]->clear();
      return true;
    }
    default:
      return false;
  }
}

bool TfrmPaletteEditor::ColorGridDragOver(const QMimeData* mime, const QPoint& position) {
  int col = 0, row = 0;
  const bool overCell = ColorGrid->MouseToCell(position, col, row);
  StatPanels[2]->setText(overCell ? QString("x=%1 y=%2").arg(col).arg(row) : QString());
  return overCell && IsOurPayload(mime);
}

bool TfrmPaletteEditor::ColorGridDragDrop(const QMimeData* mime, const QPoint& position) {
  int col = 0, row = 0;
  if (!ColorGrid->MouseToCell(position, col, row)) return false;
  if (const std::optional<TDragColor> one = DragColorFrom(mime)) {
    if (one->SourceCol >= 0) {
      // From this grid: the two cells swap.
      const TColor here = CellColor(col, row);
      SetCellColor(one->Color, col, row);
      SetCellColor(here, one->SourceCol, one->SourceRow);
    } else {
      SetCellColor(one->Color, col, row);
    }
  } else if (const std::optional<TDragGroup> run = DragGroupFrom(mime)) {
    Cells().PlaceRun(run->Colors, col, row, run->RowWise);
    ColorGrid->viewport()->update();
  } else {
    return false;
  }
  ColorGridSelectCell(ColorGrid->Col(), ColorGrid->Row());
  return true;
}

TPaletteCells TfrmPaletteEditor::Cells() {
  return TPaletteCells(EditPalette, ColorGrid->ColCount(), ColorGrid->RowCount());
}

TColor TfrmPaletteEditor::CellColor(int col, int row) const {
  return TPaletteCells(const_cast<TPaletteRecord&>(EditPalette), ColorGrid->ColCount(),
                       ColorGrid->RowCount())
      .CellColor(col, row);
}

void TfrmPaletteEditor::SetCellColor(TColor color, int col, int row) {
  Cells().SetCellColor(color, col, row);
  ColorGrid->viewport()->update();
}

std::unique_ptr<QMimeData> TfrmPaletteEditor::ColorGridStartDrag() const {
  const int col = ColorGrid->Col(), row = ColorGrid->Row();
  const int index = PaletteCellIndex(*ColorGrid, col, row);
  if (index < 0 || index >= PaletteEntryCount(EditPalette)) return nullptr;
  return DragColorMimeData({EditPalette.Color(index), row, col});
}

void TfrmPaletteEditor::ShowCellReadOut(const TDrawGrid& grid, const TPaletteRecord& palette,
                                        int col, int row, QLabel* index, QLabel* rgb,
                                        QLabel* html) {
  const TColor color = ShownColor(grid, palette, col, row);
  index->setText(QString::number(PaletteCellIndex(grid, col, row)));
  rgb->setText(ColorRgbText(color));
  html->setText(ColorHtmlText(color));
}

void TfrmPaletteEditor::ColorGridSelectCell(int col, int row) {
  ShowCellReadOut(*ColorGrid, EditPalette, col, row, lblIndexL, lblRGBL, lblHTMLL);
}

void TfrmPaletteEditor::ImportPaletteFrameColorGridSelectCell(int col, int row) {
  ShowCellReadOut(*ImportPaletteFrame->ColorGrid, ImportPaletteFrame->Palette, col, row,
                  lblIndexR, lblRGBR, lblHTMLR);
}

void TfrmPaletteEditor::pbxSmoothPaint(QPainter& p) {
  const int steps = eSteps->value();
  const TColor begin = ColorOf(pnlBeginColor->Color()), end = ColorOf(pnlEndColor->Color());
  const int base = pbxSmooth->width() / steps;
  int extra = pbxSmooth->width() % steps;
  for (int k = 0, x = 0; k < steps; ++k) {
    const int w = extra > 0 ? base + 1 : base;
    const TColor c = RampColor(begin, end, steps, k);
    p.fillRect(x, 0, w, pbxSmooth->height(), QColor(RedOf(c), GreenOf(c), BlueOf(c)));
    x += w;
    if (extra > 0) --extra;
  }
}

TColor TfrmPaletteEditor::RampPixelColor(const QPoint& position) const {
  // The cell under the pointer, found by the same widths the ramp is painted with.
  const int steps = eSteps->value();
  const int base = pbxSmooth->width() / steps, extra = pbxSmooth->width() % steps;
  const int x = std::clamp(position.x(), 0, pbxSmooth->width() - 1);
  const int wide = extra * (base + 1);
  const int k = x < wide ? x / (base + 1) : extra + (base > 0 ? (x - wide) / base : 0);
  return RampColor(ColorOf(pnlBeginColor->Color()), ColorOf(pnlEndColor->Color()), steps, k);
}

TDragGroup TfrmPaletteEditor::DragAsColumnRow(bool rowWise) const {
  TDragGroup drag;
  drag.RowWise = rowWise;
  const TColor begin = ColorOf(pnlBeginColor->Color()), end = ColorOf(pnlEndColor->Color());
  for (int k = eFromColor->value(); k <= eToColor->value(); ++k)
    drag.Colors.push_back(RampColor(begin, end, eSteps->value(), k));
  return drag;
}

TDragGroup TfrmPaletteEditor::DragAllPalette() const {
  TDragGroup drag;
  drag.RowWise = true;
  drag.Colors = PaletteColors(ImportPaletteFrame->Palette);
  return drag;
}
