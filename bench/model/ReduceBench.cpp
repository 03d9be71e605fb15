// Colour reduction of a megapixel photograph-like surface: palette choice and mapping in every
// dither mode.

#include <benchmark/benchmark.h>

#include <vector>

#include "PhotoSynthetic.h"
#include "model/ColorReduction.h"

namespace {

constexpr int Side = 1024;

const TSurface& Photo() {
  static const TSurface photo = SyntheticPhoto(Side);
  return photo;
}

const std::vector<TColor>& Photo256() {
  static const std::vector<TColor> palette = QuantizeColors(Photo(), 256);
  return palette;
}

const std::vector<TColor>& Vga16() {
  static const std::vector<TColor> palette = {
      MakeColor(0, 0, 0),      MakeColor(0, 0, 128),     MakeColor(0, 128, 0),
      MakeColor(0, 128, 128),  MakeColor(128, 0, 0),     MakeColor(128, 0, 128),
      MakeColor(128, 128, 0),  MakeColor(192, 192, 192), MakeColor(128, 128, 128),
      MakeColor(0, 0, 255),    MakeColor(0, 255, 0),     MakeColor(0, 255, 255),
      MakeColor(255, 0, 0),    MakeColor(255, 0, 255),   MakeColor(255, 255, 0),
      MakeColor(255, 255, 255)};
  return palette;
}

void RunMap(benchmark::State& state, const std::vector<TColor>& palette) {
  const TDitherMode mode = DitherModeFromIndex(int(state.range(0)));
  TSurface s;
  for (auto _ : state) {
    state.PauseTiming();
    s = Photo();
    state.ResumeTiming();
    MapToPalette(s, palette, mode);
    benchmark::DoNotOptimize(s.Bits());
  }
  state.SetItemsProcessed(state.iterations() * int64_t(Side) * Side);
}

void BM_MapToPalette256(benchmark::State& state) {
  RunMap(state, Photo256());
}
void BM_MapToPalette16(benchmark::State& state) {
  RunMap(state, Vga16());
}

// A flat-coloured drawing (two hundred colours in blocks) shows the cost when the recent-colour
// cache answers nearly every pixel.
void BM_MapFlatDrawingNearest16(benchmark::State& state) {
  TSurface drawing(Side, Side);
  for (int y = 0; y < Side; ++y)
    for (int x = 0; x < Side; ++x) {
      const int k = ((x / 24) * 7 + (y / 24) * 13) % 200;
      drawing.SetPixel(x, y, ColorToPixel(MakeColor(k, 255 - k, (k * 37) & 0xFF)));
    }
  TSurface s;
  for (auto _ : state) {
    state.PauseTiming();
    s = drawing;
    state.ResumeTiming();
    MapToPalette(s, Vga16(), TDitherMode::Nearest);
    benchmark::DoNotOptimize(s.Bits());
  }
  state.SetItemsProcessed(state.iterations() * int64_t(Side) * Side);
}

// Palette choice alone, for nearest-colour mapping (arg 0) and for Floyd-Steinberg (arg 1),
// which at 16 colours tries several palettes on the picture.
void BM_QuantizeColors(benchmark::State& state, int colors) {
  const TDitherMode mode = state.range(0) ? TDitherMode::FloydSteinberg : TDitherMode::Nearest;
  for (auto _ : state) benchmark::DoNotOptimize(QuantizeColors(Photo(), colors, mode));
  state.SetItemsProcessed(state.iterations() * int64_t(Side) * Side);
}

}  // namespace

BENCHMARK(BM_MapToPalette256)->DenseRange(0, 6)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MapToPalette16)->DenseRange(0, 6)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MapFlatDrawingNearest16)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_QuantizeColors, 256, 256)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_QuantizeColors, 16, 16)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);
