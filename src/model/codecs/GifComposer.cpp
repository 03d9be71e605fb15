// Flattening GIF frames into screen-size pictures: the animation as the document edits it, and
// the first frame of a single-image GIF.

#include <algorithm>
#include <span>
#include <unordered_set>

#include "model/Errors.h"
#include "model/codecs/GifCodec.h"
#include "model/codecs/GifTables.h"

namespace {

using gif_detail::ActiveTable;
using gif_detail::TableColor;

// The frame's rectangle on the screen.
TRect ScreenRect(const TGifData& gif, const TGifFrameData& f) {
  return TRect{f.Left, f.Top, f.Left + f.Width, f.Top + f.Height}.Intersect(
      {0, 0, gif.ScreenWidth, gif.ScreenHeight});
}

// Draws the frame's pixels onto the surface, leaving its transparent index out when asked.
void DrawFrame(TSurface& target, const TGifData& gif, const TGifFrameData& f, bool transparent) {
  const std::vector<TColor>& table = ActiveTable(gif, f);
  TPixel lookup[256];
  for (int i = 0; i < 256; ++i) lookup[i] = ColorToPixel(TableColor(table, i));
  const TRect r = ScreenRect(gif, f);
  for (int y = r.Top; y < r.Bottom; ++y) {
    const uint8_t* src = f.Indices.data() + size_t(y - f.Top) * size_t(f.Width);
    TPixel* dst = target.Row(y);
    for (int x = r.Left; x < r.Right; ++x) {
      const uint8_t index = src[x - f.Left];
      if (!transparent || index != f.Control.TransparentIndex) dst[x] = lookup[index];
    }
  }
}

void CopyRect(TSurface& target, const TSurface& source, const TRect& r) {
  if (r.IsEmpty()) return;
  for (int y = r.Top; y < r.Bottom; ++y)
    std::copy(source.Row(y) + r.Left, source.Row(y) + r.Right, target.Row(y) + r.Left);
}

std::vector<TColor> PaddedTable(const std::vector<TColor>& table, int bits) {
  std::vector<TColor> palette(size_t(1) << std::clamp(bits, 1, 8), clBlack);
  std::copy_n(table.begin(), std::min(table.size(), palette.size()), palette.begin());
  return palette;
}

TColor ChooseKeyColor(const TGifData& gif) {
  std::unordered_set<TColor> used(gif.GlobalTable.begin(), gif.GlobalTable.end());
  for (const TGifFrameData& f : gif.Frames) used.insert(f.LocalTable.begin(), f.LocalTable.end());
  TColor key = IconTransparentColor;
  while (used.count(key)) key = (key + 1) & 0xFFFFFF;
  return key;
}

int FrameBits(const TGifData& gif, const TGifFrameData& f) {
  return f.LocalTable.empty() ? gif.GlobalBits : f.LocalBits;
}

uint16_t DelayMs(const TGifControl& control) {
  if (!control.Present) return 100;
  return uint16_t(std::min<int>(control.DelayCs * 10, 0xFFFF));
}

void CheckComposedSize(const TGifData& gif) {
  CheckSurfaceSize(gif.ScreenWidth, gif.ScreenHeight);
  for (const TGifFrameData& f : gif.Frames)
    if (f.Width < 0 || f.Height < 0 || f.Indices.size() != size_t(f.Width) * size_t(f.Height))
      throw EVelmoraError("The GIF picture is damaged.");
  const int64_t screen = int64_t(gif.ScreenWidth) * gif.ScreenHeight;
  if (screen > 0 && int64_t(gif.Frames.size()) + 3 > gif_limits::MaxComposedPixels / screen)
    throw EVelmoraError("The GIF file is too large.");
}

TComposedFrame DescribeFrame(const TGifData& gif, const TGifFrameData& f) {
  TComposedFrame out;
  if (!f.LocalTable.empty()) {
    out.LocalPalette = true;
    out.Palette = PaddedTable(f.LocalTable, f.LocalBits);
  }
  if (f.Control.Present) {
    out.Transparent = f.Control.Transparent;
    out.TransparentColor = TableColor(ActiveTable(gif, f), f.Control.TransparentIndex);
    out.Disposal = f.Control.Disposal <= 3 ? f.Control.Disposal : 0;
  }
  out.DelayMs = DelayMs(f.Control);
  out.Interlaced = f.Interlaced;
  out.Comments = f.Comments;
  return out;
}

// Key colour, depth and group palette: everything but the frames.
TComposedGif ComposedGroup(const TGifData& gif) {
  TComposedGif out;
  out.Width = gif.ScreenWidth;
  out.Height = gif.ScreenHeight;
  out.KeyColor = ChooseKeyColor(gif);
  out.BitCount = std::clamp(gif.BitsPerPixel, 1, 8);
  for (const TGifFrameData& f : gif.Frames)
    out.BitCount = std::max(out.BitCount, FrameBits(gif, f));
  out.Palette = PaddedTable(gif.GlobalTable, out.BitCount);
  return out;
}

}  // namespace

TComposedGif ComposeGif(const TGifData& gif) {
  CheckComposedSize(gif);
  TComposedGif out = ComposedGroup(gif);
  const TPixel key = ColorToPixel(out.KeyColor);
  // The saved state for "restore previous" is made only when a frame asks for it; clearing to
  // the background with transparency means clearing to the key, which needs no picture.
  TSurface composite(gif.ScreenWidth, gif.ScreenHeight, key);
  TSurface previous;
  const bool anyTransparent = std::any_of(gif.Frames.begin(), gif.Frames.end(), [](auto& f) {
    return f.Control.Present && f.Control.Transparent;
  });
  const TPixel backgroundFill =
      gif.GlobalTable.empty() ? ColorToPixel(clBlack)
                              : ColorToPixel(TableColor(gif.GlobalTable, gif.BackgroundIndex));

  for (const TGifFrameData& f : gif.Frames) {
    if (f.Width <= 0 || f.Height <= 0) continue;
    const TRect r = ScreenRect(gif, f);
    const int disposal = f.Control.Present ? f.Control.Disposal : 0;
    if (disposal == 3) previous = composite;
    DrawFrame(composite, gif, f, f.Control.Present && f.Control.Transparent);

    TComposedFrame frame = DescribeFrame(gif, f);
    frame.Image = composite;
    if (frame.Transparent) {
      const TPixel shown = ColorToPixel(frame.TransparentColor);
      for (TPixel& p : std::span(frame.Image.Bits(), size_t(out.Width) * size_t(out.Height)))
        if (p == key) p = shown;
    }
    out.Frames.push_back(std::move(frame));

    if (disposal == 2 && anyTransparent) composite.FillRect(r, key);
    if (disposal == 2 && !anyTransparent) composite.FillRect(r, backgroundFill);
    if (disposal == 3) CopyRect(composite, previous, r);
  }
  return out;
}

TDecodedPicture DecodeGifPicture(const uint8_t* data, size_t size, TGifPictureExtras* extras) {
  const TGifData gif = ReadGif(data, size);
  const TGifFrameData& first = gif.Frames.front();
  CheckSurfaceSize(gif.ScreenWidth, gif.ScreenHeight);

  // The palette is the table the first frame's pixels come from, so every pixel is one of its
  // colours and saving the picture again keeps them.
  const std::vector<TColor>& table = ActiveTable(gif, first);
  const int bits = first.LocalTable.empty()
                       ? (gif.GlobalTable.empty() ? gif.BitsPerPixel : gif.GlobalBits)
                       : first.LocalBits;
  TDecodedPicture picture;
  picture.Kind = TPictureKind::Gif;
  picture.BitCount = uint8_t(std::clamp(bits, 1, 8));
  picture.Palette = PaddedTable(table, picture.BitCount);
  picture.Transparent = first.Control.Present && first.Control.Transparent;
  picture.TransparentColor = first.Control.Present
                                 ? TableColor(table, first.Control.TransparentIndex)
                                 : TableColor(gif.GlobalTable.empty() ? table : gif.GlobalTable, 0);

  TColor outside = *picture.TransparentColor;
  if (!picture.Transparent)
    outside = TableColor(gif.GlobalTable.empty() ? table : gif.GlobalTable, gif.BackgroundIndex);
  picture.Image = TSurface(gif.ScreenWidth, gif.ScreenHeight, ColorToPixel(outside));
  DrawFrame(picture.Image, gif, first, false);
  if (extras) {
    extras->Interlaced = first.Interlaced;
    extras->Comments = first.Comments;
  }
  return picture;
}
