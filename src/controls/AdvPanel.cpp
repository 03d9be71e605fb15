#include "controls/AdvPanel.h"

#include <QMouseEvent>

#include "controls/ControlAccessibility.h"

TAdvPanel::TAdvPanel(QWidget* parent) : QFrame(parent) {
  InstallControlAccessibility();
  setFrameShape(QFrame::Panel);
  setFrameShadow(QFrame::Sunken);
  setAutoFillBackground(true);
  color_ = palette().color(QPalette::Window);
}

void TAdvPanel::SetColor(const QColor& color) {
  if (color == color_) return;
  emit OnColorChanged(color);
  color_ = color;
  QPalette pal = palette();
  pal.setColor(QPalette::Window, color);
  setPalette(pal);
  update();
}

void TAdvPanel::enterEvent(QEnterEvent* event) {
  QFrame::enterEvent(event);
  emit OnMouseEnter();
}

void TAdvPanel::leaveEvent(QEvent* event) {
  QFrame::leaveEvent(event);
  emit OnMouseLeave();
}

void TAdvPanel::mousePressEvent(QMouseEvent* event) {
  emit MouseDown(event->button(), event->position().toPoint());
}

void TAdvPanel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
    emit Clicked();
}

void TAdvPanel::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit DoubleClicked();
}
