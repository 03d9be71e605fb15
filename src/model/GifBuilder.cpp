#include "model/GifBuilder.h"

#include <algorithm>

#include "model/ColorReduction.h"
#include "model/Groups.h"
#include "model/WorkImages.h"
#include "model/codecs/GifCodec.h"
#include "model/codecs/GifTables.h"
#include "model/codecs/PaletteMapper.h"

namespace {

std::optional<int> StoredLoopCount(int32_t loopCount) {
  if (loopCount == NoLoopExtension) return std::nullopt;
  return loopCount & 0xFFFF;
}

uint16_t StoredDelay(uint32_t ms) {
  return uint16_t(std::min<uint32_t>(ms / 10, 0xFFFF));
}

// Sub-icons can be deeper than a GIF allows: they are reduced to 256 colours first.
void LimitToEightBits(TSelectBitmap& raster) {
  if (raster.GetBitCount() <= 8) return;
  const TPaletteRecord pal = raster.QuantizedPalette(256, TDitherMode::FloydSteinberg);
  raster.SetBitCount(8);
  raster.ApplyPalette(pal, TDitherMode::FloydSteinberg);
}

// A global table of nothing but black is left out: frames draw from tables of their own, and the
// header's colour depth gives the reader the same all-black palette back.
void SetGlobalTable(TGifData& gif, const std::vector<TColor>& palette) {
  gif.BitsPerPixel = palette.empty() ? 8 : gif_detail::BitsForCount(palette.size());
  if (std::all_of(palette.begin(), palette.end(), [](TColor c) { return c == clBlack; })) return;
  gif.GlobalTable = palette;
  gif.GlobalBits = gif.BitsPerPixel;
}

// The screen, global table and loop count of a group.
TGifData GroupScreen(const TImageGroup& group) {
  TGifData gif;
  gif.ScreenWidth = std::max(group.Width, 1);
  gif.ScreenHeight = std::max(group.Height, 1);
  for (int i = 0; i < group.Count(); ++i) {
    gif.ScreenWidth = std::max(gif.ScreenWidth, group.GetFrame(i)->Width());
    gif.ScreenHeight = std::max(gif.ScreenHeight, group.GetFrame(i)->Height());
  }
  if (group.Palette.Count >= 1 && group.Palette.Count <= 256)
    SetGlobalTable(gif, PaletteColors(group.Palette, 256));
  else
    gif.BitsPerPixel = 8;
  const auto* gifGroup = dynamic_cast<const TGifImageGroup*>(&group);
  gif.LoopCount = gifGroup ? StoredLoopCount(gifGroup->LoopCount) : 0;
  if (gifGroup) gif.BackgroundIndex = gifGroup->BackgroundIndex;
  return gif;
}

// Whether a frame is written with a control extension (the encoder adds one for transparency).
bool NeedsControl(const TWorkGifFrame* frame, uint8_t disposal, uint32_t delayMs) {
  return !frame || frame->HasControlExtension || disposal != 0 || delayMs != 100;
}

// A frame as the encoder takes it. Frames are used as they are; only a floating layer, a depth
// beyond 8 bits or a size smaller than the screen (sub-icons) needs a copy, which `copy` holds.
TScreenFrame ScreenFrameOf(const TWorkFrame& source, const TGifData& screen,
                           std::unique_ptr<TSelectBitmap>& copy) {
  const TSelectBitmap* raster = &source;
  const bool fits = source.Width() == screen.ScreenWidth && source.Height() == screen.ScreenHeight;
  bool keyed = source.GetTransparent();
  TColor key = source.GetTransparentColor();
  const bool alpha = source.UsesAlpha();
  if (source.HasLayer() || source.GetBitCount() > 8 || !fits) {
    copy = std::make_unique<TSelectBitmap>();
    copy->Assign(source);
    copy->DropLayer();
    if (alpha) {
      // GIF says transparency with a key: pixels less than half opaque take one of their own.
      copy->SetTransparent(false);
      copy->DropAlpha();
    }
    LimitToEightBits(*copy);
    if (alpha) {
      keyed = copy->GetTransparent();
      key = copy->GetTransparentColor();
    }
    if (!fits) {
      // Pixels beyond a smaller frame are left transparent.
      if (!alpha || !keyed) key = IconTransparentColor;
      keyed = true;
      TSurface padded(screen.ScreenWidth, screen.ScreenHeight, ColorToPixel(key));
      for (int y = 0; y < copy->Height(); ++y)
        std::copy_n(copy->Image().Row(y), copy->Width(), padded.Row(y));
      copy->EditImage() = std::move(padded);
    }
    raster = copy.get();
  }
  TScreenFrame f;
  f.Pixels = raster->Image().Bits();
  f.Transparent = keyed;
  f.TransparentColor = key;
  f.Key = ColorToPixel(f.TransparentColor);
  const auto* gifFrame = dynamic_cast<const TWorkGifFrame*>(&source);
  f.DelayCs = gifFrame ? StoredDelay(gifFrame->Delay()) : 30;
  f.Disposal = gifFrame ? gifFrame->Disposal : uint8_t(DisposeBackground);
  f.Interlaced = gifFrame && gifFrame->Interlaced();
  f.ControlPresent = NeedsControl(gifFrame, f.Disposal, gifFrame ? gifFrame->Delay() : 0);
  f.DeclareTransparency = f.Transparent && (!gifFrame || gifFrame->NamesTransparentIndex);
  if (gifFrame) f.Comments = gifFrame->Comments();  // each its own extension, as read
  return f;
}

// The picture's pixels as indices of `table`. Colours are looked up exactly (the first entry of a
// colour wins); a colour missing from the table takes its nearest entry. Transparent pixels take
// the key's own entry, else an entry no other pixel uses, else a new entry for the key.
std::vector<uint8_t> IndexPicture(const TSurface& image, std::vector<TColor>& table,
                                  bool transparent, TColor key, uint8_t& keyIndex) {
  TPaletteMapper mapper(table.data(), int(table.size()));
  const TPixel keyPixel = ColorToPixel(key);
  const size_t n = size_t(image.Width()) * size_t(image.Height());
  std::vector<uint8_t> out(n);
  std::vector<bool> used(256, false);
  bool anyKey = false;
  const TPixel* p = image.Bits();
  for (size_t i = 0; i < n; ++i) {
    const TPixel pixel = p[i] & 0xFFFFFF;
    if (transparent && pixel == keyPixel) {
      anyKey = true;
      continue;
    }
    out[i] = uint8_t(mapper.IndexOf(pixel));
    used[out[i]] = true;
  }
  keyIndex = 0;
  if (!transparent) return out;
  const auto own = std::find(table.begin(), table.end(), key);
  if (own != table.end()) {
    keyIndex = uint8_t(own - table.begin());
  } else {
    const auto free = std::find(used.begin(), used.begin() + ptrdiff_t(table.size()), false);
    if (free != used.begin() + ptrdiff_t(table.size())) {
      keyIndex = uint8_t(free - used.begin());
    } else if (table.size() < 256) {
      keyIndex = uint8_t(table.size());
      table.push_back(key);
    } else {
      keyIndex = uint8_t(mapper.IndexOf(keyPixel));  // 256 colours and transparency: no room
    }
  }
  if (anyKey)
    for (size_t i = 0; i < n; ++i)
      if ((p[i] & 0xFFFFFF) == keyPixel) out[i] = keyIndex;
  return out;
}

}  // namespace

TBytes BuildGifStream(const TImageGroup& group) {
  const TGifData screen = GroupScreen(group);
  TGifAnimationEncoder encoder(screen);
  for (int i = 0; i < group.Count(); ++i) {
    std::unique_ptr<TSelectBitmap> copy;
    encoder.Add(ScreenFrameOf(*group.GetFrame(i), screen, copy));
  }
  const auto* gifGroup = dynamic_cast<const TGifImageGroup*>(&group);
  const auto compression =
      TGifCompression(gifGroup ? gifGroup->Compression() : DefaultGifCompression());
  return WriteGif(encoder.Finish(), compression);
}

TBytes RewriteGifAnimation(const TGifData& gif, uint8_t compression) {
  TGifComposer composer(gif);
  const TComposedGif& group = composer.Group();
  TGifData screen;
  screen.ScreenWidth = std::max(group.Width, 1);
  screen.ScreenHeight = std::max(group.Height, 1);
  SetGlobalTable(screen, group.Palette);
  screen.LoopCount = StoredLoopCount(gif.LoopCount.value_or(NoLoopExtension));
  screen.BackgroundIndex = gif.BackgroundIndex;
  TGifAnimationEncoder encoder(screen);
  while (composer.Next()) {
    const TComposedFrame& meta = composer.Frame();
    TScreenFrame f;
    f.Pixels = composer.Screen().Bits();
    // The uncovered pixels are the ones the document shows in the frame's transparent colour.
    f.Transparent = meta.Transparent;
    f.Key = ColorToPixel(group.KeyColor);
    f.TransparentColor = meta.TransparentColor;
    f.DelayCs = StoredDelay(meta.DelayMs);
    f.Disposal = meta.Disposal;
    f.Interlaced = meta.Interlaced;
    f.Comments = meta.Comments;
    f.ChangedOnly = composer.Changed();
    f.ControlPresent = meta.ControlPresent || meta.Disposal != 0 || meta.DelayMs != 100;
    f.DeclareTransparency = meta.Transparent && meta.NamesTransparentIndex;
    encoder.Add(f);
  }
  return WriteGif(encoder.Finish(), TGifCompression(compression));
}

TBytes EncodeGifPicture(const TSelectBitmap& image, const std::vector<std::string>& comments,
                        bool interlaced, uint8_t compression) {
  TGifData gif;
  gif.ScreenWidth = image.Width();
  gif.ScreenHeight = image.Height();
  gif.GlobalTable = PaletteColors(image.GetPalette(), 256);
  if (gif.GlobalTable.empty()) gif.GlobalTable = {clBlack};
  TGifFrameData f;
  f.Width = image.Width();
  f.Height = image.Height();
  f.Indices = IndexPicture(image.Image(), gif.GlobalTable, image.GetTransparent(),
                           image.GetTransparentColor(), f.Control.TransparentIndex);
  gif.GlobalBits = gif.BitsPerPixel = gif_detail::BitsForCount(gif.GlobalTable.size());
  f.Control.Present = true;
  f.Control.Transparent = image.GetTransparent();
  f.Comments = comments;
  f.Interlaced = interlaced;
  gif.Frames.push_back(std::move(f));
  return WriteGif(gif, TGifCompression(compression));
}

int GifImageCount(const uint8_t* data, size_t size) {
  return CountGifImages(data, size);
}
