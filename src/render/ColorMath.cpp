#include "render/ColorMath.h"

namespace {

int EvenMean(int a, int b) {
  const int sum = a + b;
  const int half = sum / 2;
  // An odd sum lies halfway between half and half + 1: take the even one of both.
  return (sum % 2 == 1 && half % 2 == 1) ? half + 1 : half;
}

}  // namespace

TColor MiddleColor(TColor a, TColor b) {
  return MakeColor(EvenMean(RedOf(a), RedOf(b)), EvenMean(GreenOf(a), GreenOf(b)),
                   EvenMean(BlueOf(a), BlueOf(b)));
}

QString ColorReadoutText(TColor c) {
  const int r = RedOf(c), g = GreenOf(c), b = BlueOf(c);
  return QString("RGB: %1,%2,%3 <#%4%5%6>")
      .arg(r, 3)
      .arg(g, 3)
      .arg(b, 3)
      .arg(r, 2, 16, QChar('0'))
      .arg(g, 2, 16, QChar('0'))
      .arg(b, 2, 16, QChar('0'))
      .toUpper();  // the hex digits; the rest is upper case already
}

QString PadNumber(int n) {
  return QString::number(n).leftJustified(5, ' ');
}
