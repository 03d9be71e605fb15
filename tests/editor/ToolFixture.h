#pragma once
// A main window with one picture open at 800% and helpers that drive the zoom box as a user
// would: presses, moves (with modifiers) and releases on image pixels.

#include <QTest>

#include "documents/DocWinFixture.h"
#include "model/WorkImage.h"
#include "render/ColorMath.h"

constexpr TColor Red = MakeColor(255, 0, 0);
constexpr TColor Green = MakeColor(0, 255, 0);
constexpr TColor Blue = MakeColor(0, 0, 255);

class ToolTest : public DocWinTest {
 protected:
  // Opens the picture at 800% with no scrolling, so image pixel (x, y) is zoom box cell (x, y).
  std::unique_ptr<TMainForm> OpenAt800(const QString& path) {
    auto form = Start();
    form->Editor().View().ZoomCombo->setCurrentIndex(3);
    EXPECT_TRUE(form->Files().TryOpenFile(path));
    Settle();
    return form;
  }

  std::unique_ptr<TMainForm> OpenWhite(int w = 20, int h = 20, int bits = 24) {
    return OpenAt800(MakeBitmap("white.bmp", w, h, bits));
  }

  // The middle of the cell that shows image pixel (x, y).
  static QPoint Cell(int x, int y) { return {x * 8 + 4, y * 8 + 4}; }

  static void Press(TMainForm& form, TPoint p, Qt::MouseButton b = Qt::LeftButton,
                    Qt::KeyboardModifiers m = Qt::NoModifier) {
    QTest::mousePress(form.Editor().View().ZoomBox, b, m, Cell(p.X, p.Y));
  }
  static void MoveTo(TMainForm& form, QPoint at, Qt::KeyboardModifiers m = Qt::NoModifier) {
    QTest::mouseEvent(QTest::MouseMove, form.Editor().View().ZoomBox, Qt::NoButton, m, at);
  }
  static void Move(TMainForm& form, TPoint p, Qt::KeyboardModifiers m = Qt::NoModifier) {
    MoveTo(form, Cell(p.X, p.Y), m);
  }
  static void Release(TMainForm& form, TPoint p, Qt::MouseButton b = Qt::LeftButton,
                      Qt::KeyboardModifiers m = Qt::NoModifier) {
    QTest::mouseRelease(form.Editor().View().ZoomBox, b, m, Cell(p.X, p.Y));
  }
  // Press at `from`, move through the pixel beside it to `to`, release there.
  static void Drag(TMainForm& form, TPoint from, TPoint to, Qt::MouseButton b = Qt::LeftButton,
                   Qt::KeyboardModifiers m = Qt::NoModifier) {
    Press(form, from, b, m);
    Move(form, {from.X + (to.X > from.X ? 1 : 0), from.Y}, m);
    Move(form, to, m);
    Release(form, to, b, m);
  }
  static void Click(TMainForm& form, TPoint p, Qt::MouseButton b = Qt::LeftButton,
                    Qt::KeyboardModifiers m = Qt::NoModifier) {
    Press(form, p, b, m);
    Release(form, p, b, m);
  }

  static TColor Pixel(const TSelectBitmap& image, int x, int y) {
    return PixelToColor(image.Image().Pixel(x, y));
  }
  static TColor ImagePixel(TMainForm& form, int x, int y) {
    return Pixel(*form.Editor().Session().CurrentImage(), x, y);
  }
  // The pixels of the current image equal to `c`, as "x,y" texts in row order.
  static QStringList PixelsOf(TMainForm& form, TColor c) {
    QStringList found;
    const TSurface& image = form.Editor().Session().CurrentImage()->Image();
    for (int y = 0; y < image.Height(); ++y)
      for (int x = 0; x < image.Width(); ++x)
        if (PixelToColor(image.Pixel(x, y)) == c) found << QString("%1,%2").arg(x).arg(y);
    return found;
  }
  // The selected pixels of a mask shown at no offset, as "x,y" texts in row order.
  static QStringList Selected(const TMaskSurface& mask) {
    QStringList found;
    for (int y = 0; y < mask.Height(); ++y)
      for (int x = 0; x < mask.Width(); ++x)
        if (mask.IsSelected(x, y)) found << QString("%1,%2").arg(x).arg(y);
    return found;
  }
  // The "x,y" texts of every pixel of the rectangle, in row order.
  static QStringList Block(int left, int top, int right, int bottom) {
    QStringList found;
    for (int y = top; y <= bottom; ++y)
      for (int x = left; x <= right; ++x) found << QString("%1,%2").arg(x).arg(y);
    return found;
  }
  static int UndoDepth(TMainForm& form) {
    return int(form.Editor().Session().CurrentImage()->UndoStack.Count());
  }
};
