#include "controls/DrawGrid.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include "controls/ControlAccessibility.h"

TDrawGrid::TDrawGrid(QWidget* parent) : QAbstractScrollArea(parent) {
  InstallControlAccessibility();
  setFocusPolicy(Qt::StrongFocus);
  setFrameShape(QFrame::StyledPanel);
  viewport()->setMouseTracking(true);
  SetColCount(5);
  SetRowCount(5);
}

void TDrawGrid::SetColCount(int count) {
  colWidths_.resize(size_t(std::max(count, 0)), defaultColWidth_);
  fixedCols_ = std::min(fixedCols_, ColCount());
  UpdateScrollBars();
}

void TDrawGrid::SetRowCount(int count) {
  rowHeights_.resize(size_t(std::max(count, 0)), defaultRowHeight_);
  fixedRows_ = std::min(fixedRows_, RowCount());
  UpdateScrollBars();
}

void TDrawGrid::SetFixedCols(int count) {
  fixedCols_ = std::clamp(count, 0, ColCount());
  UpdateScrollBars();
}

void TDrawGrid::SetFixedRows(int count) {
  fixedRows_ = std::clamp(count, 0, RowCount());
  UpdateScrollBars();
}

void TDrawGrid::SetDefaultColWidth(int width) {
  defaultColWidth_ = std::max(width, 0);
  std::fill(colWidths_.begin(), colWidths_.end(), defaultColWidth_);
  UpdateScrollBars();
}

void TDrawGrid::SetDefaultRowHeight(int height) {
  defaultRowHeight_ = std::max(height, 0);
  std::fill(rowHeights_.begin(), rowHeights_.end(), defaultRowHeight_);
  UpdateScrollBars();
}

void TDrawGrid::SetColWidth(int col, int width) {
  colWidths_.at(size_t(col)) = std::max(width, 0);
  UpdateScrollBars();
}

void TDrawGrid::SetRowHeight(int row, int height) {
  rowHeights_.at(size_t(row)) = std::max(height, 0);
  UpdateScrollBars();
}

void TDrawGrid::SetGridLineWidth(int width) {
  lineWidth_ = std::max(width, 0);
  UpdateScrollBars();
}

bool TDrawGrid::SetCurrent(int col, int row) {
  if (col < fixedCols_ || row < fixedRows_ || col >= ColCount() || row >= RowCount()) return false;
  if (col == col_ && row == row_) return true;
  if (OnSelectCell && !OnSelectCell(col, row)) return false;
  col_ = col;
  row_ = row;
  viewport()->update();
  emit CurrentChanged(col, row);
  return true;
}

int TDrawGrid::ColLeft(int col) const {
  int x = 0;
  for (int c = 0; c < col && c < ColCount(); ++c) x += colWidths_[size_t(c)] + lineWidth_;
  return x;
}

int TDrawGrid::RowTop(int row) const {
  int y = 0;
  for (int r = 0; r < row && r < RowCount(); ++r) y += rowHeights_[size_t(r)] + lineWidth_;
  return y;
}

QRect TDrawGrid::CellRect(int col, int row) const {
  if (col < 0 || row < 0 || col >= ColCount() || row >= RowCount()) return {};
  int x = ColLeft(col), y = RowTop(row);
  if (col >= fixedCols_) x -= horizontalScrollBar()->value();
  if (row >= fixedRows_) y -= verticalScrollBar()->value();
  return QRect(x, y, colWidths_[size_t(col)], rowHeights_[size_t(row)]);
}

bool TDrawGrid::MouseToCell(const QPoint& position, int& col, int& row) const {
  for (int r = 0; r < RowCount(); ++r) {
    for (int c = 0; c < ColCount(); ++c) {
      const QRect cell = CellRect(c, r).adjusted(0, 0, lineWidth_, lineWidth_);
      if (!cell.contains(position)) continue;
      if ((c >= fixedCols_ && position.x() < FixedWidth()) ||
          (r >= fixedRows_ && position.y() < FixedHeight()))
        continue;  // hidden under the fixed cells
      col = c;
      row = r;
      return true;
    }
  }
  return false;
}

void TDrawGrid::UpdateScrollBars() {
  const QSize client = viewport()->size();
  const int scrollWidth = ColLeft(ColCount()) - FixedWidth();
  const int scrollHeight = RowTop(RowCount()) - FixedHeight();
  const int roomX = std::max(client.width() - FixedWidth(), 0);
  const int roomY = std::max(client.height() - FixedHeight(), 0);
  horizontalScrollBar()->setRange(0, std::max(scrollWidth - roomX, 0));
  horizontalScrollBar()->setPageStep(std::max(roomX, 1));
  verticalScrollBar()->setRange(0, std::max(scrollHeight - roomY, 0));
  verticalScrollBar()->setPageStep(std::max(roomY, 1));
  viewport()->update();
}
