#include "GifSynthetic.h"

#include <algorithm>
#include <cstdint>
#include <random>

namespace {

TGifData Blank(int side, int frames) {
  TGifData gif;
  gif.ScreenWidth = gif.ScreenHeight = side;
  gif.GlobalBits = gif.BitsPerPixel = 8;
  for (int i = 0; i < 256; ++i) gif.GlobalTable.push_back(MakeColor(i, (i * 7) & 255, 255 - i));
  gif.LoopCount = 0;
  TGifFrameData f;
  f.Width = f.Height = side;
  f.Control = {true, 1, 5, false, 0};
  f.Indices.assign(size_t(side) * size_t(side), 0);
  gif.Frames.assign(size_t(frames), f);
  return gif;
}

uint8_t& At(TGifFrameData& f, int x, int y) {
  return f.Indices[size_t(y) * size_t(f.Width) + size_t(x)];
}

void Background(TGifFrameData& f) {
  for (int y = 0; y < f.Height; ++y)
    for (int x = 0; x < f.Width; ++x) At(f, x, y) = uint8_t(((x / 6) * 5 + (y / 9) * 11) % 200);
}

void Sprite(TGifFrameData& f, int left, int top, int size, uint8_t base) {
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const int dx = x - size / 2, dy = y - size / 2;
      if (left + x < f.Width && top + y < f.Height && dx * dx + dy * dy < size * size / 4)
        At(f, left + x, top + y) = uint8_t(base + (x + y) % 40);
    }
}

}  // namespace

std::vector<std::string> SyntheticGifNames() {
  return {"sprite", "region", "noise", "icons"};
}

TGifData SyntheticGif(const std::string& name, int side, int frames) {
  TGifData gif = Blank(side, frames);
  std::mt19937 rng(11);
  for (int i = 0; i < frames; ++i) {
    TGifFrameData& f = gif.Frames[size_t(i)];
    const int sprite = std::max(2, std::min(24, side / 3));
    const int pos = i * (side - sprite) / std::max(1, frames - 1);
    if (name == "sprite") {
      Background(f);
      Sprite(f, pos, std::min(side - sprite, (side - sprite) / 2 + (i % 7)), sprite, 210);
    } else if (name == "region") {
      Background(f);
      for (int y = 10; y < 40 && y < side; ++y)
        for (int x = 10; x < 50 && x < side; ++x) At(f, x, y) = uint8_t(200 + rng() % 50);
    } else if (name == "noise") {
      for (uint8_t& k : f.Indices) k = uint8_t(rng());
    } else {  // icons
      f.Control = {true, 2, 5, true, 255};
      std::fill(f.Indices.begin(), f.Indices.end(), 255);
      Sprite(f, pos, pos / 2, sprite + sprite / 3, 100);
    }
  }
  return gif;
}
