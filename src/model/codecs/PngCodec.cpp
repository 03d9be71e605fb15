#include "model/codecs/PngCodec.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>

#include <png.h>

#include "model/Errors.h"

// Reading uses libpng's simplified interface, which runs every step under its own setjmp and
// reports failures as a return value with a message. Writing needs the full interface to choose
// filters and compression; its error jumps land in EncodePng, which holds no object that needs
// destroying, and never cross a C++ frame.

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

// The state of one write. libpng reports errors through OnError, which keeps the message and
// jumps back into EncodePng.
struct TPngWriter {
  png_structp Png = nullptr;
  png_infop Info = nullptr;
  char Message[128] = "cannot encode the image.";

  TPngWriter() {
    Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, this, OnError, OnWarning);
    if (Png) Info = png_create_info_struct(Png);
  }
  ~TPngWriter() { png_destroy_write_struct(&Png, &Info); }

  static void OnError(png_structp png, png_const_charp message) {
    auto* self = static_cast<TPngWriter*>(png_get_error_ptr(png));
    std::snprintf(self->Message, sizeof self->Message, "%s.", message);
    png_longjmp(png, 1);
  }
  static void OnWarning(png_structp, png_const_charp) {}
};

void AppendData(png_structp png, png_bytep data, png_size_t size) {
  auto* out = static_cast<TBytes*>(png_get_io_ptr(png));
  bool full = false;
  try {
    out->insert(out->end(), data, data + size);
  } catch (const std::bad_alloc&) {
    full = true;
  }
  // The jump leaves only after the handler has finished.
  if (full) png_error(png, "not enough memory");
}

void FlushNothing(png_structp) {}

// Pictures of at most 256 colours (such as the frames of a GIF) come out smaller without row
// filters, since the filters turn their repeated colours into varied differences, and much
// faster; level 4 is where zlib's time drops steeply while the size stays within a few percent
// of level 6. Other pictures get libpng's adaptive filters at zlib's default level.
bool EncodePng(TPngWriter& w, TBytes& out, int width, int height, const uint8_t* rgba,
               bool fewColors) {
  if (setjmp(png_jmpbuf(w.Png))) return false;
  png_set_write_fn(w.Png, &out, AppendData, FlushNothing);
  png_set_IHDR(w.Png, w.Info, png_uint_32(width), png_uint_32(height), 8,
               PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_set_sRGB(w.Png, w.Info, PNG_sRGB_INTENT_PERCEPTUAL);
  if (fewColors) {
    png_set_filter(w.Png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_compression_level(w.Png, 4);
  }
  png_write_info(w.Png, w.Info);
  const size_t stride = size_t(width) * 4;
  for (int y = 0; y < height; ++y)
    png_write_row(w.Png, const_cast<png_bytep>(rgba + size_t(y) * stride));
  png_write_end(w.Png, nullptr);
  return true;
}

}  // namespace

bool HasPngSignature(const uint8_t* data, size_t size) {
  return size >= 8 && png_sig_cmp(data, 0, 8) == 0;
}

void CheckPngChunks(const uint8_t* data, size_t size) {
  size_t at = 8;
  while (size - at >= 8) {
    const uint32_t length = uint32_t(data[at]) << 24 | uint32_t(data[at + 1]) << 16 |
                            uint32_t(data[at + 2]) << 8 | data[at + 3];
    // Whatever follows the end chunk is not PNG's (icon entries may be handed on with the rest
    // of the file).
    if (std::memcmp(data + at + 4, "IEND", 4) == 0) return;
    const bool imageData = std::memcmp(data + at + 4, "IDAT", 4) == 0;
    if (length > size - at - 8) {
      if (imageData) return;
      throw EVelmoraError("PNG error: a chunk runs past the end of the file.");
    }
    at += 8 + size_t(length);
    at += std::min<size_t>(4, size - at);  // the checksum
  }
}

TRgbaImage ReadPng(const uint8_t* data, size_t size, int64_t maxPixels) {
  if (!HasPngSignature(data, size)) throw EVelmoraError("Not a PNG image.");
  CheckPngChunks(data, size);
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

TBytes WritePng(int width, int height, const uint8_t* rgba, bool fewColors) {
  if (width <= 0 || height <= 0) throw EVelmoraError("Cannot save an empty image.");
  CheckSurfaceSize(width, height);
  TBytes out;
  TPngWriter writer;
  if (!writer.Png || !writer.Info) throw EVelmoraError("Not enough memory to write the file.");
  if (!EncodePng(writer, out, width, height, rgba, fewColors))
    throw EVelmoraError(std::string("PNG error: ") + writer.Message);
  return out;
}
