// What a user waits for around animations: the frame grid appearing when a group is selected, and
// the player decoding the animation before it opens.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTreeWidget>

#include "../model/GifSynthetic.h"
#include "BenchWindow.h"
#include "documents/files/FileCommands.h"
#include "documents/frames/FrameGrid.h"
#include "model/FileIO.h"
#include "windows/GifAnimation.h"

namespace {

TBytes SyntheticBytes(int side, int frames) {
  return WriteGif(SyntheticGif("sprite", side, frames), TGifCompression::Lzw);
}

// Range 0: frames of 256 x 256. The group is written and decoded again as the player does it.
void BM_PlayerDecode(benchmark::State& state) {
  const TBytes gif = SyntheticBytes(256, int(state.range(0)));
  for (auto _ : state) benchmark::DoNotOptimize(TGifAnimation::Decode(gif).Count());
}
BENCHMARK(BM_PlayerDecode)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

// Selecting an animation's node after a picture's: thumbnails made, cells laid out, grid painted.
// Range 0: frames of 128 x 128.
void BM_FrameGridShow(benchmark::State& state) {
  QTemporaryDir dir;
  const QString path = dir.filePath("anim.gif");
  WriteFileAtomic(path.toStdString(), SyntheticBytes(128, int(state.range(0))));
  TBenchWindow window(0);
  TMainForm& form = window.Form();
  window.NewDocument("Noname1.bmp", 64, 64, 24);
  if (!form.Files().TryOpenFile(path)) {
    state.SkipWithError("the animation did not open");
    return;
  }
  QApplication::processEvents();
  QTreeWidget* tree = form.Navigator->PicTree;
  for (auto _ : state) {
    form.Navigator->Select(tree->topLevelItem(0));
    form.Navigator->Select(tree->topLevelItem(1));
    form.Frames().GroupPreview->viewport()->repaint();
  }
  form.Navigator->PicTree->clear();
}
BENCHMARK(BM_FrameGridShow)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace
