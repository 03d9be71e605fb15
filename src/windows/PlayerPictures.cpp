// The pictures of the player's transport commands: the familiar triangles, bars and squares.

#include <QHash>

#include "controls/PixelPainter.h"
#include "windows/MoviePlayer.h"

namespace {

void RightTriangle(TPixelPainter& p, int left, const QColor& fill) {
  p.Polygon({{left, 3}, {left + 6, 8}, {left, 13}}, Ink::Dark, fill);
}

void LeftTriangle(TPixelPainter& p, int right, const QColor& fill) {
  p.Polygon({{right, 3}, {right - 6, 8}, {right, 13}}, Ink::Dark, fill);
}

const QHash<QString, TPictureDraw>& Drawings() {
  static const QHash<QString, TPictureDraw> drawings{
      {"PlayAct",
       [](TPixelPainter& p) {
         p.Polygon({{4, 2}, {12, 8}, {4, 14}}, Ink::Dark, Ink::Green);
       }},
      {"StopAct", [](TPixelPainter& p) { p.Box(3, 3, 10, 10, Ink::Dark, Ink::Red); }},
      {"PauseAct",
       [](TPixelPainter& p) {
         p.Box(3, 3, 4, 10, Ink::Dark, Ink::Blue);
         p.Box(9, 3, 4, 10, Ink::Dark, Ink::Blue);
       }},
      {"FirstFrameAct",
       [](TPixelPainter& p) {
         p.Box(3, 3, 2, 11, Ink::Dark, Ink::Dark);
         LeftTriangle(p, 12, Ink::Blue);
       }},
      {"FrameBackAct", [](TPixelPainter& p) { LeftTriangle(p, 10, Ink::Blue); }},
      {"FrameFrwdAct", [](TPixelPainter& p) { RightTriangle(p, 5, Ink::Blue); }},
      {"LastFrameAct",
       [](TPixelPainter& p) {
         RightTriangle(p, 3, Ink::Blue);
         p.Box(11, 3, 2, 11, Ink::Dark, Ink::Dark);
       }},
  };
  return drawings;
}

}  // namespace

QIcon PlayerPicture(const QString& name) {
  const auto it = Drawings().find(name);
  return it == Drawings().end() ? QIcon() : MakePictureIcon(*it);
}
