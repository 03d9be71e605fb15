// Feeds arbitrary bytes to the PNG document reader under a read budget, and writes back whatever
// it reads: reading must either succeed or throw EVelmoraError, and what it read must write and
// read again at its size and depth.
#include <cstddef>
#include <cstdint>

#include "model/Errors.h"
#include "model/ReadBudget.h"
#include "model/codecs/PngCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TDecodedPicture picture;
  try {
    const TReadBudget budget;  // as when a document is read
    picture = ReadPngPicture(data, size);
  } catch (const EVelmoraError&) {
    return 0;
  }
  if (picture.BitCount <= 8 && picture.Palette.size() > 256u) __builtin_trap();
  TPngPicture png;
  png.Image = &picture.Image;
  png.BitCount = picture.BitCount;
  png.Palette = picture.Palette;
  if (picture.Transparent) png.Key = picture.TransparentColor;
  const TBytes written = WritePngPicture(png);
  const TDecodedPicture again = ReadPngPicture(written.data(), written.size());
  if (again.Image.Width() != picture.Image.Width() || again.Image.Height() != picture.Image.Height() ||
      (again.BitCount != picture.BitCount && picture.BitCount > 8))
    __builtin_trap();
  return 0;
}
