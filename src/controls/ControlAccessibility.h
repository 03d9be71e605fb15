#pragma once
// What assistive technologies see of the custom-painted controls. Qt describes its own widgets
// (buttons, check boxes, lists) by itself; these controls paint everything themselves, so without
// help they would show as unnamed fillers. Each control calls InstallControlAccessibility() when
// it is made; from then on a screen reader or an automated check finds a tool button by its name
// and knows whether it is pressed, finds a colour swatch as a button, and walks the palette and
// frame grids as tables of named cells.

#include <QString>

// Registers the accessibility descriptions of the custom controls (once; later calls do nothing).
void InstallControlAccessibility();

// The accessible name a control takes from its hint: the first line, without the shortcut that
// hints write at their end ("Pencil tool <Ctrl+P>" gives "Pencil tool").
QString AccessibleNameFromHint(const QString& hint);
