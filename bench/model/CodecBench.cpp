// Loading and saving a 2048 x 2048 picture in memory, as BMP (24 bits) and as JPEG (quality 90).
#include <benchmark/benchmark.h>

#include "model/Colors.h"
#include "model/Surface.h"
#include "model/codecs/BmpCodec.h"
#include "model/codecs/JpegCodec.h"

namespace {

constexpr int Side = 2048;

const TSurface& Picture() {
  static const TSurface picture = [] {
    TSurface s(Side, Side);
    for (int y = 0; y < Side; ++y) {
      TPixel* row = s.Row(y);
      for (int x = 0; x < Side; ++x)
        row[x] = ColorToPixel(MakeColor(x / 8, y / 8, ((x ^ y) & 0x3F) + (x + y) / 32));
    }
    return s;
  }();
  return picture;
}

void SetPixelsProcessed(benchmark::State& state) {
  state.SetItemsProcessed(int64_t(state.iterations()) * Side * Side);
}

void BM_SaveBmp24(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(WriteBmp(Picture(), 24, nullptr, 0));
  SetPixelsProcessed(state);
}

void BM_LoadBmp24(benchmark::State& state) {
  const TBytes file = WriteBmp(Picture(), 24, nullptr, 0);
  for (auto _ : state) benchmark::DoNotOptimize(ReadBmp(file.data(), file.size()));
  SetPixelsProcessed(state);
}

void BM_SaveJpeg90(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(WriteJpeg(Picture(), 90));
  SetPixelsProcessed(state);
}

void BM_LoadJpeg90(benchmark::State& state) {
  const TBytes file = WriteJpeg(Picture(), 90);
  for (auto _ : state) benchmark::DoNotOptimize(ReadJpeg(file.data(), file.size()));
  SetPixelsProcessed(state);
}

}  // namespace

BENCHMARK(BM_SaveBmp24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadBmp24)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveJpeg90)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadJpeg90)->Unit(benchmark::kMillisecond);
