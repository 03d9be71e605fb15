// Opening input files and turning rasters into RGBA bytes.

#include <new>

#include "CliCommon.h"
#include "model/Errors.h"
#include "model/FileIO.h"
#include "model/GraphUtils.h"
#include "model/WorkImages.h"
#include "model/codecs/PngCodec.h"

TDocument OpenInput(const std::string& path) {
  try {
    return OpenDocument(path);
  } catch (const EVelmoraError& e) {
    throw EFileError(path, e.what());
  } catch (const std::bad_alloc&) {
    throw EFileError(path, "Not enough memory to read the file.");
  }
}

std::string RasterToRgba(const TSelectBitmap& raster) {
  // 32-bit images carry their own alpha; others show the key colour as transparent.
  const bool alpha = raster.GetBitCount() == 32;
  const bool transparent = raster.GetTransparent();
  const TPixel key = ColorToPixel(raster.GetTransparentColor());
  const TSurface& image = raster.Image();
  std::string rgba;
  rgba.reserve(size_t(image.Width()) * size_t(image.Height()) * 4);
  for (int y = 0; y < image.Height(); ++y) {
    const TPixel* row = image.Row(y);
    for (int x = 0; x < image.Width(); ++x) {
      const TPixel p = row[x] & 0xFFFFFF;
      rgba += char(p >> 16);
      rgba += char(p >> 8);
      rgba += char(p);
      rgba += char(alpha ? AlphaOf(row[x]) : transparent && p == key ? 0 : 255);
    }
  }
  return rgba;
}
