// Feeds arbitrary bytes to the icon reader, and writes back whatever it reads: reading must
// either succeed or throw EVelmoraError, and every image read must be writable again.
#include <cstddef>
#include <cstdint>

#include "model/Errors.h"
#include "model/ReadBudget.h"
#include "model/codecs/IconCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<TIconImage> icons;
  try {
    const TReadBudget budget;  // as when a document is read
    icons = ReadIcon(data, size);
  } catch (const EVelmoraError&) {
    return 0;
  }
  const TBytes written = WriteIcon(icons);
  if (ReadIcon(written.data(), written.size()).size() != icons.size()) __builtin_trap();
  return 0;
}
