#include "palettes/PaletteChoiceFrame.h"

#include <QEvent>
#include <QFile>
#include <QMimeData>
#include <QPainter>
#include <QVBoxLayout>

#include "model/Errors.h"
#include "model/PaletteStore.h"
#include "palettes/DragStarter.h"
#include "palettes/PaletteGrid.h"

TPaletteChoiceFrame::TPaletteChoiceFrame(QWidget* parent) : QWidget(parent) {
  setObjectName("PaletteChoiceFrame");
  Palette.Version = PaletteVersion;
  Palette.Count = 0;
  lbPalettes = new TPaletteFileList(this);
  lbPalettes->setObjectName("lbPalettes");
  ColorGrid = new TDrawGrid(this);
  ColorGrid->setObjectName("ColorGrid");
  SetupPaletteGrid(*ColorGrid);
  ColorGrid->OnDrawCell = [this](QPainter& p, int col, int row, const QRect& rect,
                                 const TGridDrawState& state) {
    ColorGridDrawCell(p, col, row, rect, state.Selected);
  };
  // The cells follow the grid's client area, which is its viewport.
  ColorGrid->viewport()->installEventFilter(this);
  new TDragStarter(*ColorGrid->viewport(), [this]() -> std::unique_ptr<QMimeData> {
    const std::optional<TDragColor> payload = ColorGridStartDrag();
    return payload ? DragColorMimeData(*payload) : nullptr;
  }, OnStartDrag);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(4);
  layout->addWidget(lbPalettes, 1);
  layout->addWidget(ColorGrid, 2);

  connect(lbPalettes, &TPaletteFileList::Changed, this, &TPaletteChoiceFrame::lbPalettesChange);
  QStringList folders;
  for (const std::string& folder : PaletteFolders())
    folders << QFile::decodeName(QByteArray::fromStdString(folder));
  lbPalettes->SetFolders(folders);
}

void TPaletteChoiceFrame::SetContrastOutline(bool on) {
  contrastOutline_ = on;
  LayoutPaletteGrid();
}

void TPaletteChoiceFrame::LayoutPaletteGrid() {
  ::LayoutPaletteGrid(*ColorGrid, PaletteEntryCount(Palette));
}

void TPaletteChoiceFrame::lbPalettesChange() {
  try {
    ReadPalette(lbPalettes->SelectedLocalPath(), Palette);
  } catch (const EVelmoraError& e) {
    // The file went bad after the list was read: show the default palette and take the file
    // out of the choice, so that no owner accepts a palette that was never read.
    FillDefaultPalette264(Palette);
    if (QListWidgetItem* item = lbPalettes->currentItem()) {
      const QSignalBlocker quiet(lbPalettes);
      item->setSelected(false);
      item->setFlags(item->flags() & ~(Qt::ItemIsSelectable | Qt::ItemIsEnabled));
      item->setToolTip(QString::fromStdString(e.what()));
    }
  }
  LayoutPaletteGrid();
  emit PaletteChanged();
}

void TPaletteChoiceFrame::ColorGridDrawCell(QPainter& p, int col, int row, const QRect& rect,
                                            bool selected) {
  DrawPaletteCell(p, rect, Palette, PaletteCellIndex(*ColorGrid, col, row), selected,
                  contrastOutline_);
}

std::optional<TDragColor> TPaletteChoiceFrame::ColorGridStartDrag() const {
  const int index = PaletteCellIndex(*ColorGrid, ColorGrid->Col(), ColorGrid->Row());
  if (index < 0 || index >= PaletteEntryCount(Palette)) return std::nullopt;
  TDragColor drag;
  drag.Color = Palette.Color(index);
  return drag;
}

bool TPaletteChoiceFrame::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ColorGrid->viewport() && event->type() == QEvent::Resize) LayoutPaletteGrid();
  return QWidget::eventFilter(watched, event);
}
