#pragma once
// The GIF layer: reading and writing GIF streams as plain data, the crop-and-merge optimisation
// of full-screen animations, and the flattening of an animation into full-screen pictures.
//
// Nothing here knows the document classes; they are built on top of these functions.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/Colors.h"
#include "model/FileIO.h"
#include "model/Picture.h"
#include "model/ReadBudget.h"
#include "model/Surface.h"

// The graphic control extension of one frame.
struct TGifControl {
  bool Present = false;
  uint8_t Disposal = 0;  // 0 none, 1 keep, 2 restore to background, 3 restore previous
  uint16_t DelayCs = 0;  // hundredths of a second
  bool Transparent = false;
  uint8_t TransparentIndex = 0;
  friend bool operator==(const TGifControl&, const TGifControl&) = default;
};

// One image of a GIF stream with the extensions that precede it.
struct TGifFrameData {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  bool Interlaced = false;
  std::vector<TColor> LocalTable;  // empty: the frame uses the global table
  int LocalBits = 0;
  std::vector<uint8_t> Indices;  // Width * Height, row-major, de-interlaced
  TGifControl Control;
  std::vector<std::string> Comments;
  friend bool operator==(const TGifFrameData&, const TGifFrameData&) = default;
};

struct TGifData {
  int ScreenWidth = 0, ScreenHeight = 0;
  int BitsPerPixel = 8;  // the global table's bits, or the header's colour resolution without one
  std::vector<TColor> GlobalTable;
  int GlobalBits = 0;
  uint8_t BackgroundIndex = 0;
  std::optional<int> LoopCount;  // from a NETSCAPE2.0 or ANIMEXTS1.0 extension
  std::vector<TGifFrameData> Frames;
  TBudgetTicket IndicesTicket;  // counts the frames' indices while a document is read
  friend bool operator==(const TGifData&, const TGifData&) = default;
};

enum class TGifCompression : uint8_t { Lzw = 0, Rle = 1 };

// Reads a GIF stream. Frames are clipped to the logical screen and frames left empty are dropped;
// a damaged last frame keeps what could be decoded. Throws EVelmoraError when the data is no GIF,
// holds no decodable frame or would need too much memory.
TGifData ReadGif(const uint8_t* data, size_t size);

// Writes a GIF89a stream. Colour tables are padded with black to a power of two that covers
// every index used; frames without pixels are left out.
TBytes WriteGif(const TGifData& gif, TGifCompression compression);

// Crops full-screen frames to what changes and makes unchanged pixels transparent where that
// codes smaller. The result plays exactly like the input in any decoder. Input that is not made
// of full-screen frames at 0,0 comes back unchanged.
TGifData OptimizeGif(const TGifData& fullFrames);

// One stored frame flattened to the logical screen.
struct TComposedFrame {
  TSurface Image;  // the screen as it looks once the frame has been drawn
  bool LocalPalette = false;
  std::vector<TColor> Palette;  // 2^LocalBits entries when LocalPalette
  bool Transparent = false;
  TColor TransparentColor = clBlack;  // black for a frame without a control extension
  uint8_t Disposal = 0;               // 0..3; undefined methods read as 0
  uint16_t DelayMs = 100;
  bool Interlaced = false;
  std::vector<std::string> Comments;
};

struct TComposedGif {
  int Width = 0, Height = 0;
  TColor KeyColor = IconTransparentColor;  // stands for "nothing drawn here"
  int BitCount = 1;
  std::vector<TColor> Palette;  // 2^BitCount entries
  std::vector<TComposedFrame> Frames;
};

// Flattens an animation: every non-empty frame becomes a screen-size picture.
TComposedGif ComposeGif(const TGifData& gif);

// What a single-image GIF document needs beyond the decoded picture.
struct TGifPictureExtras {
  bool Interlaced = false;
  std::vector<std::string> Comments;
};

// Decodes the first frame of a GIF as a picture of the logical screen size.
TDecodedPicture DecodeGifPicture(const uint8_t* data, size_t size,
                                 TGifPictureExtras* extras = nullptr);

// Limits shared by the reader and the composer.
namespace gif_limits {
// Screen-size pictures are kept per frame, so frames times screen pixels is bounded.
constexpr int64_t MaxComposedPixels = MaxSurfacePixels;
// The memory an animation of `frames` frames takes once composed into a document: per frame a
// screen of pixel words, its selection mask and the frame's record, and two working screens.
constexpr int64_t ComposedBytes(int64_t frames, int64_t screenPixels) {
  return frames * (screenPixels * 4 + screenPixels / 8 + 2048) + 2 * screenPixels * 4;
}
}  // namespace gif_limits
