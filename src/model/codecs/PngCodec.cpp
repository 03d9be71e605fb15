#include "model/codecs/PngCodec.h"

#include <cstring>
#include <string>

#include <png.h>

#include "model/Errors.h"

// libpng's simplified interface runs every step under its own setjmp and reports failures as a
// return value with a message, so no jump ever crosses a C++ frame here.

namespace {

// Frees libpng's state on every path, also when an exception leaves the function.
struct TPngImage {
  png_image Image;
  TPngImage() {
    std::memset(&Image, 0, sizeof Image);
    Image.version = PNG_IMAGE_VERSION;
  }
  ~TPngImage() { png_image_free(&Image); }
};

[[noreturn]] void Fail(const png_image& image, const char* fallback) {
  std::string message = image.message[0] ? image.message : fallback;
  if (!message.empty() && message.back() != '.') message += '.';
  throw EVelmoraError("PNG error: " + message);
}

}  // namespace

bool HasPngSignature(const uint8_t* data, size_t size) {
  return size >= 8 && png_sig_cmp(data, 0, 8) == 0;
}

TRgbaImage ReadPng(const uint8_t* data, size_t size, int64_t maxPixels) {
  if (!HasPngSignature(data, size)) throw EVelmoraError("Not a PNG image.");
  TPngImage png;
  if (!png_image_begin_read_from_memory(&png.Image, data, size))
    Fail(png.Image, "cannot read the header");
  CheckSurfaceSize(png.Image.width, png.Image.height);
  if (int64_t(png.Image.width) * png.Image.height > maxPixels)
    throw EVelmoraError("The PNG image is too large.");
  png.Image.format = PNG_FORMAT_RGBA;
  TRgbaImage result;
  result.Width = int(png.Image.width);
  result.Height = int(png.Image.height);
  result.Ticket = TBudgetTicket(int64_t(PNG_IMAGE_SIZE(png.Image)));
  result.Rgba.resize(PNG_IMAGE_SIZE(png.Image));
  if (!png_image_finish_read(&png.Image, nullptr, result.Rgba.data(), 0, nullptr))
    Fail(png.Image, "cannot read the pixels");
  return result;
}

TBytes WritePng(int width, int height, const uint8_t* rgba) {
  if (width <= 0 || height <= 0) throw EVelmoraError("Cannot save an empty image.");
  TPngImage png;
  png.Image.width = png_uint_32(width);
  png.Image.height = png_uint_32(height);
  png.Image.format = PNG_FORMAT_RGBA;
  png_alloc_size_t size = 0;
  if (!png_image_write_get_memory_size(png.Image, size, 0, rgba, 0, nullptr))
    Fail(png.Image, "cannot encode the image");
  TBytes out(size);
  if (!png_image_write_to_memory(&png.Image, out.data(), &size, 0, rgba, 0, nullptr))
    Fail(png.Image, "cannot encode the image");
  out.resize(size);
  return out;
}
