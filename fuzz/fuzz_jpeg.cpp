// Feeds arbitrary bytes to the JPEG reader: it must either decode them or throw EVelmoraError.
#include <cstddef>
#include <cstdint>

#include "model/Errors.h"
#include "model/codecs/JpegCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    ReadJpeg(data, size);
  } catch (const EVelmoraError&) {
  }
  return 0;
}
