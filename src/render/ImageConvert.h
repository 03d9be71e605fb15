#pragma once
// Pictures of the model shown by Qt without converting pixel by pixel where it can be avoided.

#include <QImage>

#include "model/Surface.h"

class TSelectBitmap;

// A QImage over the surface's own rows (no copy); valid while the surface keeps its size.
inline QImage SurfaceView(const TSurface& surface) {
  return QImage(reinterpret_cast<const uchar*>(surface.Bits()), surface.Width(), surface.Height(),
                qsizetype(surface.Width()) * 4, QImage::Format_RGB32);
}

// The image at 1:1 as premultiplied ARGB: its transparent pixels are fully transparent, so the
// background shows through. With `withLayer` the floating layer is laid over at its offset.
QImage PictureImage(const TSelectBitmap& image, bool withLayer);
