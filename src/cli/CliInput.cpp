// Opening input files and turning rasters into RGBA bytes.

#include <new>

#include "CliCommon.h"
#include "model/Errors.h"
#include "model/FileIO.h"
#include "model/GraphUtils.h"
#include "model/PictureFacts.h"
#include "model/WorkImages.h"
#include "model/codecs/PngCodec.h"

namespace {

// A colour that no opaque pixel has, so transparent pixels can be told apart.
TColor FreeKeyColor(const TRgbaImage& png) {
  TColor key = IconTransparentColor;
  for (bool clash = true; clash;) {
    clash = false;
    for (size_t i = 0; i + 3 < png.Rgba.size(); i += 4)
      if (png.Rgba[i + 3] >= 128 && MakeColor(png.Rgba[i], png.Rgba[i + 1], png.Rgba[i + 2]) == key) {
        clash = true;
        key = (key + 1) & 0xFFFFFF;
        break;
      }
  }
  return key;
}

TDocument OpenPng(const std::string& path) {
  const TBytes bytes = ReadFileBytes(path);
  const TRgbaImage png = ReadPng(bytes.data(), bytes.size());
  TDecodedPicture pic;
  pic.Image = TSurface(png.Width, png.Height);
  const TColor key = FreeKeyColor(png);
  for (int y = 0; y < png.Height; ++y)
    for (int x = 0; x < png.Width; ++x) {
      const uint8_t* p = &png.Rgba[(size_t(y) * size_t(png.Width) + size_t(x)) * 4];
      const bool clear = p[3] < 128;
      pic.Transparent = pic.Transparent || clear;
      pic.Image.SetPixel(x, y, ColorToPixel(clear ? key : MakeColor(p[0], p[1], p[2])));
    }
  pic.TransparentColor = key;
  TDocument doc;
  doc.Image = std::make_unique<TWorkBitmap>();
  doc.Image->AssignPicture(pic);
  doc.Image->SetFileName(path);
  doc.Image->SetModified(false);
  return doc;
}

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
  return Reading(path, [&] {
    if (LowerExtension(path) == ".png") return OpenPng(path);
    return OpenDocument(path);
  });
}

std::optional<TPictureFacts> ProbeInput(const std::string& path) {
  return Reading(path, [&] { return ProbePictureFile(path); });
}

std::string RasterToRgba(const TSelectBitmap& raster) {
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
      out[3] = char(transparent && p == key ? 0 : 255);
    }
  }
  return rgba;
}
