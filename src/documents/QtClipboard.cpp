#include "documents/QtClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "model/Colors.h"

namespace {

constexpr uint32_t Opaque = 0xFF000000u;
// Pixels at least this opaque are pasted with their colour; the others count as not selected.
constexpr int AlphaThreshold = 128;

}  // namespace

QImage TQtClipboard::ToImage(const TSurface& surface) {
  QImage image(surface.Width(), surface.Height(), QImage::Format_ARGB32);
  for (int y = 0; y < surface.Height(); ++y) {
    const TPixel* src = surface.Row(y);
    auto* dst = reinterpret_cast<uint32_t*>(image.scanLine(y));
    for (int x = 0; x < surface.Width(); ++x) {
      const TPixel p = src[x] & 0xFFFFFFu;
      dst[x] = p == ClipboardKeyColor ? p : p | Opaque;  // the key keeps alpha 0
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
      dst[x] = qAlpha(src[x]) < AlphaThreshold ? ClipboardKeyColor : src[x] & 0xFFFFFFu;
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
