#include "documents/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "model/Colors.h"

namespace {

}  // namespace

QImage TQtClipboard::ToImage(const TSurface& surface) {
  QImage image(surface.Width(), surface.Height(), QImage::Format_ARGB32);
  for (int y = 0; y < surface.Height(); ++y) {
    const TPixel* src = surface.Row(y);
    auto* dst = reinterpret_cast<uint32_t*>(image.scanLine(y));
    for (int x = 0; x < surface.Width(); ++x) {
      const TPixel p = src[x] & 0xFFFFFFu;
      // The key keeps alpha 0; other pixels carry their alpha (opaque below 32 bits).
      dst[x] = p == ClipboardKeyColor ? p : p | uint32_t(AlphaOf(src[x])) << 24;
    }
  }
  return image;
}

TSurface TQtClipboard::FromImage(const QImage& image) {
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  TSurface surface(argb.width(), argb.height());
  for (int y = 0; y < argb.height(); ++y) {
    const auto* src = reinterpret_cast<const uint32_t*>(argb.constScanLine(y));
    TPixel* dst = surface.Row(y);
    for (int x = 0; x < argb.width(); ++x)
      dst[x] = qAlpha(src[x]) == 0 ? ClipboardKeyColor : WithAlpha(src[x], qAlpha(src[x]));
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
  // Qt offers the image in every format it can write (PNG first) and converts only when another
  // program asks for one.
  QGuiApplication::clipboard()->setImage(ToImage(bitmap));
}
