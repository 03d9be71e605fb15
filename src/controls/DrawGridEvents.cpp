// Painting and input of the draw grid.

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "controls/DrawGrid.h"

void TDrawGrid::DrawCell(QPainter& p, int col, int row, const QRect& rect,
                         const TGridDrawState& state) {
  if (OnDrawCell) {
    OnDrawCell(p, col, row, rect, state);
    return;
  }
  p.fillRect(rect, state.Fixed ? FixedColor : palette().color(QPalette::Base));
}

void TDrawGrid::paintEvent(QPaintEvent*) {
  QPainter p(viewport());
  p.fillRect(viewport()->rect(), palette().color(QPalette::Window));
  const int fixedW = ColLeft(fixedCols_), fixedH = RowTop(fixedRows_);
  // Scrolling cells first, then the fixed rows and columns over them.
  for (int pass = 0; pass < 2; ++pass) {
    for (int r = 0; r < RowCount(); ++r) {
      for (int c = 0; c < ColCount(); ++c) {
        const bool fixed = c < fixedCols_ || r < fixedRows_;
        if (fixed != (pass == 1)) continue;
        const QRect cell = CellRect(c, r);
        if (!cell.intersects(viewport()->rect())) continue;
        p.save();
        if (!fixed) p.setClipRect(QRect(fixedW, fixedH, width(), height()));
        if (lineWidth_ > 0) p.fillRect(cell.adjusted(0, 0, lineWidth_, lineWidth_), GridColor);
        const bool current = c == col_ && r == row_;
        DrawCell(p, c, r, cell, {current && !fixed, current && hasFocus(), fixed});
        p.restore();
      }
    }
  }
}

void TDrawGrid::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBars();
}

void TDrawGrid::scrollContentsBy(int, int) {
  viewport()->update();
}

void TDrawGrid::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  int c = 0, r = 0;
  if (event->button() == Qt::LeftButton && MouseToCell(pos, c, r)) SetCurrent(c, r);
  emit MouseDown(event->button(), pos, event->modifiers());
}

void TDrawGrid::mouseMoveEvent(QMouseEvent* event) {
  emit MouseMove(event->position().toPoint(), event->buttons());
}

void TDrawGrid::mouseReleaseEvent(QMouseEvent* event) {
  emit MouseUp(event->button(), event->position().toPoint(), event->modifiers());
}

void TDrawGrid::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit DoubleClicked();
}

void TDrawGrid::leaveEvent(QEvent* event) {
  QAbstractScrollArea::leaveEvent(event);
  emit MouseLeft();
}

void TDrawGrid::keyPressEvent(QKeyEvent* event) {
  if (OnKeyPress && OnKeyPress(event)) return;
  int c = col_, r = row_;
  switch (event->key()) {
    case Qt::Key_Left:
      --c;
      break;
    case Qt::Key_Right:
      ++c;
      break;
    case Qt::Key_Up:
      --r;
      break;
    case Qt::Key_Down:
      ++r;
      break;
    default:
      QAbstractScrollArea::keyPressEvent(event);
      return;
  }
  SetCurrent(c, r);
}
