#include <benchmark/benchmark.h>

#include <climits>

#include "model/Draw.h"

namespace {

constexpr TPixel kWall = 0x000000;
constexpr TPixel kA = 0x123456;
constexpr TPixel kB = 0x654321;

// Concentric square walls, each with one gap on alternating sides: the one-pixel corridor between
// them winds from the border into the middle.
TSurface Maze(int size) {
  TSurface s(size, size, kA);
  for (int ring = 1; 4 * ring < size; ring += 2) {
    const int l = ring, t = ring, r = size - 1 - ring, b = size - 1 - ring;
    for (int x = l; x <= r; ++x) s.SetPixel(x, t, kWall), s.SetPixel(x, b, kWall);
    for (int y = t; y <= b; ++y) s.SetPixel(l, y, kWall), s.SetPixel(r, y, kWall);
    s.SetPixel(ring % 4 == 1 ? l + 1 : r - 1, ring % 4 == 1 ? t : b, kA);
  }
  return s;
}

// Each run fills the region with the other colour, so every iteration does the whole work.
void FillAlternating(benchmark::State& state, TSurface& s) {
  bool toB = true;
  for (auto _ : state) {
    FloodFill(s, 0, 0, toB ? kB : kA);
    toB = !toB;
    benchmark::DoNotOptimize(s.Bits());
  }
  state.SetItemsProcessed(state.iterations() * int64_t(s.Width()) * s.Height());
}

void BM_FloodFillWholeSurface(benchmark::State& state) {
  TSurface s(4096, 4096, kA);
  FillAlternating(state, s);
}
BENCHMARK(BM_FloodFillWholeSurface)->Unit(benchmark::kMillisecond);

void BM_FloodFillMaze(benchmark::State& state) {
  TSurface s = Maze(4096);
  FillAlternating(state, s);
}
BENCHMARK(BM_FloodFillMaze)->Unit(benchmark::kMillisecond);

void BM_EllipseFill(benchmark::State& state) {
  TSurface s(2048, 2048, kA);
  for (auto _ : state) {
    DrawEllipse(s, {0, 0, 2048, 2048}, kWall, kB);
    benchmark::DoNotOptimize(s.Bits());
  }
}
BENCHMARK(BM_EllipseFill)->Unit(benchmark::kMillisecond);

void BM_RectangleFill(benchmark::State& state) {
  TSurface s(2048, 2048, kA);
  for (auto _ : state) {
    DrawRectangle(s, {0, 0, 2048, 2048}, kWall, kB);
    benchmark::DoNotOptimize(s.Bits());
  }
}
BENCHMARK(BM_RectangleFill)->Unit(benchmark::kMillisecond);

void BM_MaskEllipseXor(benchmark::State& state) {
  TMaskSurface m(2048, 2048);
  for (auto _ : state) {
    DrawEllipse(m, {0, 0, 2048, 2048}, TMaskPen::Xor);
    benchmark::DoNotOptimize(m.Row(0));
  }
}
BENCHMARK(BM_MaskEllipseXor)->Unit(benchmark::kMillisecond);

void BM_MaskRectangleXor(benchmark::State& state) {
  TMaskSurface m(2048, 2048);
  for (auto _ : state) {
    FillRectMask(m, {1, 1, 2047, 2047}, TMaskPen::Xor);
    benchmark::DoNotOptimize(m.Row(0));
  }
}
BENCHMARK(BM_MaskRectangleXor)->Unit(benchmark::kMillisecond);

void BM_LongLine(benchmark::State& state) {
  TSurface s(4096, 4096, kA);
  for (auto _ : state) {
    DrawLine(s, 0, 0, 4095, 2999, kB);
    benchmark::DoNotOptimize(s.Bits());
  }
  state.SetItemsProcessed(state.iterations() * 4095);
}
BENCHMARK(BM_LongLine)->Unit(benchmark::kMicrosecond);

void BM_HugeClippedLine(benchmark::State& state) {
  TSurface s(4096, 4096, kA);
  for (auto _ : state) {
    DrawLine(s, INT_MIN, -1000000000, INT_MAX, 1000000007, kB);
    benchmark::DoNotOptimize(s.Bits());
  }
}
BENCHMARK(BM_HugeClippedLine)->Unit(benchmark::kMicrosecond);

void BM_GradientFill(benchmark::State& state) {
  TSurface s(2048, 2048, kA);
  for (auto _ : state) {
    GradientFill(s, {0, 0, 2048, 2048}, 0x0000FF, 0xFF0000, state.range(0) != 0, 255);
    benchmark::DoNotOptimize(s.Bits());
  }
}
BENCHMARK(BM_GradientFill)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace
