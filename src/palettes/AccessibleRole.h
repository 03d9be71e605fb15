#pragma once
// Plain widgets painted by the palette dialogs themselves (the ramp, the drag handles) tell
// assistive technology what they are through this role. The standard widgets have theirs, and the
// custom controls (swatches, grids) get theirs from controls/ControlAccessibility.

#include <QAccessible>
#include <QString>

class QWidget;

// Gives the widget its role and its accessible name. Qt builds (and keeps) a widget's accessible
// interface as soon as its name is set, so the role has to be known before that: name such
// widgets only through this function.
void SetAccessibleRole(QWidget& widget, QAccessible::Role role, const QString& name);
