#include "render/ImageConvert.h"

#include "model/SelectBitmap.h"
#include "render/ZoomRender.h"

QImage PictureImage(const TSelectBitmap& image, bool withLayer) {
  const TSurface& pixels = image.Image();
  QImage picture(pixels.Width(), pixels.Height(), QImage::Format_ARGB32_Premultiplied);
  if (picture.isNull()) return picture;
  const TPixelRows rows{reinterpret_cast<TPixel*>(picture.bits()), picture.width(),
                        picture.height(), picture.bytesPerLine() / 4};
  ComposePreview(image, pixels.Bounds(), withLayer, rows);
  return picture;
}
