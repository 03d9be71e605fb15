// Feeds arbitrary bytes to the palette readers: each must either read them or throw
// EVelmoraError. What the program's own reader takes must write back as the same leading bytes;
// what any reader takes must survive its own format's writer and reader unchanged.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "model/Errors.h"
#include "model/Palette.h"
#include "model/PaletteFormats.h"

namespace {

void CheckOwnFormat(const uint8_t* data, size_t size) {
  TPaletteRecord pal;
  try {
    ReadPaletteBytes(data, size, pal);
  } catch (const EVelmoraError&) {
    return;
  }
  if (pal.Count > MaxPaletteEntries) __builtin_trap();
  const std::string back = PaletteFileBytes(pal);
  if (back.size() > size || std::memcmp(back.data(), data, back.size()) != 0) __builtin_trap();
}

void CheckInterchange(const TPaletteFormatInfo& format, const uint8_t* data, size_t size) {
  TPaletteRecord pal;
  try {
    format.Read(data, size, pal);
  } catch (const EVelmoraError&) {
    return;
  }
  if (pal.Count < 1 || pal.Count > MaxPaletteEntries) __builtin_trap();
  const std::string bytes = format.Write(pal, "fuzz");
  TPaletteRecord again;
  format.Read(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), again);
  if (!(again == pal)) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  CheckOwnFormat(data, size);
  for (const TPaletteFormatInfo& format : PaletteFormats())
    if (format.Format != TPaletteFormat::Velmora) CheckInterchange(format, data, size);
  return 0;
}
