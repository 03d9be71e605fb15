#pragma once
// TPaintBox: a plain drawing surface whose painting and mouse input are handled by its owner
// (the zoomed view and the 1:1 preview of the main window).

#include <QWidget>
#include <functional>

class TPaintBox : public QWidget {
  Q_OBJECT
 public:
  explicit TPaintBox(QWidget* parent = nullptr);

  std::function<void(QPainter&)> OnPaint;

 signals:
  void MouseDown(Qt::MouseButton button, const QPoint& position, Qt::KeyboardModifiers modifiers);
  void MouseMove(const QPoint& position, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
  void MouseUp(Qt::MouseButton button, const QPoint& position, Qt::KeyboardModifiers modifiers);
  void MouseLeave();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
};
