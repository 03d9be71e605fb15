#include "controls/FieldCaption.h"

QLabel* FieldCaption(const QString& text, QWidget* field, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setBuddy(field);
  QString name = text;
  name.remove('&');
  name = name.trimmed();
  if (name.endsWith(':')) name.chop(1);
  field->setAccessibleName(name.trimmed());
  return label;
}
