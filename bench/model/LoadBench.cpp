// Opening an animation of many one-pixel frames and reading a settings file of many keys: both
// should grow linearly with their size (Complexity reports the fitted order).

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "model/Document.h"
#include "model/FileIO.h"
#include "model/IniFile.h"
#include "model/codecs/GifCodec.h"

namespace {

std::string TempFile(const std::string& name) {
  return (std::filesystem::temp_directory_path() /
          ("velmora-bench-" + std::to_string(::getpid()) + "-" + name))
      .string();
}

void BM_OpenManyFrames(benchmark::State& state) {
  TGifData gif;
  gif.ScreenWidth = gif.ScreenHeight = 1;
  gif.GlobalTable = {clBlack, clWhite};
  gif.GlobalBits = gif.BitsPerPixel = 1;
  TGifFrameData frame;
  frame.Width = frame.Height = 1;
  frame.Indices = {1};
  frame.Control.Present = true;
  gif.Frames.assign(size_t(state.range(0)), frame);
  const std::string path = TempFile("frames.gif");
  WriteFileAtomic(path, WriteGif(gif, TGifCompression::Lzw));
  for (auto _ : state) benchmark::DoNotOptimize(OpenDocument(path));
  std::filesystem::remove(path);
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_OpenManyFrames)->Arg(5000)->Arg(10000)->Arg(20000)->Arg(40000)
    ->Complexity()->Unit(benchmark::kMillisecond);

void BM_ReadManyKeys(benchmark::State& state) {
  const std::string path = TempFile("keys.ini");
  {
    std::ofstream out(path);
    out << "[Main form settings]\n";
    for (int64_t i = 0; i < state.range(0); ++i) out << "Key" << i << "=" << std::string(60, 'v') << "\n";
  }
  for (auto _ : state) benchmark::DoNotOptimize(TIniFile(path).ReadString("Main form settings", "Key1", ""));
  std::filesystem::remove(path);
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_ReadManyKeys)->Arg(20000)->Arg(40000)->Arg(80000)->Arg(160000)
    ->Complexity()->Unit(benchmark::kMillisecond);

}  // namespace
