// Command icons of the File, Edit and Help menus.

#include "controls/PicturesTable.h"

namespace Pictures::Detail {

namespace {

void Page(TPixelPainter& p, int x, int y) {
  p.Polygon({{x, y}, {x + 7, y}, {x + 10, y + 3}, {x + 10, y + 13}, {x, y + 13}}, Ink::Dark,
            Ink::Paper);
  p.Lines({{x + 7, y}, {x + 7, y + 3}, {x + 10, y + 3}}, Ink::Dark);
}

void Floppy(TPixelPainter& p) {
  p.Box(1, 1, 14, 14, Ink::Navy, Ink::Blue);
  p.Box(4, 1, 8, 5, Ink::Navy, Ink::Paper);
  p.Fill(9, 2, 2, 3, Ink::Navy);
  p.Box(3, 9, 10, 6, Ink::Navy, Ink::Light);
}

void RedCross(TPixelPainter& p, int x, int y) {
  p.Line(x, y, x + 5, y + 5, Ink::Red);
  p.Line(x + 1, y, x + 5, y + 4, Ink::Red);
  p.Line(x + 5, y, x, y + 5, Ink::Red);
  p.Line(x + 4, y, x, y + 4, Ink::Red);
}

void CurvedArrow(TPixelPainter& p, bool left) {
  const auto X = [left](int x) { return left ? x : 15 - x; };
  p.Lines({{X(3), 7}, {X(5), 5}, {X(10), 5}, {X(13), 8}, {X(13), 10}, {X(11), 12}}, Ink::Blue);
  p.Lines({{X(3), 8}, {X(5), 6}, {X(10), 6}, {X(12), 8}, {X(12), 10}, {X(10), 12}}, Ink::Blue);
  p.Polygon({{X(1), 7}, {X(6), 2}, {X(6), 11}}, Ink::Navy, Ink::Blue);
}

}  // namespace

void AddFileIcons(TIconTable& t) {
  t["NewImageAct"] = [](TPixelPainter& p) { Page(p, 3, 1); };
  t["PictureOpen"] = [](TPixelPainter& p) {
    p.Box(1, 3, 12, 11, Ink::Brown, Ink::Yellow);
    p.Fill(1, 2, 5, 1, Ink::Brown);
    p.Polygon({{3, 7}, {15, 7}, {12, 13}, {1, 13}}, Ink::Brown, Ink::Orange);
  };
  t["SaveAct"] = Floppy;
  t["SaveAsAct"] = [](TPixelPainter& p) {
    Floppy(p);
    p.Line(9, 14, 15, 8, Ink::Dark);
    p.Line(10, 14, 15, 9, Ink::Yellow);
  };
  t["CloseAct"] = [](TPixelPainter& p) {
    Page(p, 2, 1);
    RedCross(p, 9, 9);
  };
  t["CloseAllAct"] = [](TPixelPainter& p) {
    Page(p, 4, 0);
    Page(p, 1, 2);
    RedCross(p, 9, 9);
  };
  t["ExitAct"] = [](TPixelPainter& p) {
    p.Box(2, 1, 8, 14, Ink::Dark, Ink::Brown);
    p.Pixel(7, 8, Ink::Yellow);
    p.Lines({{9, 8}, {15, 8}}, Ink::Green);
    p.Polygon({{15, 8}, {12, 5}, {12, 11}}, Ink::Green, Ink::Green);
  };
  t["CleanupMRUAct"] = [](TPixelPainter& p) {
    for (int y : {3, 7, 11}) p.Fill(2, y, 8, 2, Ink::Gray);
    RedCross(p, 10, 9);
  };
  t["UndoAct"] = [](TPixelPainter& p) { CurvedArrow(p, true); };
  t["RedoAct"] = [](TPixelPainter& p) { CurvedArrow(p, false); };
  t["Contents1"] = [](TPixelPainter& p) {
    p.Box(2, 1, 12, 14, Ink::Navy, Ink::Blue);
    p.Fill(4, 1, 1, 14, Ink::Navy);
    p.Fill(6, 4, 6, 2, Ink::Paper);
  };
  t["Index1"] = [](TPixelPainter& p) {
    p.Box(2, 1, 12, 14, Ink::Dark, Ink::Paper);
    for (int y : {4, 7, 10}) {
      p.Pixel(4, y, Ink::Blue);
      p.Fill(6, y, 6, 1, Ink::Dark);
    }
  };
  t["Welcome1"] = [](TPixelPainter& p) {
    p.Ellipse(1, 1, 14, 14, Ink::Navy, Ink::Blue);
    p.Fill(7, 4, 2, 2, Ink::Paper);
    p.Fill(7, 7, 2, 5, Ink::Paper);
  };
  t["About1"] = [](TPixelPainter& p) {
    p.Ellipse(1, 1, 14, 14, Ink::Teal, Ink::Paper);
    p.Fill(7, 4, 2, 2, Ink::Teal);
    p.Fill(7, 7, 2, 5, Ink::Teal);
  };
  t["Options1"] = [](TPixelPainter& p) {
    for (int x : {3, 8, 12}) p.Fill(x, 2, 1, 12, Ink::Gray);
    p.Box(2, 9, 3, 3, Ink::Dark, Ink::Blue);
    p.Box(7, 4, 3, 3, Ink::Dark, Ink::Blue);
    p.Box(11, 7, 3, 3, Ink::Dark, Ink::Blue);
  };
}

}  // namespace Pictures::Detail
