#pragma once
// TCheckToolButton: a flat tool-bar button that stays down while its choice is on. Screen readers
// meet it as what it is: a check box, or a radio button where it is one of a group of which
// exactly one is down (the text pad's alignment).

#include <QToolButton>

class TCheckToolButton : public QToolButton {
  Q_OBJECT
 public:
  // `name` is the button's accessible name and hint.
  TCheckToolButton(const QString& name, bool exclusive, QWidget* parent = nullptr);

  bool Exclusive() const { return exclusive_; }

 private:
  bool exclusive_;
};
