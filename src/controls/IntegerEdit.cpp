#include "controls/IntegerEdit.h"

#include <QKeyEvent>
#include <QRegularExpressionValidator>

TIntegerEdit::TIntegerEdit(QWidget* parent) : QLineEdit("0", parent) {
  setFrame(false);
  // Pasted text obeys the same rule as typing: digits (and the blanks people paste with them).
  setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9 ]*"), this));
}

int TIntegerEdit::Value() {
  QString digits = text();
  digits.remove(QRegularExpression("\\s"));
  bool ok = false;
  const int value = digits.toInt(&ok, 10);
  if (!ok || value < 0) {
    setText("0");
    return 0;
  }
  setText(QString::number(value));
  return value;
}

void TIntegerEdit::SetValue(int value) {
  setText(QString::number(value));
}

void TIntegerEdit::keyPressEvent(QKeyEvent* event) {
  const QString typed = event->text();
  const bool printable = !typed.isEmpty() && typed.at(0).isPrint();
  const bool withCommand = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
  if (printable && !withCommand &&
      !(typed.size() == 1 && typed.at(0).isDigit() && typed.at(0).unicode() < 128)) {
    event->ignore();  // letters, signs and blanks are refused
    return;
  }
  QLineEdit::keyPressEvent(event);
}
