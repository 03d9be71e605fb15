#include "palettes/PaletteChoiceFrame.h"

#include <QDrag>
#include <QEvent>
#include <QFile>
#include <QMimeData>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>
#include <cstdlib>

#include "model/Errors.h"
#include "model/PaletteStore.h"
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
  connect(ColorGrid, &TDrawGrid::MouseDown, this,
          [this](Qt::MouseButton button, const QPoint& position, Qt::KeyboardModifiers) {
            ColorGridMouseDown(button, position);
          });
  connect(ColorGrid, &TDrawGrid::MouseMove, this, &TPaletteChoiceFrame::ColorGridMouseMove);
  connect(ColorGrid, &TDrawGrid::MouseUp, this, [this] { dragArmed_ = false; });

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(4);
  layout->addWidget(lbPalettes, 1);
  layout->addWidget(ColorGrid, 2);

  connect(lbPalettes, &TPaletteFileList::Changed, this, &TPaletteChoiceFrame::lbPalettesChange);
  lbPalettes->SetFolder(QFile::decodeName(QByteArray::fromStdString(::PaletteFolder())));
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

void TPaletteChoiceFrame::ColorGridMouseDown(Qt::MouseButton button, const QPoint& position) {
  dragArmed_ = button == Qt::LeftButton;
  dragOrigin_ = position;
}

void TPaletteChoiceFrame::ColorGridMouseMove(const QPoint& position, Qt::MouseButtons buttons) {
  if (!dragArmed_ || !(buttons & Qt::LeftButton)) return;
  const QPoint moved = position - dragOrigin_;
  if (std::abs(moved.x()) < DragThreshold && std::abs(moved.y()) < DragThreshold) return;
  dragArmed_ = false;
  StartDrag();
}

void TPaletteChoiceFrame::StartDrag() {
  const std::optional<TDragColor> payload = ColorGridStartDrag();
  if (!payload) return;
  std::unique_ptr<QMimeData> mime = DragColorMimeData(*payload);
  if (OnStartDrag) {
    OnStartDrag(std::move(mime));
    return;
  }
  QPixmap swatch(16, 16);
  swatch.fill(QColor(RedOf(payload->Color), GreenOf(payload->Color), BlueOf(payload->Color)));
  auto* drag = new QDrag(ColorGrid);
  drag->setMimeData(mime.release());
  drag->setPixmap(swatch);
  drag->exec(Qt::CopyAction);
  drag->deleteLater();
}
