// The zoomed view's render against plain memory filling, and switching documents in the
// navigator of a real (offscreen) main window.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <cstring>
#include <random>
#include <vector>

#include "BenchWindow.h"
#include "documents/ImageBrowseFrm.h"
#include "documents/MainForm.h"
#include "model/SelectBitmap.h"
#include "model/WorkImage.h"
#include "render/ZoomRender.h"
#include "windows/ScriptedDialogs.h"

namespace {

constexpr int ViewWidth = 1920, ViewHeight = 1080;

const TSurface& Source() {
  static const TSurface source = [] {
    TSurface s(2048, 2048);
    std::mt19937 rng(1);
    for (int y = 0; y < s.Height(); ++y)
      for (int x = 0; x < s.Width(); ++x) s.SetPixel(x, y, rng() & 0xFFFFFF);
    return s;
  }();
  return source;
}

// A picture with every fourth pixel in the transparent colour: the hatch's worst case.
const TSurface& TransparentSource() {
  static const TSurface source = [] {
    TSurface s = Source();
    for (int y = 0; y < s.Height(); ++y)
      for (int x = (y & 1); x < s.Width(); x += 4) s.SetPixel(x, y, 0);
    return s;
  }();
  return source;
}

// A 32-bit picture where every fourth pixel is half transparent.
const TSurface& AlphaSource() {
  static const TSurface source = [] {
    TSurface s = Source();
    for (int y = 0; y < s.Height(); ++y)
      for (int x = (y & 1); x < s.Width(); x += 4) s.SetPixel(x, y, WithAlpha(s.Pixel(x, y), 128));
    return s;
  }();
  return source;
}

void RenderAt(benchmark::State& state, const TSurface& source, bool transparent,
              bool alpha = false) {
  const int factor = 1 << state.range(0);
  TSurface view(ViewWidth, ViewHeight, 0);
  TZoomStyle style;
  style.Factor = factor;
  style.Transparent = transparent;
  style.TransparentColor = clBlack;
  style.Alpha = alpha;
  for (auto _ : state) {
    DrawZoomed(source, 0, 0, RowsOf(view), style);
    benchmark::DoNotOptimize(view.Bits());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * ViewWidth * ViewHeight * 4);
  state.SetLabel(std::to_string(factor * 100) + "%");
}

void BM_Memset1920x1080(benchmark::State& state) {
  std::vector<TPixel> view(size_t(ViewWidth) * ViewHeight);
  uint8_t value = 0;
  for (auto _ : state) {
    std::memset(view.data(), ++value, view.size() * sizeof(TPixel));
    benchmark::DoNotOptimize(view.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(view.size()) * 4);
}
BENCHMARK(BM_Memset1920x1080);

// The floor of the 100% render: the visible rows of the source copied into the view unchanged.
void BM_RowCopy1920x1080(benchmark::State& state) {
  const TSurface& source = Source();
  TSurface view(ViewWidth, ViewHeight, 0);
  for (auto _ : state) {
    for (int y = 0; y < ViewHeight; ++y)
      std::memcpy(view.Row(y), source.Row(y), size_t(ViewWidth) * sizeof(TPixel));
    benchmark::DoNotOptimize(view.Bits());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * ViewWidth * ViewHeight * 4);
}
BENCHMARK(BM_RowCopy1920x1080);

void BM_DrawZoomed(benchmark::State& state) {
  RenderAt(state, Source(), false);
}
BENCHMARK(BM_DrawZoomed)->DenseRange(0, 4)->UseRealTime();

void BM_DrawZoomedHatched(benchmark::State& state) {
  RenderAt(state, TransparentSource(), true);
}
BENCHMARK(BM_DrawZoomedHatched)->DenseRange(0, 4)->UseRealTime();

void BM_DrawZoomedAlpha(benchmark::State& state) {
  RenderAt(state, AlphaSource(), false, true);
}
BENCHMARK(BM_DrawZoomedAlpha)->DenseRange(0, 4)->UseRealTime();

// The outline of a large selection over the visible part, as each timer tick draws it.
void BM_SelectionOutline(benchmark::State& state) {
  const int factor = 1 << state.range(0);
  TMaskSurface mask(2048, 2048);
  mask.FillRect({100, 100, 1500, 900}, TMaskPen::Black);
  TSurface view(ViewWidth, ViewHeight, 0);
  const TPixelRows rows = RowsOf(view);
  const TRect visible{0, 0, (ViewWidth - 1) / factor, (ViewHeight - 1) / factor};
  for (auto _ : state) {
    benchmark::DoNotOptimize(DrawSelectionOutline(mask, 0, 0, visible, factor, &rows, {}));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_SelectionOutline)->DenseRange(0, 4, 2);

// Selecting the other of two 256 x 256 documents, with the zoomed view, the preview and the
// colour grid painted as the screen would show them.
void BM_NavigatorSwitch(benchmark::State& state) {
  TBenchWindow window(int(state.range(0)));
  TMainForm& form = window.Form();
  window.NewDocument("Noname1.bmp", 256, 256, 8);
  window.NewDocument("Noname2.bmp", 256, 256, 24);
  QApplication::processEvents();
  QTreeWidget* tree = form.Navigator->PicTree;
  int next = 0;
  for (auto _ : state) {
    form.Navigator->Select(tree->topLevelItem(next));
    next = 1 - next;
    form.Editor().View().ZoomBox->repaint();
    form.Editor().View().ViewImg->repaint();
    form.Editor().Colors().ColorGrid->viewport()->repaint();
  }
  state.SetLabel(form.Editor().View().ZoomCombo->currentText().toStdString());
  form.Navigator->PicTree->clear();
}
BENCHMARK(BM_NavigatorSwitch)->Arg(0)->Arg(3)->Arg(4)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
