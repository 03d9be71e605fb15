#include "controls/PaintBox.h"

#include <QMouseEvent>
#include <QPainter>

TPaintBox::TPaintBox(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void TPaintBox::paintEvent(QPaintEvent*) {
  if (!OnPaint) return;
  QPainter p(this);
  OnPaint(p);
}

void TPaintBox::mousePressEvent(QMouseEvent* event) {
  emit MouseDown(event->button(), event->position().toPoint(), event->modifiers());
}

void TPaintBox::mouseMoveEvent(QMouseEvent* event) {
  emit MouseMove(event->position().toPoint(), event->buttons(), event->modifiers());
}

void TPaintBox::mouseReleaseEvent(QMouseEvent* event) {
  emit MouseUp(event->button(), event->position().toPoint(), event->modifiers());
}

void TPaintBox::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  emit MouseLeave();
}
