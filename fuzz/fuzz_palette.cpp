// Feeds arbitrary bytes to the palette reader: it must either read them or throw EVelmoraError,
// and what it reads must write back as the same leading bytes.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "model/Errors.h"
#include "model/Palette.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TPaletteRecord pal;
  try {
    ReadPaletteBytes(data, size, pal);
  } catch (const EVelmoraError&) {
    return 0;
  }
  if (pal.Count > MaxPaletteEntries) __builtin_trap();
  const std::string back = PaletteFileBytes(pal);
  if (back.size() > size || std::memcmp(back.data(), data, back.size()) != 0) __builtin_trap();
  return 0;
}
