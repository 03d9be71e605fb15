// The editor's cursors: 32 x 32 pictures with black outlines and white insides, so they show on
// any colour, and hot spots where the user expects the cursor to act.

#include <QGuiApplication>
#include <array>
#include <map>

#include "controls/Pictures.h"
#include "controls/PixelPainter.h"

namespace {

struct TCursorDef {
  QPoint HotSpot;
  TPictureDraw Draw;
};

void Cross(TPixelPainter& p, int cx, int cy, int arm) {
  p.Fill(cx - arm, cy - 1, arm * 2 + 1, 3, Ink::Paper);
  p.Fill(cx - 1, cy - arm, 3, arm * 2 + 1, Ink::Paper);
  p.Fill(cx - arm, cy, arm * 2 + 1, 1, Qt::black);
  p.Fill(cx, cy - arm, 1, arm * 2 + 1, Qt::black);
  p.Erase(cx - 1, cy - 1, 3, 3);
  p.Pixel(cx, cy, Qt::black);
}

void Dropper(TPixelPainter& p) {
  p.Polygon({{0, 15}, {1, 12}, {8, 5}, {10, 7}, {3, 14}}, Qt::black, Ink::Paper);
  p.Polygon({{8, 3}, {12, 0}, {15, 3}, {12, 7}}, Qt::black, Qt::black);
}

const std::map<QString, TCursorDef>& CursorDefs() {
  static const std::map<QString, TCursorDef> defs = {
      {"CR_SELECT",
       {{0, 0},
        [](TPixelPainter& p) {
          p.Polygon({{0, 0}, {0, 15}, {4, 11}, {7, 17}, {9, 16}, {6, 10}, {11, 10}}, Qt::black,
                    Ink::Paper);
          p.DashBox(13, 13, 12, 10, Qt::black, Ink::Paper);
        }}},
      {"CR_PEN",
       {{0, 15},
        [](TPixelPainter& p) {
          p.Polygon({{0, 15}, {1, 11}, {11, 1}, {14, 4}, {4, 14}}, Qt::black, Ink::Paper);
          p.Line(1, 11, 4, 14, Qt::black);
        }}},
      {"CR_CROSS", {{15, 15}, [](TPixelPainter& p) { Cross(p, 15, 15, 8); }}},
      {"CR_PICK", {{0, 15}, Dropper}},
      {"CR_FILL",
       {{14, 14},
        [](TPixelPainter& p) {
          p.Polygon({{1, 7}, {7, 1}, {13, 7}, {7, 13}}, Qt::black, Ink::Paper);
          p.Line(1, 7, 13, 7, Qt::black);
          p.Fill(13, 8, 2, 6, Qt::black);
          p.Pixel(14, 14, Qt::black);
        }}},
      {"CR_ZOOM",
       {{6, 6},
        [](TPixelPainter& p) {
          p.Ellipse(0, 0, 13, 13, Qt::black, Ink::Paper);
          p.Polygon({{10, 11}, {11, 10}, {16, 15}, {15, 16}}, Qt::black, Qt::black);
        }}},
      {"CR_PICKTRANSP",
       {{0, 15},
        [](TPixelPainter& p) {
          Dropper(p);
          p.Box(14, 14, 10, 10, Qt::black);
          p.Checker(15, 15, 8, 8, Ink::Paper, Ink::Gray);
        }}},
      {"CR_WAND",
       {{4, 4},
        [](TPixelPainter& p) {
          Cross(p, 4, 4, 4);
          p.Polygon({{7, 8}, {8, 7}, {18, 17}, {17, 18}}, Qt::black, Ink::Paper);
        }}},
  };
  return defs;
}

std::array<QCursor, Pictures::CursorCount + 1>& Slots() {
  static std::array<QCursor, Pictures::CursorCount + 1> registered;
  return registered;
}

}  // namespace

namespace Pictures {

QString CursorResourceName(int slot) {
  static const char* names[] = {"",        "CR_SELECT", "CR_PEN",        "CR_CROSS", "CR_PICK",
                                "CR_FILL", "CR_ZOOM",   "CR_PICKTRANSP", "CR_WAND"};
  return slot >= 1 && slot <= CursorCount ? QString(names[slot]) : QString();
}

QImage CursorImage(const QString& resourceName, int scale) {
  const auto it = CursorDefs().find(resourceName);
  if (it == CursorDefs().end()) return {};
  return RenderPicture(it->second.Draw, {32, 32}, scale);
}

QPoint CursorHotSpot(const QString& resourceName) {
  const auto it = CursorDefs().find(resourceName);
  return it == CursorDefs().end() ? QPoint() : it->second.HotSpot;
}

QCursor LoadCursor(const QString& resourceName) {
  if (!CursorDefs().count(resourceName)) return QCursor(Qt::ArrowCursor);
  const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
  const int scale = ratio > 1.0 ? 2 : 1;
  const QPixmap pixmap = QPixmap::fromImage(CursorImage(resourceName, scale));
  const QPoint hot = CursorHotSpot(resourceName);
  return QCursor(pixmap, hot.x(), hot.y());
}

void LoadCursors() {
  for (int slot = 1; slot <= CursorCount; ++slot)
    Slots()[size_t(slot)] = LoadCursor(CursorResourceName(slot));
}

QCursor Cursor(int slot) {
  if (slot < 1 || slot > CursorCount) return QCursor(Qt::ArrowCursor);
  return Slots()[size_t(slot)];
}

}  // namespace Pictures
