// Icons of the drawing and selection tools, the shape styles and the selection modes.

#include "controls/PicturesTable.h"

namespace Pictures::Detail {

namespace {

void Pencil(TPixelPainter& p) {
  p.Polygon({{1, 14}, {2, 11}, {11, 2}, {13, 4}, {4, 13}}, Ink::Dark, Ink::Yellow);
  p.Line(11, 2, 13, 4, Ink::Red);
  p.Pixel(1, 14, Ink::Dark);
}

void Dropper(TPixelPainter& p) {
  p.Line(2, 13, 9, 6, Ink::Dark);
  p.Line(3, 13, 10, 6, Ink::Dark);
  p.Polygon({{9, 4}, {12, 1}, {14, 3}, {11, 6}}, Ink::Dark, Ink::Dark);
}

void CentreDot(TPixelPainter& p) {
  p.Fill(7, 7, 2, 2, Ink::Red);
}

void TwoRects(TPixelPainter& p, const QColor& a, const QColor& b, const QColor& both) {
  p.Box(1, 1, 9, 9, Ink::Dark, a);
  p.Box(6, 6, 9, 9, Ink::Dark, b);
  if (both.isValid()) p.Fill(7, 7, 2, 2, both);
}

}  // namespace

void AddToolIcons(TIconTable& t) {
  t["Select1"] = [](TPixelPainter& p) {
    p.DashBox(1, 1, 12, 10, Ink::Dark);
    p.Polygon({{8, 7}, {8, 15}, {10, 13}, {12, 15}, {13, 14}, {11, 12}, {14, 11}}, Ink::Dark,
              Ink::Paper);
  };
  t["Magicwand1"] = [](TPixelPainter& p) {
    p.Line(2, 14, 10, 6, Ink::Dark);
    p.Line(3, 14, 11, 6, Ink::Brown);
    p.Lines({{12, 1}, {12, 7}}, Ink::Yellow);
    p.Lines({{9, 4}, {15, 4}}, Ink::Yellow);
    p.Pixel(12, 4, Ink::Orange);
  };
  t["Pencil1"] = Pencil;
  t["Fill1"] = [](TPixelPainter& p) {
    p.Polygon({{2, 7}, {7, 2}, {12, 7}, {7, 12}}, Ink::Dark, Ink::Light);
    p.Polygon({{2, 7}, {12, 7}, {7, 12}}, Ink::Dark, Ink::Blue);
    p.Fill(13, 8, 2, 5, Ink::Blue);
  };
  t["Line1"] = [](TPixelPainter& p) { p.Line(2, 13, 13, 2, Ink::Dark); };
  t["Rectangle1"] = [](TPixelPainter& p) { p.Box(2, 3, 12, 10, Ink::Dark); };
  t["Ellipse1"] = [](TPixelPainter& p) { p.Ellipse(1, 3, 14, 10, Ink::Dark); };
  t["CenterRectAct1"] = [](TPixelPainter& p) {
    p.Box(2, 3, 12, 10, Ink::Dark);
    CentreDot(p);
  };
  t["Centerellipse1"] = [](TPixelPainter& p) {
    p.Ellipse(1, 3, 14, 10, Ink::Dark);
    CentreDot(p);
  };
  t["Text1"] = [](TPixelPainter& p) {
    p.Lines({{3, 14}, {7, 2}, {8, 2}, {12, 14}}, Ink::Dark);
    p.Lines({{4, 14}, {7, 4}}, Ink::Dark);
    p.Fill(5, 9, 6, 1, Ink::Dark);
  };
  t["Settransparentcolor1"] = [](TPixelPainter& p) {
    p.Checker(8, 8, 8, 8, Ink::Paper, Ink::Light);
    Dropper(p);
  };
  t["ctOutlineBtn"] = [](TPixelPainter& p) { p.Box(2, 3, 12, 10, Ink::Dark); };
  t["ctOutFillBtn"] = [](TPixelPainter& p) { p.Box(2, 3, 12, 10, Ink::Dark, Ink::Teal); };
  t["ctFillOnlyBtn"] = [](TPixelPainter& p) { p.Fill(2, 3, 12, 10, Ink::Teal); };
  t["PoorSelBtn"] = [](TPixelPainter& p) {
    p.Fill(3, 3, 10, 10, Ink::Blue);
    p.DashBox(2, 2, 12, 12, Ink::Dark);
  };
  t["AddSelBtn"] = [](TPixelPainter& p) { TwoRects(p, Ink::Blue, Ink::Blue, Ink::Blue); };
  t["SubSelBtn"] = [](TPixelPainter& p) {
    TwoRects(p, Ink::Blue, Ink::Paper, {});
    p.Fill(7, 7, 7, 7, Ink::Paper);
  };
  t["XorSelBtn"] = [](TPixelPainter& p) {
    TwoRects(p, Ink::Blue, Ink::Blue, {});
    p.Fill(7, 7, 2, 2, Ink::Paper);
  };
}

void AddFrameIcons(TIconTable& t) {
  const auto film = [](TPixelPainter& p) {
    p.Box(1, 2, 10, 12, Ink::Dark, Ink::Gray);
    for (int y = 3; y < 13; y += 3) p.Pixel(2, y, Ink::Paper);
    p.Box(4, 4, 5, 8, Ink::Dark, Ink::Paper);
  };
  t["AddFrameAct"] = [film](TPixelPainter& p) {
    film(p);
    p.Fill(10, 10, 5, 1, Ink::Green);
    p.Fill(12, 8, 1, 5, Ink::Green);
  };
  t["InsertFrameAct"] = [film](TPixelPainter& p) {
    film(p);
    p.Polygon({{15, 5}, {11, 8}, {15, 11}}, Ink::Green, Ink::Green);
  };
  t["DelFrameAct"] = [film](TPixelPainter& p) {
    film(p);
    p.Line(10, 8, 14, 12, Ink::Red);
    p.Line(14, 8, 10, 12, Ink::Red);
  };
  t["MovieAct"] = [](TPixelPainter& p) {
    p.Polygon({{4, 2}, {13, 8}, {4, 14}}, Ink::Dark, Ink::Green);
  };
  t["ApplyAct"] = [](TPixelPainter& p) {
    p.Lines({{2, 8}, {6, 12}, {13, 3}}, Ink::Green);
    p.Lines({{2, 9}, {6, 13}, {14, 3}}, Ink::Green);
  };
  t["CancelAct"] = [](TPixelPainter& p) {
    p.Ellipse(2, 2, 12, 12, Ink::Blue);
    p.Erase(1, 5, 4, 4);
    p.Polygon({{1, 3}, {5, 7}, {1, 7}}, Ink::Blue, Ink::Blue);
  };
  t["ChgTranspAct"] = [](TPixelPainter& p) {
    p.Checker(2, 2, 12, 12, Ink::Paper, Ink::Light);
    p.Box(1, 1, 14, 14, Ink::Dark);
  };
}

}  // namespace Pictures::Detail
