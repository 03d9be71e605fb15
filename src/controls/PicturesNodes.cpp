// The navigator's node icons and the window icon.

#include "controls/Pictures.h"
#include "controls/PixelPainter.h"

namespace {

void Landscape(TPixelPainter& p, const QColor& sky) {
  p.Box(1, 2, 14, 12, Ink::Dark, sky);
  p.Polygon({{2, 12}, {6, 7}, {9, 10}, {11, 8}, {13, 12}}, Ink::Green, Ink::Green);
}

void DrawKind(TPixelPainter& p, int kind) {
  switch (kind) {
    case 1:  // animated GIF: a strip of frames
      p.Box(0, 3, 16, 10, Ink::Dark, Ink::Gray);
      for (int x : {1, 6, 11}) p.Box(x, 5, 4, 6, Ink::Dark, Ink::Yellow);
      break;
    case 2:  // JPEG: a photograph
      Landscape(p, QColor(150, 200, 240));
      p.Fill(11, 4, 2, 2, Ink::Yellow);
      break;
    case 3:  // image list: a row of tiles
      for (int x : {0, 4, 8, 12}) p.Box(x, 5, 4, 6, Ink::Dark, x % 8 ? Ink::Blue : Ink::Teal);
      break;
    case 4:  // bitmap: coarse pixels
      p.Box(1, 1, 14, 14, Ink::Dark, Ink::Paper);
      p.Checker(2, 2, 12, 12, Ink::Blue, Ink::Paper);
      break;
    case 5:  // GIF image: few colours
      Landscape(p, Ink::Paper);
      p.Fill(3, 4, 3, 3, Ink::Red);
      break;
    case 6:  // icon: a small window
      p.Box(2, 2, 12, 12, Ink::Dark, Ink::Paper);
      p.Fill(3, 3, 10, 2, Ink::Blue);
      p.Fill(5, 7, 6, 5, Ink::Teal);
      break;
    case 7:  // PNG picture: a soft shape over the transparency checks
      p.Box(1, 1, 14, 14, Ink::Dark, Ink::Paper);
      p.Checker(2, 2, 12, 12, Ink::Light, Ink::Paper);
      p.Fill(4, 5, 8, 6, Ink::Teal);
      p.Fill(5, 4, 6, 8, Ink::Teal);
      break;
    default:  // any other picture
      Landscape(p, Ink::Light);
      break;
  }
}

}  // namespace

namespace Pictures {

QImage NodeImage(int index, int scale) {
  const bool floating = index >= FloatingNodeOffset;
  const int kind = index % FloatingNodeOffset;
  return RenderPicture(
      [kind, floating](TPixelPainter& p) {
        DrawKind(p, kind);
        if (!floating) return;
        p.Fill(8, 8, 8, 8, Ink::Paper);  // marked: a floating selection over the picture
        p.DashBox(8, 8, 8, 8, Ink::Red);
        p.Fill(10, 10, 4, 4, Ink::Orange);
      },
      {16, 16}, scale);
}

QIcon NodeIcon(int index) {
  QIcon icon;
  if (index < 0 || index >= NodeIconCount) return icon;
  for (int scale : {1, 2}) icon.addPixmap(QPixmap::fromImage(NodeImage(index, scale)));
  return icon;
}

QIcon AppIcon() {
  const auto draw = [](TPixelPainter& p) {
    p.Box(1, 1, 14, 14, Ink::Navy, Ink::Paper);
    p.Checker(2, 2, 12, 12, QColor(200, 220, 250), Ink::Paper);
    p.Line(3, 12, 12, 3, Ink::Teal);
    p.Line(4, 12, 12, 4, Ink::Teal);
    p.Fill(11, 2, 3, 3, Ink::Red);
  };
  QIcon icon;
  for (int scale : {1, 2, 4})
    icon.addPixmap(QPixmap::fromImage(RenderPicture(draw, {16, 16}, scale)));
  return icon;
}

}  // namespace Pictures
