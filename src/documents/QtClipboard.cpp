#include "documents/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <cstring>

QImage TQtClipboard::ToImage(const TSurface& surface) {
  QImage image(surface.Width(), surface.Height(), QImage::Format_RGB32);
  for (int y = 0; y < surface.Height(); ++y) {
    const TPixel* src = surface.Row(y);
    auto* dst = reinterpret_cast<uint32_t*>(image.scanLine(y));
    for (int x = 0; x < surface.Width(); ++x) dst[x] = src[x] | 0xFF000000u;
  }
  return image;
}

TSurface TQtClipboard::FromImage(const QImage& image) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
  TSurface surface(rgb.width(), rgb.height());
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* src = reinterpret_cast<const uint32_t*>(rgb.constScanLine(y));
    TPixel* dst = surface.Row(y);
    for (int x = 0; x < rgb.width(); ++x) dst[x] = src[x] & 0xFFFFFFu;
  }
  return surface;
}

bool TQtClipboard::HasBitmap() const {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  return data && data->hasImage();
}

std::optional<TSurface> TQtClipboard::GetBitmap() const {
  const QImage image = QGuiApplication::clipboard()->image();
  if (image.isNull()) return std::nullopt;
  CheckSurfaceSize(image.width(), image.height());
  return FromImage(image);
}

void TQtClipboard::SetBitmap(const TSurface& bitmap) {
  QGuiApplication::clipboard()->setImage(ToImage(bitmap));
}
