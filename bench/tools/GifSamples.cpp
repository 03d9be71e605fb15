// Writes the synthetic animations as GIF files for scripts/gif-compare: full-size frames and
// optimised frames, each with LZW and run-length coding.
//   gif_samples OUTDIR [SIDE FRAMES]

#include <cstdio>
#include <cstdlib>
#include <string>

#include "../model/GifSynthetic.h"
#include "model/Errors.h"
#include "model/FileIO.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: gif_samples OUTDIR [SIDE FRAMES]\n");
    return 2;
  }
  const std::string dir = argv[1];
  const int side = argc > 2 ? std::atoi(argv[2]) : 256;
  const int frames = argc > 3 ? std::atoi(argv[3]) : 50;
  try {
    for (const std::string& name : SyntheticGifNames()) {
      const TGifData full = SyntheticGif(name, side, frames);
      const TGifData optimized = OptimizeGif(full);
      WriteFileAtomic(dir + "/" + name + "-full.gif", WriteGif(full, TGifCompression::Lzw));
      WriteFileAtomic(dir + "/" + name + "-full-rle.gif", WriteGif(full, TGifCompression::Rle));
      WriteFileAtomic(dir + "/" + name + "-opt.gif", WriteGif(optimized, TGifCompression::Lzw));
      WriteFileAtomic(dir + "/" + name + "-opt-rle.gif", WriteGif(optimized, TGifCompression::Rle));
    }
  } catch (const EVelmoraError& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 1;
  }
  return 0;
}
