#pragma once
// The GIF layer: reading and writing GIF streams as plain data, the crop-and-merge optimisation
// of full-screen animations, and the flattening of an animation into full-screen pictures.
//
// Nothing here knows the document classes; they are built on top of these functions.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
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

// The number of images of a GIF stream that ReadGif would keep, found without decoding their
// pixels; 0 for data that is no GIF.
int CountGifImages(const uint8_t* data, size_t size);

// Writes a GIF89a stream. Colour tables are padded with black to a power of two that covers
// every index used; frames without pixels are left out.
TBytes WriteGif(const TGifData& gif, TGifCompression compression);

// One full-screen picture of an animation, drawn over the screen that the previous frame's
// disposal left, as the document holds it. Its pixels must stay valid only during the call that
// takes it.
struct TScreenFrame {
  const TPixel* Pixels = nullptr;  // screen width * height pixel words, row-major
  bool Transparent = false;        // pixels whose low 24 bits equal Key let the screen show through
  TPixel Key = 0;
  TColor TransparentColor = clBlack;  // the table entry written for its transparent pixels
  bool ControlPresent = true;         // a frame read without a control extension stays without one
  // The frame names a transparent index even when none of its pixels needs one: decoders that
  // decide by it how to show uncovered pixels then show them as before.
  bool DeclareTransparency = false;
  uint8_t Disposal = 0;  // 0..3; other values keep the screen like 1
  uint16_t DelayCs = 0;
  bool Interlaced = false;
  std::vector<std::string> Comments;
  // Given, the screen this frame shows differs from the one the previous frame showed only
  // inside this rectangle (so the encoder need not look at the rest).
  std::optional<TRect> ChangedOnly;
};

// Turns full-screen pictures, given one after the other, into an animation that plays exactly
// like them in any decoder, frames cropped to what changes:
// - each stored frame covers the pixels that differ from what the decoder shows before it, and
//   leaves pixels it does not change transparent or draws them again, whichever codes smaller;
// - every frame's disposal is chosen among "keep", "restore previous" and "restore to
//   background" by what the next frame then has to draw;
// - a frame uses the global table when its colours are all in it, otherwise a local table of
//   just the colours it draws, so the colours of earlier frames that a picture shows are never
//   lost to a table that lacks them.
class TGifAnimationEncoder {
 public:
  // `screen` gives the size, the global table and bits, the loop count and the background index;
  // its frames are ignored.
  explicit TGifAnimationEncoder(const TGifData& screen);
  ~TGifAnimationEncoder();
  TGifAnimationEncoder(const TGifAnimationEncoder&) = delete;
  TGifAnimationEncoder& operator=(const TGifAnimationEncoder&) = delete;

  void Add(const TScreenFrame& frame);
  // The animation with its stored frames, ready for WriteGif.
  TGifData Finish();

 private:
  class TImpl;
  std::unique_ptr<TImpl> impl_;
};

// Crops full-screen frames to what changes and makes unchanged pixels transparent where that
// codes smaller (TGifAnimationEncoder). The result plays exactly like the input in any decoder.
// Input that is not made of full-screen frames at 0,0 comes back unchanged.
TGifData OptimizeGif(const TGifData& fullFrames);

// One stored frame flattened to the logical screen.
struct TComposedFrame {
  TSurface Image;  // the screen as it looks once the frame has been drawn
  bool LocalPalette = false;
  std::vector<TColor> Palette;  // 2^LocalBits entries when LocalPalette
  // Pixels no frame covers are transparent: they show the frame's transparent colour, a colour no
  // covered pixel of the picture has (the file's transparent colour when that is so, otherwise
  // the animation's key colour).
  bool Transparent = false;
  TColor TransparentColor = clBlack;  // black for an opaque frame without a control extension
  uint8_t Disposal = 0;               // 0..3; undefined methods read as 0
  uint32_t DelayMs = 100;
  bool ControlPresent = false;         // whether the file gave it a control extension
  bool NamesTransparentIndex = false;  // and whether that named a transparent index
  bool Interlaced = false;
  std::vector<std::string> Comments;
};

struct TComposedGif {
  int Width = 0, Height = 0;
  uint8_t BackgroundIndex = 0;
  TColor KeyColor = IconTransparentColor;  // stands for "nothing drawn here"
  int BitCount = 1;
  std::vector<TColor> Palette;  // 2^BitCount entries
  std::vector<TComposedFrame> Frames;
};

// Flattens an animation frame by frame: every non-empty frame becomes a screen-size picture.
// Throws EVelmoraError when the pictures would need too much memory.
class TGifComposer {
 public:
  explicit TGifComposer(const TGifData& gif);
  // Key colour, depth and palette of the animation; its Frames stay empty.
  const TComposedGif& Group() const { return group_; }
  // Composes the next frame; false when none is left.
  bool Next();
  // The current frame without its image.
  const TComposedFrame& Frame() const { return frame_; }
  // The screen once the current frame is drawn, with the key colour where nothing covers it.
  const TSurface& Screen() const { return screen_; }
  // The current frame's picture: the screen with uncovered pixels in its transparent colour.
  void CopyPicture(TSurface& out) const;
  // Where the screen may differ from the one the previous frame showed.
  const TRect& Changed() const { return changed_; }

 private:
  void Describe(const TGifFrameData& f);
  void Dispose(const TGifFrameData& f);
  int64_t CountUncovered(const TRect& r) const;
  bool ScreenHas(TPixel c);

  // What a look for a colour on the screen found, and how many screen changes it has seen.
  struct TColorLook {
    TPixel Color;
    size_t Seen;
    bool Found;
    int X, Y;  // where it was found
  };

  const TGifData& gif_;
  TComposedGif group_;
  TComposedFrame frame_;
  TSurface screen_, saved_;
  TRect savedRect_;
  TRect changed_;
  int64_t uncovered_ = 0;             // pixels of the screen no frame covers
  std::unordered_set<TColor> drawn_;  // every colour a frame could have drawn so far
  std::vector<TRect> changes_;        // the rectangle of every change to the screen so far
  std::vector<TColorLook> looks_;     // the colours looked for, a few at most
  size_t next_ = 0;
};

// Every frame with its picture.
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
