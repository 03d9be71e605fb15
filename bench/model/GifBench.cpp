// Reading, composing, optimising, rewriting and writing a 50-frame 256x256 animation, and the
// optimised size against gifsicle -O2 (when gifsicle is installed).

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "GifSynthetic.h"
#include "model/FileIO.h"
#include "model/GifBuilder.h"
#include "model/codecs/GifCodec.h"

namespace {

const TGifData& Sprite() {
  static const TGifData gif = SyntheticGif("sprite");
  return gif;
}

const TBytes& SpriteFile(bool optimized) {
  static const TBytes full = WriteGif(Sprite(), TGifCompression::Lzw);
  static const TBytes small = WriteGif(OptimizeGif(Sprite()), TGifCompression::Lzw);
  return optimized ? small : full;
}

void BM_ReadGif(benchmark::State& state) {
  const TBytes& bytes = SpriteFile(state.range(0) != 0);
  for (auto _ : state) benchmark::DoNotOptimize(ReadGif(bytes.data(), bytes.size()));
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes.size()));
  state.SetLabel(state.range(0) ? "optimised file" : "full frames");
}
BENCHMARK(BM_ReadGif)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_ComposeGif(benchmark::State& state) {
  const TBytes& bytes = SpriteFile(true);
  const TGifData gif = ReadGif(bytes.data(), bytes.size());
  for (auto _ : state) benchmark::DoNotOptimize(ComposeGif(gif));
}
BENCHMARK(BM_ComposeGif)->Unit(benchmark::kMillisecond);

void BM_OptimizeGif(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(OptimizeGif(Sprite()));
}
BENCHMARK(BM_OptimizeGif)->Unit(benchmark::kMillisecond);

// Opening and saving an animation without an edit, as `velmora-cli convert a.gif b.gif` does:
// the frames are composed one after the other and written optimised again.
void BM_RewriteGif(benchmark::State& state) {
  const TBytes& bytes = SpriteFile(true);
  const TGifData gif = ReadGif(bytes.data(), bytes.size());
  size_t size = 0;
  for (auto _ : state) size = RewriteGifAnimation(gif, 0).size();
  state.counters["bytes"] = double(size);
}
BENCHMARK(BM_RewriteGif)->Unit(benchmark::kMillisecond);

// Arguments: coding (0 LZW, 1 RLE), frames (0 full, 1 optimised).
void BM_WriteGif(benchmark::State& state) {
  const auto coding = state.range(0) ? TGifCompression::Rle : TGifCompression::Lzw;
  const TGifData gif = state.range(1) ? OptimizeGif(Sprite()) : Sprite();
  size_t size = 0;
  for (auto _ : state) size = WriteGif(gif, coding).size();
  state.counters["bytes"] = double(size);
  state.SetLabel(std::string(state.range(0) ? "RLE" : "LZW") +
                 (state.range(1) ? ", optimised frames" : ", full frames"));
}
BENCHMARK(BM_WriteGif)
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond);

// Sizes only: ours optimised (LZW) against gifsicle -O2 of the same full frames.
void BM_SizeVsGifsicle(benchmark::State& state) {
  const std::string name = SyntheticGifNames()[size_t(state.range(0))];
  const TGifData full = SyntheticGif(name);
  size_t ours = 0;
  for (auto _ : state) ours = WriteGif(OptimizeGif(full), TGifCompression::Lzw).size();
  state.counters["ours"] = double(ours);
  state.SetLabel(name);
  const auto dir = std::filesystem::temp_directory_path();
  const std::string in = (dir / ("velmora-bench-" + name + ".gif")).string();
  const std::string out = in + ".gifsicle.gif";
  WriteFileAtomic(in, WriteGif(full, TGifCompression::Lzw));
  if (std::system(("gifsicle -O2 '" + in + "' -o '" + out + "' 2>/dev/null").c_str()) == 0) {
    const double theirs = double(std::filesystem::file_size(out));
    state.counters["gifsicle"] = theirs;
    state.counters["ratio"] = double(ours) / theirs;
  }
  std::filesystem::remove(in);
  std::filesystem::remove(out);
}
BENCHMARK(BM_SizeVsGifsicle)->DenseRange(0, 3)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
