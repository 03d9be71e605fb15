// Feeds arbitrary bytes to the GIF reader, the composer and the single-picture decoder, and
// checks that whatever was read survives writing and reading again with both codings.

#include <cstdio>
#include <cstdlib>

#include "model/Errors.h"
#include "model/codecs/GifCodec.h"

namespace {

void Require(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "GIF round trip changed %s\n", what);
  std::abort();
}

void CheckRoundTrip(const TGifData& gif, TGifCompression coding) {
  const TBytes bytes = WriteGif(gif, coding);
  const TGifData back = ReadGif(bytes.data(), bytes.size());
  Require(back.ScreenWidth == gif.ScreenWidth && back.ScreenHeight == gif.ScreenHeight, "screen");
  Require(back.LoopCount == gif.LoopCount, "loop count");
  Require(back.Frames.size() == gif.Frames.size(), "frame count");
  for (size_t i = 0; i < gif.Frames.size(); ++i) {
    const TGifFrameData &a = gif.Frames[i], &b = back.Frames[i];
    Require(a.Left == b.Left && a.Top == b.Top && a.Width == b.Width && a.Height == b.Height,
            "rectangle");
    Require(a.Indices == b.Indices, "indices");
    Require(a.Control == b.Control, "control");
    Require(a.Comments == b.Comments && a.Interlaced == b.Interlaced, "comments or interlace");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TGifData gif;
  try {
    gif = ReadGif(data, size);
  } catch (const EVelmoraError&) {
    return 0;
  }
  // Large screens are legal but make the fuzzer crawl; the limits themselves are unit-tested.
  const bool small = int64_t(gif.ScreenWidth) * gif.ScreenHeight * int64_t(gif.Frames.size() + 3) <
                     (int64_t(1) << 20);
  try {
    if (small) ComposeGif(gif);
    if (small) DecodeGifPicture(data, size);
  } catch (const EVelmoraError&) {
  }
  CheckRoundTrip(gif, TGifCompression::Lzw);
  CheckRoundTrip(gif, TGifCompression::Rle);
  return 0;
}
