#include "model/codecs/GifTestSupport.h"

#include <algorithm>
#include <stdexcept>

namespace gif_test {
namespace {

TColor ColorFrom(const std::vector<TColor>& table, int index) {
  return size_t(index) < table.size() ? table[size_t(index)] : TColor(0);
}

int Capacity(const TGifData& gif, const TGifFrameData& f) {
  return 1 << (f.LocalTable.empty() ? gif.GlobalBits : f.LocalBits);
}

std::vector<TColor> RandomTable(std::mt19937& rng, int bits) {
  std::vector<TColor> table(size_t(1) << bits);
  std::uniform_int_distribution<int> small(0, 5);
  for (TColor& c : table) c = MakeColor(small(rng) * 51, small(rng) * 51, small(rng) * 51);
  return table;
}

void PaintRect(std::mt19937& rng, TGifFrameData& f, int capacity, int transparent) {
  std::uniform_int_distribution<int> xs(0, f.Width - 1), ys(0, f.Height - 1);
  const int x0 = xs(rng), y0 = ys(rng);
  const int x1 = std::uniform_int_distribution<int>(x0, f.Width - 1)(rng);
  const int y1 = std::uniform_int_distribution<int>(y0, f.Height - 1)(rng);
  const int mode = std::uniform_int_distribution<int>(0, 3)(rng);
  std::uniform_int_distribution<int> color(0, capacity - 1);
  const int solid = mode == 3 && transparent >= 0 ? transparent : color(rng);
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x)
      f.Indices[size_t(y) * size_t(f.Width) + size_t(x)] = uint8_t(mode == 0 ? color(rng) : solid);
}

}  // namespace

std::string DescribeDifference(const TGifData& a, const TGifData& b) {
  if (a.ScreenWidth != b.ScreenWidth || a.ScreenHeight != b.ScreenHeight) return "screen size";
  if (a.BitsPerPixel != b.BitsPerPixel) return "bits per pixel";
  if (a.GlobalTable != b.GlobalTable || a.GlobalBits != b.GlobalBits) return "global table";
  if (a.BackgroundIndex != b.BackgroundIndex) return "background";
  if (a.LoopCount != b.LoopCount) return "loop count";
  if (a.Frames.size() != b.Frames.size()) return "frame count";
  for (size_t i = 0; i < a.Frames.size(); ++i) {
    const TGifFrameData &f = a.Frames[i], &g = b.Frames[i];
    const std::string at = " of frame " + std::to_string(i);
    if (f.Left != g.Left || f.Top != g.Top || f.Width != g.Width || f.Height != g.Height)
      return "rectangle" + at;
    if (f.Interlaced != g.Interlaced) return "interlace" + at;
    if (f.LocalTable != g.LocalTable || f.LocalBits != g.LocalBits) return "local table" + at;
    if (f.Indices != g.Indices) return "indices" + at;
    if (!(f.Control == g.Control)) return "control" + at;
    if (f.Comments != g.Comments) return "comments" + at;
  }
  return "";
}

std::vector<TScreen> PlayGif(const TGifData& gif) {
  const int w = gif.ScreenWidth, h = gif.ScreenHeight;
  TScreen screen(size_t(w) * size_t(h), kNothing);
  std::vector<TScreen> shown;
  for (const TGifFrameData& f : gif.Frames) {
    const std::vector<TColor>& table = f.LocalTable.empty() ? gif.GlobalTable : f.LocalTable;
    const int disposal = f.Control.Present ? f.Control.Disposal : 0;
    const TScreen saved = screen;
    const bool transparent = f.Control.Present && f.Control.Transparent;
    for (int y = 0; y < f.Height; ++y)
      for (int x = 0; x < f.Width; ++x) {
        const int sx = f.Left + x, sy = f.Top + y;
        if (sx >= w || sy >= h) continue;
        const uint8_t index = f.Indices[size_t(y) * size_t(f.Width) + size_t(x)];
        if (transparent && index == f.Control.TransparentIndex) continue;
        screen[size_t(sy) * size_t(w) + size_t(sx)] = ColorFrom(table, index);
      }
    shown.push_back(screen);
    if (disposal == 3) screen = saved;
    if (disposal == 2)
      for (int y = f.Top; y < std::min(h, f.Top + f.Height); ++y)
        for (int x = f.Left; x < std::min(w, f.Left + f.Width); ++x)
          screen[size_t(y) * size_t(w) + size_t(x)] = kNothing;
  }
  return shown;
}

TGifData RandomAnimation(std::mt19937& rng, int maxSide, int maxFrames) {
  auto chance = [&](int percent) {
    return std::uniform_int_distribution<int>(0, 99)(rng) < percent;
  };
  auto between = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(rng); };
  TGifData gif;
  gif.ScreenWidth = between(1, maxSide);
  gif.ScreenHeight = between(1, maxSide);
  if (chance(75)) {
    gif.GlobalBits = between(1, 8);
    gif.GlobalTable = RandomTable(rng, gif.GlobalBits);
    gif.BitsPerPixel = gif.GlobalBits;
  }
  gif.BackgroundIndex = uint8_t(between(0, 3));
  const int frames = between(1, maxFrames);
  for (int i = 0; i < frames; ++i) {
    TGifFrameData f;
    f.Width = gif.ScreenWidth;
    f.Height = gif.ScreenHeight;
    if (gif.GlobalTable.empty() || chance(30)) {
      f.LocalBits = between(1, 8);
      f.LocalTable = RandomTable(rng, f.LocalBits);
    }
    const int capacity = Capacity(gif, f);
    f.Control.Present = chance(85);
    f.Control.Disposal = uint8_t(chance(5) ? between(4, 7) : between(0, 3));
    f.Control.DelayCs = uint16_t(between(0, 300));
    f.Control.Transparent = chance(50);
    f.Control.TransparentIndex = uint8_t(between(0, capacity - 1));
    if (!f.Control.Present) f.Control = {};
    const int transparent = f.Control.Transparent ? f.Control.TransparentIndex : -1;
    const bool reuse = i > 0 && gif.Frames.back().LocalTable == f.LocalTable && chance(70);
    f.Indices = reuse ? gif.Frames.back().Indices
                      : std::vector<uint8_t>(size_t(f.Width) * size_t(f.Height),
                                             uint8_t(between(0, capacity - 1)));
    for (int k = between(reuse ? 0 : 1, 4); k > 0; --k) PaintRect(rng, f, capacity, transparent);
    gif.Frames.push_back(std::move(f));
  }
  return gif;
}

}  // namespace gif_test
