// Writes the palettes the program ships into the folder named on the command line: a Default
// palette for every depth (the colours new images of that depth get), the 264-entry Default.plt
// that deeper images take, and a few palettes worth keeping at hand.

#include <cstdio>
#include <string>

#include "model/Errors.h"
#include "model/PaletteStore.h"

namespace {

TPaletteRecord Grays(int count) {
  TPaletteRecord pal;
  pal.Count = uint16_t(count);
  for (int i = 0; i < count; ++i) {
    const int v = i * 255 / (count - 1);
    pal.SetColor(i, MakeColor(v, v, v));
  }
  return pal;
}

// The 216 colours whose channels are multiples of 51, red changing slowest.
TPaletteRecord WebSafe() {
  TPaletteRecord pal;
  pal.Count = 216;
  int i = 0;
  for (int r = 0; r < 6; ++r)
    for (int g = 0; g < 6; ++g)
      for (int b = 0; b < 6; ++b) pal.SetColor(i++, MakeColor(51 * r, 51 * g, 51 * b));
  return pal;
}

// Four greens from dark to light, as on early hand-held game screens.
TPaletteRecord Game() {
  TPaletteRecord pal;
  pal.Count = 4;
  pal.SetColor(0, MakeColor(15, 56, 15));
  pal.SetColor(1, MakeColor(48, 98, 48));
  pal.SetColor(2, MakeColor(139, 172, 15));
  pal.SetColor(3, MakeColor(155, 188, 15));
  return pal;
}

void Write(const std::string& folder, const std::string& name, const TPaletteRecord& pal) {
  const std::string path = folder + PaletteFileName(name, pal.Count);
  WritePalette(path, pal, [](const std::string&) { return true; });
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make-palettes FOLDER\n");
    return 2;
  }
  std::string folder = argv[1];
  if (folder.back() != '/') folder += '/';
  try {
    TPaletteRecord pal;
    for (int bits = 1; bits <= 8; ++bits) {
      FillDefaultPalette(pal, bits);
      Write(folder, "Default", pal);
    }
    FillDefaultPalette264(pal);
    Write(folder, "Default", pal);
    Write(folder, "Grayscale", Grays(4));
    Write(folder, "Grayscale", Grays(16));
    Write(folder, "Grayscale", Grays(256));
    Write(folder, "Web-safe", WebSafe());
    Write(folder, "Game", Game());
  } catch (const EVelmoraError& e) {
    std::fprintf(stderr, "make-palettes: %s\n", e.what());
    return 1;
  }
  return 0;
}
