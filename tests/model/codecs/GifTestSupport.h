#pragma once
// Test-side GIF helpers written independently of the codec: a player that composites frames by
// the GIF rules, random animations, a minimal GIF stream parser with its own LZW decoder, and a
// builder of hand-made GIF streams.

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "model/FileIO.h"
#include "model/codecs/GifCodec.h"

namespace gif_test {

// A screen pixel no frame has covered (since the start or a "restore to background").
constexpr uint32_t kNothing = 0xFF000000u;
using TScreen = std::vector<uint32_t>;

// The first difference between two GIFs in words, or "" when they are equal.
std::string DescribeDifference(const TGifData& a, const TGifData& b);

// The screen after each frame is drawn; every loop starts from an empty screen.
std::vector<TScreen> PlayGif(const TGifData& gif);

// A random animation of full-screen frames at 0,0 with random tables, transparency and disposals.
TGifData RandomAnimation(std::mt19937& rng, int maxSide = 24, int maxFrames = 6);

struct TRawImage {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  bool Interlaced = false;
  int MinCodeSize = 0;
  std::vector<uint8_t> Indices;  // de-interlaced
  int MaxCodeWidth = 0;          // the widest code the stream used
};

struct TRawGif {
  std::string Blocks;  // one letter per block in order: L loop, C comment, G control, I image
  std::vector<TRawImage> Images;
};

// Parses a GIF stream and decodes its images with a plain LZW decoder of its own. Throws
// std::runtime_error on anything it does not understand.
TRawGif ParseRawGif(const TBytes& bytes);

// Builds GIF streams byte by byte; image data is sent as literal codes only.
class TRawGifBuilder {
 public:
  TRawGifBuilder(int width, int height, int globalBits, uint8_t background = 0);
  TRawGifBuilder& Comment(const std::string& text);
  TRawGifBuilder& Control(int disposal, int delayCs, int transparentIndex = -1);
  TRawGifBuilder& Loop(int count, const char* name = "NETSCAPE2.0");
  TRawGifBuilder& Image(int left, int top, int width, int height,
                        const std::vector<uint8_t>& indices, int localBits = 0,
                        bool interlaced = false);
  TBytes Finish(bool trailer = true);
  // The global table is grey levels 0, 1, 2, ... scaled to the table size unless set here.
  TRawGifBuilder& GlobalColor(int index, TColor color);

  std::vector<TColor> GlobalTable;

 private:
  TBytes bytes_;
  size_t tableOffset_ = 0;
};

// Grey colour k of a table with 2^bits entries, as the builder makes them.
TColor BuilderColor(int index, int bits);

}  // namespace gif_test
