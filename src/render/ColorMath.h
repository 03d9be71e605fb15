#pragma once
// Small colour helpers of the editor: conversions between the model's colours and Qt's, the
// middle colour of two working colours and the text of the colour readout.

#include <QColor>
#include <QString>

#include "model/Colors.h"

inline QColor ColorToQColor(TColor c) {
  return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

inline TColor QColorToColor(const QColor& c) {
  return MakeColor(c.red(), c.green(), c.blue());
}

// Per channel the mean of both colours; a mean ending in .5 goes to the even neighbour, so that
// no colour is favoured (127.5 gives 128, 126.5 gives 126).
TColor MiddleColor(TColor a, TColor b);

// "RGB: " with the three decimals right-aligned in three places, then " <#RRGGBB>".
QString ColorReadoutText(TColor c);

// A number followed by spaces up to five characters, as the status bar lines numbers up.
QString PadNumber(int n);
