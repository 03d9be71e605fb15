#pragma once
// TAdvPanel: a panel that reports changes of its colour and the pointer entering and leaving it.
// Every colour swatch of the editor is one of these.

#include <QColor>
#include <QFrame>

class TAdvPanel : public QFrame {
  Q_OBJECT
 public:
  explicit TAdvPanel(QWidget* parent = nullptr);

  QColor Color() const { return color_; }
  // Raises OnColorChanged before the panel repaints in the new colour; nothing for the same colour.
  void SetColor(const QColor& color);

 signals:
  void OnColorChanged(const QColor& color);
  void OnMouseEnter();
  void OnMouseLeave();
  void MouseDown(Qt::MouseButton button, const QPoint& position);
  void Clicked();
  void DoubleClicked();

 protected:
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  QColor color_;
};
