// Writes the synthetic photograph as a PNG file for scripts/reduce-compare.
//   photo_sample OUT.png [SIDE]

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "../model/PhotoSynthetic.h"
#include "model/Errors.h"
#include "model/FileIO.h"
#include "model/codecs/PngCodec.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: photo_sample OUT.png [SIDE]\n");
    return 2;
  }
  const int side = argc > 2 ? std::atoi(argv[2]) : 1024;
  try {
    const TSurface photo = SyntheticPhoto(side);
    std::vector<uint8_t> rgba;
    rgba.reserve(size_t(side) * size_t(side) * 4);
    for (int y = 0; y < side; ++y)
      for (int x = 0; x < side; ++x) {
        const TColor c = PixelToColor(photo.Pixel(x, y));
        rgba.insert(rgba.end(), {uint8_t(RedOf(c)), uint8_t(GreenOf(c)), uint8_t(BlueOf(c)), 255});
      }
    WriteFileAtomic(argv[1], WritePng(side, side, rgba.data()));
  } catch (const EVelmoraError& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
