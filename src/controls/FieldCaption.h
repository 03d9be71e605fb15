#pragma once

#include <QLabel>

// A caption label for a field. It is the field's buddy (its mnemonic focuses the field) and its
// text, without the mnemonic and the closing colon, names the field for assistive technology.
QLabel* FieldCaption(const QString& text, QWidget* field, QWidget* parent);
