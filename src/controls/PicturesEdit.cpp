// Command icons of the Edit and View menus.

#include "controls/PicturesTable.h"

namespace Pictures::Detail {

namespace {

void SmallPage(TPixelPainter& p, int x, int y) {
  p.Box(x, y, 8, 10, Ink::Dark, Ink::Paper);
}

void Magnifier(TPixelPainter& p) {
  p.Ellipse(1, 1, 10, 10, Ink::Dark, Ink::Paper);
  p.Line(9, 9, 14, 14, Ink::Dark);
  p.Line(10, 9, 14, 13, Ink::Dark);
  p.Line(9, 10, 13, 14, Ink::Dark);
}

void Marquee(TPixelPainter& p, int phase) {
  p.Fill(2, 2, 12, 12, Ink::Paper);
  p.DashBox(2, 2, 12, 12, Ink::Dark);
  if (phase > 0) p.Fill(2 + phase * 3, 2, 2, 1, Ink::Blue);  // the marching ants move on
}

}  // namespace

void AddEditIcons(TIconTable& t) {
  t["CutAct"] = [](TPixelPainter& p) {
    p.Line(4, 1, 10, 10, Ink::Dark);
    p.Line(11, 1, 5, 10, Ink::Dark);
    p.Ellipse(1, 9, 6, 6, Ink::Red);
    p.Ellipse(9, 9, 6, 6, Ink::Red);
  };
  t["CopyAct"] = [](TPixelPainter& p) {
    SmallPage(p, 1, 1);
    SmallPage(p, 6, 5);
    p.Fill(8, 8, 4, 1, Ink::Gray);
    p.Fill(8, 10, 4, 1, Ink::Gray);
  };
  t["PasteAct"] = [](TPixelPainter& p) {
    p.Box(1, 2, 11, 13, Ink::Brown, Ink::Orange);
    p.Box(4, 1, 5, 3, Ink::Dark, Ink::Light);
    SmallPage(p, 7, 6);
  };
  t["SelectAllAct"] = [](TPixelPainter& p) {
    p.Fill(2, 2, 12, 12, Ink::Blue);
    p.DashBox(1, 1, 14, 14, Ink::Dark);
  };
  t["UnselectAct"] = [](TPixelPainter& p) {
    p.DashBox(1, 1, 14, 14, Ink::Gray);
    p.Line(4, 4, 11, 11, Ink::Red);
    p.Line(11, 4, 4, 11, Ink::Red);
  };
  t["FillSelectionAct"] = [](TPixelPainter& p) {
    p.Fill(3, 3, 10, 10, Ink::Green);
    p.DashBox(2, 2, 12, 12, Ink::Dark);
  };
  t["DelSelctionAct"] = [](TPixelPainter& p) {
    p.DashBox(2, 2, 12, 12, Ink::Dark);
    p.Fill(3, 3, 10, 10, Ink::Paper);
    p.Line(5, 5, 10, 10, Ink::Red);
    p.Line(10, 5, 5, 10, Ink::Red);
  };
  t["ZoomInAct"] = [](TPixelPainter& p) {
    Magnifier(p);
    p.Fill(4, 6, 5, 1, Ink::Dark);
    p.Fill(6, 4, 1, 5, Ink::Dark);
  };
  t["ZoomOutAct"] = [](TPixelPainter& p) {
    Magnifier(p);
    p.Fill(4, 6, 5, 1, Ink::Dark);
  };
  t["ToggleGridAct"] = [](TPixelPainter& p) {
    p.Fill(1, 1, 14, 14, Ink::Paper);
    for (int i = 1; i <= 15; i += 7) {
      p.Fill(i, 1, 1, 15, Ink::Gray);
      p.Fill(1, i, 15, 1, Ink::Gray);
    }
    for (int i = 4; i < 15; i += 7) {
      p.Fill(i, 1, 1, 15, Ink::Light);
      p.Fill(1, i, 15, 1, Ink::Light);
    }
  };
  t["ToggleSelectAct"] = [](TPixelPainter& p) { Marquee(p, 0); };
  t["ToggleSelectAct1"] = [](TPixelPainter& p) { Marquee(p, 1); };
  t["ToggleSelectAct2"] = [](TPixelPainter& p) { Marquee(p, 2); };
  t["GoParentAct"] = [](TPixelPainter& p) {
    for (int x : {1, 6, 11}) p.Box(x, 9, 4, 5, Ink::Dark, Ink::Light);
    p.Fill(7, 2, 2, 6, Ink::Green);
    p.Polygon({{8, 0}, {4, 4}, {11, 4}}, Ink::Green, Ink::Green);
  };
  t["PropEditAct"] = [](TPixelPainter& p) {
    p.Box(1, 2, 14, 12, Ink::Dark, Ink::Paper);
    p.Fill(2, 3, 12, 2, Ink::Blue);
    for (int y : {7, 10}) {
      p.Fill(3, y, 4, 1, Ink::Dark);
      p.Box(8, y - 1, 5, 3, Ink::Gray);
    }
  };
}

}  // namespace Pictures::Detail
