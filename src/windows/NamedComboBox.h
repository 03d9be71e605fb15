#pragma once
// TNamedComboBox: a combo box that screen readers announce by its accessible name. Qt's own
// combo box reports its current text as its name on Linux, so a tool-bar combo without a label
// beside it (the text pad's font and size lists) would be read as "DejaVu Sans" or "12" alone.
// Here the name is the accessible name and the current text is the value.

#include <QComboBox>

class TNamedComboBox : public QComboBox {
  Q_OBJECT
 public:
  // `name` is the accessible name and the hint.
  explicit TNamedComboBox(const QString& name, QWidget* parent = nullptr);
};
