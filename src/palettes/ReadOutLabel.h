#pragma once
// The bold navy labels in which the colour dialogs show the numbers of a colour (index, RGB,
// HTML); their text can be selected and copied.

#include <QLabel>

QLabel* ReadOutLabel(const QString& name, const QString& text, QWidget* parent);
