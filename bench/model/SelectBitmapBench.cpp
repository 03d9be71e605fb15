// Whole-raster operations a user waits for: rotations, the selection filters and the undo
// snapshot of every edit.

#include <benchmark/benchmark.h>

#include "model/RasterTransforms.h"
#include "model/WorkImage.h"

namespace {

void MakeRaster(TSelectBitmap& r, int size) {
  r.InitImage(size, size, nullptr, 24);
  TSurface& image = r.EditImage();
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) image.SetPixel(x, y, TPixel(x * 7 + y * 13));
  r.EditMask().FillRect({size / 4, size / 4, size / 2, size / 2}, TMaskPen::Black);
}

void BM_RotateClockwise4096(benchmark::State& state) {
  TSelectBitmap r;
  MakeRaster(r, 4096);
  for (auto _ : state) RotateClockwise(r);
  state.SetItemsProcessed(state.iterations() * 4096 * 4096);
}
BENCHMARK(BM_RotateClockwise4096)->Unit(benchmark::kMillisecond);

void BM_Rotate180_4096(benchmark::State& state) {
  TSelectBitmap r;
  MakeRaster(r, 4096);
  for (auto _ : state) Rotate180(r);
}
BENCHMARK(BM_Rotate180_4096)->Unit(benchmark::kMillisecond);

// The filters walk the whole mask to find the selection, then change the selected quarter.
void BM_GrayscaleSelection4096(benchmark::State& state) {
  TSelectBitmap r;
  MakeRaster(r, 4096);
  for (auto _ : state) GrayscaleSelection(r);
}
BENCHMARK(BM_GrayscaleSelection4096)->Unit(benchmark::kMillisecond);

void BM_BlendSelection4096(benchmark::State& state) {
  TSelectBitmap r;
  MakeRaster(r, 4096);
  for (auto _ : state) BlendSelection(r, clSilver);
}
BENCHMARK(BM_BlendSelection4096)->Unit(benchmark::kMillisecond);

void BM_UndoSnapshot1024(benchmark::State& state) {
  TWorkImage w;
  MakeRaster(w, 1024);
  for (auto _ : state) {
    w.SaveUndo();
    if (w.UndoStack.Count() == UndoDepth) w.ClearUndo();
  }
}
BENCHMARK(BM_UndoSnapshot1024)->Unit(benchmark::kMillisecond);

void BM_Assign1024(benchmark::State& state) {
  TSelectBitmap source, target;
  MakeRaster(source, 1024);
  for (auto _ : state) target.Assign(source);
}
BENCHMARK(BM_Assign1024)->Unit(benchmark::kMillisecond);

}  // namespace
