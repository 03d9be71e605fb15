// Opening input files and turning rasters into RGBA bytes.

#include <new>

#include "CliCommon.h"
#include "model/Errors.h"
#include "model/FileIO.h"
#include "model/GraphUtils.h"
#include "model/PictureFacts.h"
#include "model/WorkImages.h"

namespace {

// Runs `read`, turning the model's failures into failures to read `path`.
template <typename TRead>
auto Reading(const std::string& path, TRead read) {
  try {
    return read();
  } catch (const EVelmoraError& e) {
    throw EFileError(path, e.what());
  } catch (const std::bad_alloc&) {
    throw EFileError(path, "Not enough memory to read the file.");
  }
}

}  // namespace

TDocument OpenInput(const std::string& path) {
  return Reading(path, [&] { return OpenDocument(path); });
}

std::optional<TPictureFacts> ProbeInput(const std::string& path) {
  return Reading(path, [&] { return ProbePictureFile(path); });
}

std::string RasterToRgba(const TSelectBitmap& raster) {
  // 32-bit images carry their own alpha; others show the key colour as transparent.
  const bool alpha = raster.GetBitCount() == 32;
  const bool transparent = raster.GetTransparent();
  const TPixel key = ColorToPixel(raster.GetTransparentColor());
  const TSurface& image = raster.Image();
  std::string rgba(size_t(image.Width()) * size_t(image.Height()) * 4, '\0');
  char* out = rgba.data();
  for (int y = 0; y < image.Height(); ++y) {
    const TPixel* row = image.Row(y);
    for (int x = 0; x < image.Width(); ++x, out += 4) {
      const TPixel p = row[x] & 0xFFFFFF;
      out[0] = char(p >> 16);
      out[1] = char(p >> 8);
      out[2] = char(p);
      out[3] = char(alpha ? AlphaOf(row[x]) : transparent && p == key ? 0 : 255);
    }
  }
  return rgba;
}
