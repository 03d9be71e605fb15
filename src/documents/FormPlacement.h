#pragma once
// Window placement in the settings file: "FormVersion", "Flags", "ShowCmd", "PixelsPerInch",
// "MinMaxPos" ("%d,%d,%d,%d": minimised x, y, maximised x, y) and "NormPos" (the restored window
// rectangle as left, top, right, bottom). "ShowCmd" uses the familiar numbers 1 normal,
// 2 minimised and 3 maximised. A placement is restored only when it was stored by the same
// layout version and still shows on one of the screens.

#include <QRect>
#include <string>

class QWidget;
class TIniFile;

struct TFormPlacement {
  static constexpr int ShowNormal = 1;
  static constexpr int ShowMinimized = 2;
  static constexpr int ShowMaximized = 3;

  int FormVersion = 0;
  int Flags = 0;
  int ShowCmd = ShowNormal;
  int PixelsPerInch = 96;
  QRect NormPos;  // empty: none stored

  static TFormPlacement Of(const QWidget& window, int formVersion);
  static TFormPlacement Read(const TIniFile& ini, const std::string& section);
  void Write(TIniFile& ini, const std::string& section) const;
  // Places the window (before it is shown); false when nothing usable was stored.
  bool ApplyTo(QWidget& window, int formVersion) const;
};
