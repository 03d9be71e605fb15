// Writes the program's own icon as PNG pictures for the desktop, one per size named on the
// command line: make-icons FOLDER SIZE... writes FOLDER/SIZE/velmora.png. The icon is pixel art
// (a framed canvas with a pencil over a checker of pixels), so every size is the 16 x 16 design
// enlarged by whole pixels and stays sharp.

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "model/Errors.h"
#include "model/FileIO.h"
#include "model/codecs/PngCodec.h"

namespace {

// '.' transparent, the other letters index Colors below.
constexpr const char* Design[16] = {
    "................",  //
    ".kkkkkkkkkkkkk..",  //
    ".kwwwwwwwwwwwk..",  //
    ".kwrrggbbwwwwk.y",  //
    ".kwrrggbbwwwkyy.",  //
    ".kwccmmyywwkyyk.",  //
    ".kwccmmyywkyyk..",  //
    ".kwwwwwwwkyyk...",  //
    ".kwrrggbkyyk....",  //
    ".kwrrggkyyk.....",  //
    ".kwwwwwppk......",  //
    ".kwwwwwpk.......",  //
    ".kwwwwkkkkkkkk..",  //
    ".kkkkkkk........",  //
    "................",  //
    "................",  //
};

struct TRgba {
  char Key;
  uint8_t R, G, B;
};

constexpr TRgba Colors[] = {{'k', 32, 32, 48},   {'w', 250, 250, 245}, {'r', 220, 40, 40},
                            {'g', 40, 170, 70},  {'b', 40, 90, 220},   {'c', 40, 200, 210},
                            {'m', 200, 50, 190}, {'y', 245, 200, 40},  {'p', 240, 150, 150}};

std::vector<uint8_t> Render(int size) {
  const int scale = size / 16;
  std::vector<uint8_t> rgba(size_t(size) * size_t(size) * 4, 0);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const char key = Design[y / scale][x / scale];
      for (const TRgba& c : Colors)
        if (c.Key == key) {
          uint8_t* p = &rgba[(size_t(y) * size_t(size) + size_t(x)) * 4];
          p[0] = c.R, p[1] = c.G, p[2] = c.B, p[3] = 255;
        }
    }
  return rgba;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: make-icons FOLDER SIZE...\n");
    return 2;
  }
  try {
    for (int i = 2; i < argc; ++i) {
      const int size = std::stoi(argv[i]);
      if (size < 16 || size % 16 != 0) throw EVelmoraError("sizes are multiples of 16");
      const std::string folder = std::string(argv[1]) + "/" + argv[i];
      std::filesystem::create_directories(folder);
      const std::vector<uint8_t> rgba = Render(size);
      WriteFileAtomic(folder + "/velmora.png", WritePng(size, size, rgba.data()));
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "make-icons: %s\n", e.what());
    return 1;
  }
  return 0;
}
