// Command icons of the Image and Colors menus.

#include "controls/PicturesTable.h"

namespace Pictures::Detail {

namespace {

// A small picture with a red marker in its top-left corner, to show orientation.
void Sample(TPixelPainter& p, int x, int y, int w, int h, int markX, int markY) {
  p.Box(x, y, w, h, Ink::Dark, Ink::Paper);
  p.Fill(markX, markY, 2, 2, Ink::Red);
}

void TurnArrow(TPixelPainter& p, bool clockwise) {
  const auto X = [clockwise](int x) { return clockwise ? x : 15 - x; };
  p.Lines({{X(8), 1}, {X(12), 1}, {X(14), 3}, {X(14), 7}}, Ink::Blue);
  p.Polygon({{X(12), 6}, {X(15), 6}, {X(14), 8}}, Ink::Blue, Ink::Blue);
}

void Swatch(TPixelPainter& p, int x, int y, const QColor& c) {
  p.Box(x, y, 8, 8, Ink::Dark, c);
}

}  // namespace

void AddImageIcons(TIconTable& t) {
  t["Rotate90Act"] = [](TPixelPainter& p) {
    Sample(p, 1, 5, 9, 10, 2, 6);
    TurnArrow(p, true);
  };
  t["Rotate90ccwAct"] = [](TPixelPainter& p) {
    Sample(p, 6, 5, 9, 10, 7, 6);
    TurnArrow(p, false);
  };
  t["Rotate180Act"] = [](TPixelPainter& p) {
    Sample(p, 3, 3, 10, 10, 10, 10);
    p.Lines({{1, 8}, {1, 1}, {8, 1}}, Ink::Blue);
    p.Lines({{14, 7}, {14, 14}, {7, 14}}, Ink::Blue);
  };
  t["HMirrorAct"] = [](TPixelPainter& p) {
    p.Polygon({{1, 3}, {6, 8}, {1, 13}}, Ink::Dark, Ink::Blue);
    p.Polygon({{14, 3}, {9, 8}, {14, 13}}, Ink::Dark, Ink::Paper);
    for (int y = 1; y < 16; y += 2) p.Pixel(7, y, Ink::Gray);
  };
  t["VMirrorAct"] = [](TPixelPainter& p) {
    p.Polygon({{3, 1}, {8, 6}, {13, 1}}, Ink::Dark, Ink::Blue);
    p.Polygon({{3, 14}, {8, 9}, {13, 14}}, Ink::Dark, Ink::Paper);
    for (int x = 1; x < 16; x += 2) p.Pixel(x, 7, Ink::Gray);
  };
  t["GrayscaleAct"] = [](TPixelPainter& p) {
    for (int i = 0; i < 4; ++i) p.Fill(1 + i * 3, 3, 3, 10, QColor::fromHsv(0, 0, 40 + i * 60));
    p.Box(1, 3, 13, 10, Ink::Dark);
  };
  t["GrayAndBlendAct"] = [](TPixelPainter& p) {
    for (int i = 0; i < 6; ++i)
      p.Fill(1 + i * 2, 3, 2, 10, QColor(40 + i * 30, 80 + i * 20, 200 - i * 5));
    p.Box(1, 3, 14, 10, Ink::Dark);
  };
  t["GetTranspColAct"] = [](TPixelPainter& p) {
    p.Checker(2, 2, 12, 12, Ink::Paper, Ink::Light);
    p.Box(1, 1, 14, 14, Ink::Dark);
  };
  t["GetInvColorAct"] = [](TPixelPainter& p) {
    p.Box(1, 1, 14, 14, Ink::Dark, Ink::Paper);
    p.Polygon({{2, 13}, {13, 2}, {13, 13}}, Ink::Dark, Ink::Dark);
  };
  t["SwapColors"] = [](TPixelPainter& p) {
    Swatch(p, 1, 1, Ink::Teal);
    Swatch(p, 7, 7, Ink::Paper);
    p.Lines({{11, 2}, {13, 2}, {13, 5}}, Ink::Dark);
    p.Lines({{2, 11}, {2, 13}, {5, 13}}, Ink::Dark);
  };
  t["PaletteEditorAct"] = [](TPixelPainter& p) {
    const QColor colors[] = {Ink::Red,    Ink::Yellow, Ink::Green, Ink::Blue,
                             Ink::Purple, Ink::Orange, Ink::Teal,  Ink::Dark};
    for (int i = 0; i < 8; ++i) p.Box(1 + (i % 4) * 3, 3 + (i / 4) * 4, 4, 5, Ink::Dark, colors[i]);
  };
  t["ToggleSmoothAct"] = [](TPixelPainter& p) {
    for (int x = 0; x < 12; ++x) p.Fill(2 + x, 4, 1, 8, QColor(0, 128 + x * 10, 128 + x * 10));
    p.Box(1, 3, 14, 10, Ink::Dark);
  };
  t["NextColAct"] = [](TPixelPainter& p) {
    p.Box(1, 4, 8, 8, Ink::Dark, Ink::Teal);
    p.Polygon({{10, 4}, {14, 8}, {10, 12}}, Ink::Dark, Ink::Green);
  };
  t["PrevColAct"] = [](TPixelPainter& p) {
    p.Box(7, 4, 8, 8, Ink::Dark, Ink::Teal);
    p.Polygon({{5, 4}, {1, 8}, {5, 12}}, Ink::Dark, Ink::Green);
  };
}

}  // namespace Pictures::Detail
