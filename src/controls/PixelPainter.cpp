#include "controls/PixelPainter.h"

#include <QPainterPath>

void TPixelPainter::Box(int x, int y, int w, int h, const QColor& outline, const QColor& fill) {
  if (fill.isValid()) p_.fillRect(x + 1, y + 1, w - 2, h - 2, fill);
  p_.fillRect(x, y, w, 1, outline);
  p_.fillRect(x, y + h - 1, w, 1, outline);
  p_.fillRect(x, y, 1, h, outline);
  p_.fillRect(x + w - 1, y, 1, h, outline);
}

void TPixelPainter::DashBox(int x, int y, int w, int h, const QColor& on, const QColor& off) {
  int step = 0;
  const auto dot = [&](int px, int py) {
    const bool lit = (step++ / 2) % 2 == 0;
    if (lit)
      Pixel(px, py, on);
    else if (off.isValid())
      Pixel(px, py, off);
  };
  for (int i = 0; i < w - 1; ++i) dot(x + i, y);
  for (int i = 0; i < h - 1; ++i) dot(x + w - 1, y + i);
  for (int i = 0; i < w - 1; ++i) dot(x + w - 1 - i, y + h - 1);
  for (int i = 0; i < h - 1; ++i) dot(x, y + h - 1 - i);
}

void TPixelPainter::Line(int x1, int y1, int x2, int y2, const QColor& c) {
  // Bresenham on the picture's own pixels keeps lines equally crisp at every scale.
  const int dx = std::abs(x2 - x1), dy = -std::abs(y2 - y1);
  const int sx = x1 < x2 ? 1 : -1, sy = y1 < y2 ? 1 : -1;
  int err = dx + dy;
  for (;;) {
    Pixel(x1, y1, c);
    if (x1 == x2 && y1 == y2) break;
    const int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x1 += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y1 += sy;
    }
  }
}

void TPixelPainter::Lines(std::initializer_list<QPoint> points, const QColor& c) {
  const QPoint* prev = nullptr;
  for (const QPoint& pt : points) {
    if (prev) Line(prev->x(), prev->y(), pt.x(), pt.y(), c);
    prev = &pt;
  }
}

void TPixelPainter::Ellipse(int x, int y, int w, int h, const QColor& outline, const QColor& fill) {
  // Pixels whose centre lies inside the ellipse are filled; those on its rim form the outline.
  const double cx = x + w / 2.0, cy = y + h / 2.0, rx = w / 2.0, ry = h / 2.0;
  const auto inside = [&](double px, double py) {
    const double nx = (px - cx) / rx, ny = (py - cy) / ry;
    return nx * nx + ny * ny <= 1.0;
  };
  for (int py = y; py < y + h; ++py) {
    for (int px = x; px < x + w; ++px) {
      if (!inside(px + 0.5, py + 0.5)) continue;
      const bool rim = !inside(px - 0.5, py + 0.5) || !inside(px + 1.5, py + 0.5) ||
                       !inside(px + 0.5, py - 0.5) || !inside(px + 0.5, py + 1.5);
      if (rim)
        Pixel(px, py, outline);
      else if (fill.isValid())
        Pixel(px, py, fill);
    }
  }
}

void TPixelPainter::Polygon(std::initializer_list<QPoint> points, const QColor& outline,
                            const QColor& fill) {
  if (fill.isValid()) {
    QPolygonF poly;
    for (const QPoint& pt : points) poly << QPointF(pt.x() + 0.5, pt.y() + 0.5);
    p_.save();
    p_.setRenderHint(QPainter::Antialiasing, false);
    p_.setPen(Qt::NoPen);
    p_.setBrush(fill);
    p_.drawPolygon(poly);
    p_.restore();
  }
  const QPoint* first = nullptr;
  const QPoint* prev = nullptr;
  for (const QPoint& pt : points) {
    if (!first) first = &pt;
    if (prev) Line(prev->x(), prev->y(), pt.x(), pt.y(), outline);
    prev = &pt;
  }
  if (first && prev) Line(prev->x(), prev->y(), first->x(), first->y(), outline);
}

void TPixelPainter::Checker(int x, int y, int w, int h, const QColor& a, const QColor& b) {
  for (int py = 0; py < h; ++py)
    for (int px = 0; px < w; ++px) Pixel(x + px, y + py, ((px / 2 + py / 2) % 2) ? b : a);
}

QImage RenderPicture(const TPictureDraw& draw, QSize size, int scale) {
  QImage image(size * scale, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  image.setDevicePixelRatio(scale);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing, false);
  TPixelPainter pixels(painter);
  draw(pixels);
  return image;
}

QIcon MakePictureIcon(const TPictureDraw& draw, QSize size) {
  QIcon icon;
  for (int scale : {1, 2}) icon.addPixmap(QPixmap::fromImage(RenderPicture(draw, size, scale)));
  return icon;
}
