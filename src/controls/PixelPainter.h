#pragma once
// Drawing of the program's own pictures on a pixel raster: every coordinate names a whole pixel of
// the picture's own size (16 x 16 for icons), and pictures are rendered again at twice the
// resolution for high-density screens, so both stay crisp.

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QPainter>
#include <functional>
#include <initializer_list>

namespace Ink {
inline const QColor Dark{48, 48, 48};
inline const QColor Gray{128, 128, 128};
inline const QColor Light{208, 208, 208};
inline const QColor Paper{Qt::white};
inline const QColor Blue{42, 111, 214};
inline const QColor Navy{20, 50, 130};
inline const QColor Red{208, 48, 48};
inline const QColor Green{46, 154, 62};
inline const QColor Yellow{240, 192, 32};
inline const QColor Orange{230, 130, 30};
inline const QColor Teal{0, 128, 128};
inline const QColor Purple{140, 60, 170};
inline const QColor Brown{150, 100, 50};
}  // namespace Ink

class TPixelPainter {
 public:
  explicit TPixelPainter(QPainter& painter) : p_(painter) {}

  QPainter& Painter() { return p_; }
  void Pixel(int x, int y, const QColor& c) { p_.fillRect(x, y, 1, 1, c); }
  void Fill(int x, int y, int w, int h, const QColor& c) { p_.fillRect(x, y, w, h, c); }
  // Makes pixels transparent again.
  void Erase(int x, int y, int w, int h) {
    p_.save();
    p_.setCompositionMode(QPainter::CompositionMode_Clear);
    p_.fillRect(x, y, w, h, Qt::black);
    p_.restore();
  }
  // A rectangle covering pixels x .. x+w-1, y .. y+h-1 with a one-pixel outline.
  void Box(int x, int y, int w, int h, const QColor& outline, const QColor& fill = {});
  // A dashed rectangle outline (two pixels on, two off).
  void DashBox(int x, int y, int w, int h, const QColor& on, const QColor& off = {});
  // A one-pixel line through the pixel centres of both ends.
  void Line(int x1, int y1, int x2, int y2, const QColor& c);
  void Lines(std::initializer_list<QPoint> points, const QColor& c);
  // Ellipse inscribed in the pixel rectangle, with outline and optional fill.
  void Ellipse(int x, int y, int w, int h, const QColor& outline, const QColor& fill = {});
  void Polygon(std::initializer_list<QPoint> points, const QColor& outline, const QColor& fill);
  // A small square of each colour side by side: a quick palette or swatch row.
  void Checker(int x, int y, int w, int h, const QColor& a, const QColor& b);

 private:
  QPainter& p_;
};

using TPictureDraw = std::function<void(TPixelPainter&)>;

// Renders a picture of `size` logical pixels at the given scale onto a transparent image.
QImage RenderPicture(const TPictureDraw& draw, QSize size, int scale);
// An icon holding the picture at 1x and 2x.
QIcon MakePictureIcon(const TPictureDraw& draw, QSize size = {16, 16});
