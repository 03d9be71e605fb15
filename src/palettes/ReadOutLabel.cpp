#include "palettes/ReadOutLabel.h"

QLabel* ReadOutLabel(const QString& name, const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  QFont bold = label->font();
  bold.setBold(true);
  label->setFont(bold);
  QPalette navy = label->palette();
  navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
  label->setPalette(navy);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}
