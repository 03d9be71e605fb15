// Feeds arbitrary bytes to the BMP reader: it must either decode them or throw EVelmoraError.
#include <cstddef>
#include <cstdint>

#include "model/Errors.h"
#include "model/codecs/BmpCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    const TDecodedPicture picture = ReadBmp(data, size);
    if (picture.BitCount <= 8 && picture.Palette.size() > 256u) __builtin_trap();
  } catch (const EVelmoraError&) {
  }
  return 0;
}
