#include "documents/FormPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <QWidget>

#include "model/IniFile.h"
#include "model/WindowPlacement.h"

namespace {

QString RectText(const QRect& r) {
  // Left, top, right, bottom with right and bottom just outside the rectangle.
  return QString("%1,%2,%3,%4")
      .arg(r.left())
      .arg(r.top())
      .arg(r.left() + r.width())
      .arg(r.top() + r.height());
}

QRect ParseRect(const std::string& text) {
  const QStringList parts = QString::fromStdString(text).split(',');
  if (parts.size() != 4) return {};
  int v[4];
  for (int i = 0; i < 4; ++i) {
    bool ok = false;
    v[i] = parts[i].trimmed().toInt(&ok);
    if (!ok) return {};
  }
  constexpr int64_t Far = int64_t(1) << 28;  // beyond any desktop; keeps the sums in range
  for (int i = 0; i < 4; ++i)
    if (v[i] < -Far || v[i] > Far) return {};
  if (v[2] - v[0] < 1 || v[3] - v[1] < 1) return {};
  return QRect(v[0], v[1], v[2] - v[0], v[3] - v[1]);
}

TRect ToRect(const QRect& r) {
  return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

}  // namespace

TFormPlacement TFormPlacement::Of(const QWidget& window, int formVersion) {
  TFormPlacement p;
  p.FormVersion = formVersion;
  p.ShowCmd = window.isMinimized()   ? ShowMinimized
              : window.isMaximized() ? ShowMaximized
                                     : ShowNormal;
  p.PixelsPerInch = window.logicalDpiY();
  p.NormPos =
      window.isMaximized() || window.isMinimized() ? window.normalGeometry() : window.geometry();
  if (p.NormPos.isEmpty()) p.NormPos = window.geometry();
  return p;
}

TFormPlacement TFormPlacement::Read(const TIniFile& ini, const std::string& section) {
  TFormPlacement p;
  p.FormVersion = ini.ReadInteger(section, "FormVersion", -1);
  p.Flags = ini.ReadInteger(section, "Flags", 0);
  p.ShowCmd = ini.ReadInteger(section, "ShowCmd", ShowNormal);
  p.PixelsPerInch = ini.ReadInteger(section, "PixelsPerInch", 96);
  p.NormPos = ParseRect(ini.ReadString(section, "NormPos", ""));
  return p;
}

void TFormPlacement::Write(TIniFile& ini, const std::string& section) const {
  TIniFile::TBatch batch(ini);
  ini.WriteInteger(section, "FormVersion", FormVersion);
  ini.WriteInteger(section, "Flags", Flags);
  ini.WriteInteger(section, "ShowCmd", ShowCmd);
  ini.WriteInteger(section, "PixelsPerInch", PixelsPerInch);
  ini.WriteString(section, "MinMaxPos", "-1,-1,-1,-1");
  ini.WriteString(section, "NormPos", RectText(NormPos).toStdString());
}

bool TFormPlacement::ApplyTo(QWidget& window, int formVersion) const {
  if (FormVersion != formVersion || NormPos.isEmpty()) return false;
  std::vector<TRect> screens;  // the primary screen comes first
  for (const QScreen* screen : QGuiApplication::screens())
    screens.push_back(ToRect(screen->availableGeometry()));
  const std::optional<TRect> fitted = FitWindowToScreens(ToRect(NormPos), screens);
  if (!fitted) return false;
  window.setGeometry(fitted->Left, fitted->Top, fitted->Width(), fitted->Height());
  // A window that was minimised comes back as a normal one; starting invisible helps nobody.
  if (ShowCmd == ShowMaximized) window.setWindowState(window.windowState() | Qt::WindowMaximized);
  return true;
}
