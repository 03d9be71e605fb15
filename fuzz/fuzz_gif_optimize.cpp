// Builds random full-screen animations from the input, optimises them and checks that the result
// plays exactly like the original, also after writing and reading it with both codings.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>

#include "model/codecs/GifCodec.h"

namespace {

constexpr uint32_t kNothing = 0xFF000000u;
using TScreens = std::vector<std::vector<uint32_t>>;

TScreens Play(const TGifData& gif) {
  const int w = gif.ScreenWidth, h = gif.ScreenHeight;
  std::vector<uint32_t> screen(size_t(w) * size_t(h), kNothing);
  TScreens shown;
  for (const TGifFrameData& f : gif.Frames) {
    const auto& table = f.LocalTable.empty() ? gif.GlobalTable : f.LocalTable;
    const auto saved = screen;
    for (int y = 0; y < f.Height; ++y)
      for (int x = 0; x < f.Width; ++x) {
        const uint8_t k = f.Indices[size_t(y) * size_t(f.Width) + size_t(x)];
        if (f.Control.Present && f.Control.Transparent && k == f.Control.TransparentIndex) continue;
        screen[size_t(f.Top + y) * size_t(w) + size_t(f.Left + x)] =
            k < table.size() ? table[k] : 0;
      }
    shown.push_back(screen);
    const int disposal = f.Control.Present ? f.Control.Disposal : 0;
    if (disposal == 3) screen = saved;
    for (int y = 0; disposal == 2 && y < f.Height; ++y)
      for (int x = 0; x < f.Width; ++x)
        screen[size_t(f.Top + y) * size_t(w) + size_t(f.Left + x)] = kNothing;
  }
  return shown;
}

std::vector<TColor> Table(FuzzedDataProvider& in, int bits) {
  std::vector<TColor> table(size_t(1) << bits);
  for (TColor& c : table) c = in.ConsumeIntegralInRange<TColor>(0, 7) * 0x242424;
  return table;
}

TGifData Animation(FuzzedDataProvider& in) {
  TGifData gif;
  gif.ScreenWidth = in.ConsumeIntegralInRange(1, 16);
  gif.ScreenHeight = in.ConsumeIntegralInRange(1, 16);
  if (in.ConsumeBool()) {
    gif.GlobalBits = in.ConsumeIntegralInRange(1, 8);
    gif.GlobalTable = Table(in, gif.GlobalBits);
  }
  const int frames = in.ConsumeIntegralInRange(1, 8);
  for (int i = 0; i < frames; ++i) {
    TGifFrameData f;
    f.Width = gif.ScreenWidth;
    f.Height = gif.ScreenHeight;
    if (gif.GlobalTable.empty() || in.ConsumeBool()) {
      f.LocalBits = in.ConsumeIntegralInRange(1, 8);
      f.LocalTable = Table(in, f.LocalBits);
    }
    const int top = (1 << (f.LocalTable.empty() ? gif.GlobalBits : f.LocalBits)) - 1;
    f.Control.Present = in.ConsumeBool();
    if (f.Control.Present)
      f.Control = {true, in.ConsumeIntegralInRange<uint8_t>(0, 7), 1, in.ConsumeBool(),
                   in.ConsumeIntegralInRange<uint8_t>(0, uint8_t(top))};
    const bool reuse = i > 0 && in.ConsumeBool() && gif.Frames.back().LocalTable == f.LocalTable;
    f.Indices = reuse ? gif.Frames.back().Indices
                      : std::vector<uint8_t>(size_t(f.Width) * size_t(f.Height), 0);
    for (uint8_t& k : f.Indices)
      if (!reuse || in.ConsumeIntegralInRange(0, 7) == 0)
        k = in.ConsumeIntegralInRange<uint8_t>(0, uint8_t(top));
    gif.Frames.push_back(std::move(f));
  }
  return gif;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  const TGifData gif = Animation(in);
  const TGifData optimized = OptimizeGif(gif);
  const TScreens expected = Play(gif);
  bool same = Play(optimized) == expected;
  for (TGifCompression coding : {TGifCompression::Lzw, TGifCompression::Rle}) {
    const TBytes bytes = WriteGif(optimized, coding);
    same = same && Play(ReadGif(bytes.data(), bytes.size())) == expected;
  }
  if (!same) {
    std::fprintf(stderr, "the optimised animation plays differently\n");
    std::abort();
  }
  return 0;
}
