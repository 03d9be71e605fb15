// Feeds arbitrary bytes to the PNG reader: it must either decode them or throw EVelmoraError.
#include <cstddef>
#include <cstdint>

#include "model/Errors.h"
#include "model/codecs/PngCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    const TRgbaImage image = ReadPng(data, size);
    if (image.Rgba.size() != size_t(image.Width) * size_t(image.Height) * 4) __builtin_trap();
  } catch (const EVelmoraError&) {
  }
  return 0;
}
