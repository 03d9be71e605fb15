#pragma once
// TIntegerEdit: a flat text field for non-negative whole numbers. Typing accepts only digits and
// editing keys; reading the value drops blanks and rewrites the text as the plain number.

#include <QLineEdit>

class TIntegerEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit TIntegerEdit(QWidget* parent = nullptr);

  // The number in the field; empty or unreadable text (also a number beyond the integer range)
  // reads as 0 and the text becomes "0". A readable number is written back in plain decimal.
  int Value();
  void SetValue(int value);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};
