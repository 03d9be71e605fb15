// Flattening GIF frames into screen-size pictures: the animation as the document edits it, and
// the first frame of a single-image GIF.

#include <algorithm>
#include <optional>
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
// Answers by how much the number of pixels in the key colour changed, counted on the way so that
// the frame's rectangle is not scanned again before and after.
int64_t DrawFrame(TSurface& target, const TGifData& gif, const TGifFrameData& f, bool transparent,
                  TPixel key) {
  const std::vector<TColor>& table = ActiveTable(gif, f);
  TPixel lookup[256];
  for (int i = 0; i < 256; ++i) lookup[i] = ColorToPixel(TableColor(table, i));
  const int skipped = transparent ? f.Control.TransparentIndex : -1;
  const TRect r = ScreenRect(gif, f);
  int64_t change = 0;
  for (int y = r.Top; y < r.Bottom; ++y) {
    const uint8_t* src = f.Indices.data() + size_t(y - f.Top) * size_t(f.Width);
    TPixel* dst = target.Row(y);
    int row = 0;
    for (int x = r.Left; x < r.Right; ++x) {
      const uint8_t index = src[x - f.Left];
      const TPixel old = dst[x];
      const TPixel now = index == skipped ? old : lookup[index];
      dst[x] = now;
      row += int(now == key) - int(old == key);
    }
    change += row;
  }
  return change;
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

uint32_t DelayMs(const TGifControl& control) {
  return control.Present ? uint32_t(control.DelayCs) * 10 : 100;
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

// Everything about a frame but its picture and transparency.
TComposedFrame DescribeFrame(const TGifFrameData& f) {
  TComposedFrame out;
  if (!f.LocalTable.empty()) {
    out.LocalPalette = true;
    out.Palette = PaddedTable(f.LocalTable, f.LocalBits);
  }
  if (f.Control.Present) out.Disposal = f.Control.Disposal <= 3 ? f.Control.Disposal : 0;
  out.DelayMs = DelayMs(f.Control);
  out.ControlPresent = f.Control.Present;
  out.NamesTransparentIndex = f.Control.Present && f.Control.Transparent;
  out.Interlaced = f.Interlaced;
  out.Comments = f.Comments;
  return out;
}

// Key colour, depth and group palette: everything but the frames.
TComposedGif ComposedGroup(const TGifData& gif) {
  TComposedGif out;
  out.Width = gif.ScreenWidth;
  out.Height = gif.ScreenHeight;
  out.BackgroundIndex = gif.BackgroundIndex;
  out.KeyColor = ChooseKeyColor(gif);
  out.BitCount = std::clamp(gif.BitsPerPixel, 1, 8);
  for (const TGifFrameData& f : gif.Frames)
    out.BitCount = std::max(out.BitCount, FrameBits(gif, f));
  out.Palette = PaddedTable(gif.GlobalTable, out.BitCount);
  return out;
}

// Finds the first pixel of colour `c` in `r`; false when there is none. Rows are scanned whole,
// which the compiler vectorises.
bool FindColor(const TSurface& s, const TRect& r, TPixel c, int& x, int& y) {
  for (int row = r.Top; row < r.Bottom; ++row) {
    const TPixel* p = s.Row(row);
    if (std::find(p + r.Left, p + r.Right, c) == p + r.Right) continue;
    y = row;
    x = int(std::find(p + r.Left, p + r.Right, c) - p);
    return true;
  }
  return false;
}

bool Holds(const TRect& r, int x, int y) {
  return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
}

}  // namespace

TGifComposer::TGifComposer(const TGifData& gif) : gif_(gif) {
  CheckComposedSize(gif);
  group_ = ComposedGroup(gif);
  const TPixel key = ColorToPixel(group_.KeyColor);
  screen_ = TSurface(gif.ScreenWidth, gif.ScreenHeight, key);
  uncovered_ = int64_t(gif.ScreenWidth) * gif.ScreenHeight;
}

int64_t TGifComposer::CountUncovered(const TRect& r) const {
  const TPixel key = ColorToPixel(group_.KeyColor);
  int64_t n = 0;
  for (int y = r.Top; y < r.Bottom; ++y)
    n += std::count(screen_.Row(y) + r.Left, screen_.Row(y) + r.Right, key);
  return n;
}

bool TGifComposer::Next() {
  changed_ = TRect{};
  if (next_ > 0) Dispose(gif_.Frames[next_ - 1]);
  while (next_ < gif_.Frames.size() &&
         (gif_.Frames[next_].Width <= 0 || gif_.Frames[next_].Height <= 0))
    ++next_;
  if (next_ >= gif_.Frames.size()) return false;
  const TGifFrameData& f = gif_.Frames[next_++];
  const TRect r = ScreenRect(gif_, f);
  changed_ = changed_.IsEmpty()
                 ? r
                 : TRect{std::min(changed_.Left, r.Left), std::min(changed_.Top, r.Top),
                         std::max(changed_.Right, r.Right), std::max(changed_.Bottom, r.Bottom)};
  if (f.Control.Present && f.Control.Disposal == 3) {
    // Only the frame's rectangle changes until it is restored.
    savedRect_ = ScreenRect(gif_, f);
    saved_ = TSurface(std::max(savedRect_.Width(), 0), std::max(savedRect_.Height(), 0));
    for (int y = savedRect_.Top; y < savedRect_.Bottom; ++y)
      std::copy(screen_.Row(y) + savedRect_.Left, screen_.Row(y) + savedRect_.Right,
                saved_.Row(y - savedRect_.Top));
  }
  const bool transparent = f.Control.Present && f.Control.Transparent;
  uncovered_ += DrawFrame(screen_, gif_, f, transparent, ColorToPixel(group_.KeyColor));
  changes_.push_back(r);
  // The colours this frame can draw; a transparent colour among them needs a look at the screen.
  const std::vector<TColor>& table = ActiveTable(gif_, f);
  for (size_t i = 0; i < std::min<size_t>(table.size(), 256); ++i)
    if (!transparent || i != f.Control.TransparentIndex) drawn_.insert(table[i]);
  if (table.size() < 256) drawn_.insert(clBlack);  // indices beyond the table show black
  Describe(f);
  return true;
}

// The frame's transparency: a frame that leaves pixels uncovered is transparent, and its
// transparent colour must be one that no covered pixel has, or those pixels would vanish.
void TGifComposer::Describe(const TGifFrameData& f) {
  frame_ = DescribeFrame(f);
  const std::optional<TColor> own =
      f.Control.Present
          ? std::optional(TableColor(ActiveTable(gif_, f), f.Control.TransparentIndex))
          : std::nullopt;
  const bool uncovered = uncovered_ > 0;
  const bool taken = own && drawn_.count(*own) && ScreenHas(ColorToPixel(*own));
  frame_.Transparent = (f.Control.Present && f.Control.Transparent) || uncovered;
  frame_.TransparentColor = own.value_or(clBlack);
  if (frame_.Transparent && (!own || taken)) frame_.TransparentColor = group_.KeyColor;
}

// Whether a pixel of the screen has the colour `c`. Looking at the whole screen for every frame
// would cost more than composing small frames, so what an earlier look found is kept: a colour
// found stays until a change covers the pixel where it was, and a colour missing can only have
// come with the changes since.
bool TGifComposer::ScreenHas(TPixel c) {
  const TRect whole = screen_.Bounds();
  auto look =
      std::find_if(looks_.begin(), looks_.end(), [c](const TColorLook& l) { return l.Color == c; });
  if (look == looks_.end()) {
    constexpr size_t MaxLooks = 8;
    if (looks_.size() == MaxLooks) looks_.erase(looks_.begin());
    looks_.push_back({c, changes_.size(), false, 0, 0});
    look = looks_.end() - 1;
    look->Found = FindColor(screen_, whole, c, look->X, look->Y);
    return look->Found;
  }
  const size_t since = look->Seen;
  look->Seen = changes_.size();
  if (look->Found) {
    const bool covered = std::any_of(changes_.begin() + std::ptrdiff_t(since), changes_.end(),
                                     [&](const TRect& r) { return Holds(r, look->X, look->Y); });
    if (!covered) return true;
    look->Found = FindColor(screen_, whole, c, look->X, look->Y);
    return look->Found;
  }
  int64_t area = 0;
  for (size_t i = since; i < changes_.size(); ++i)
    area += int64_t(changes_[i].Width()) * changes_[i].Height();
  if (area >= int64_t(whole.Width()) * whole.Height()) {
    look->Found = FindColor(screen_, whole, c, look->X, look->Y);
    return look->Found;
  }
  for (size_t i = since; i < changes_.size() && !look->Found; ++i)
    look->Found = FindColor(screen_, changes_[i], c, look->X, look->Y);
  return look->Found;
}

void TGifComposer::Dispose(const TGifFrameData& f) {
  const int disposal = f.Control.Present ? f.Control.Disposal : 0;
  if (disposal != 2 && disposal != 3) return;
  const TRect r = ScreenRect(gif_, f);
  changed_ = r;
  uncovered_ -= CountUncovered(r);
  if (disposal == 2) {
    // Restoring to the background uncovers the rectangle. Decoders show uncovered pixels in
    // different ways (transparent, the background colour, black), so they stay uncovered rather
    // than taking the background colour: saved again, they then look as before in each of them.
    screen_.FillRect(r, ColorToPixel(group_.KeyColor));
    uncovered_ += int64_t(std::max(r.Width(), 0)) * std::max(r.Height(), 0);
  } else {
    for (int y = savedRect_.Top; y < savedRect_.Bottom; ++y)
      std::copy(saved_.Row(y - savedRect_.Top), saved_.Row(y - savedRect_.Top) + saved_.Width(),
                screen_.Row(y) + savedRect_.Left);
    uncovered_ += CountUncovered(r);
  }
  changes_.push_back(r);
}

void TGifComposer::CopyPicture(TSurface& out) const {
  if (out.Width() != screen_.Width() || out.Height() != screen_.Height())
    out = TSurface(screen_.Width(), screen_.Height());
  const size_t n = size_t(screen_.Width()) * size_t(screen_.Height());
  const TPixel key = ColorToPixel(group_.KeyColor);
  const TPixel shown = ColorToPixel(frame_.TransparentColor);
  const TPixel* src = screen_.Bits();
  TPixel* dst = out.Bits();
  if (!frame_.Transparent || shown == key) {
    std::copy(src, src + n, dst);
    return;
  }
  for (size_t i = 0; i < n; ++i) dst[i] = src[i] == key ? shown : src[i];
}

TComposedGif ComposeGif(const TGifData& gif) {
  TGifComposer composer(gif);
  TComposedGif out = composer.Group();
  while (composer.Next()) {
    out.Frames.push_back(composer.Frame());
    composer.CopyPicture(out.Frames.back().Image);
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
  const bool clear = first.Control.Present && first.Control.Transparent;
  TColor key = first.Control.Present
                   ? TableColor(table, first.Control.TransparentIndex)
                   : TableColor(gif.GlobalTable.empty() ? table : gif.GlobalTable, 0);
  // Pixels the image leaves uncovered are transparent too. The transparent colour must be one
  // that no drawn pixel has (a table may hold the transparent colour twice).
  const TRect r = ScreenRect(gif, first);
  const bool uncovered = r.Width() < gif.ScreenWidth || r.Height() < gif.ScreenHeight;
  picture.Transparent = clear || uncovered;
  if (picture.Transparent) {
    const bool taken = std::any_of(first.Indices.begin(), first.Indices.end(), [&](uint8_t i) {
      return !(clear && i == first.Control.TransparentIndex) && TableColor(table, i) == key;
    });
    if (taken) key = ChooseKeyColor(gif);
  }
  picture.TransparentColor = key;
  TColor outside = key;
  if (!picture.Transparent)
    outside = TableColor(gif.GlobalTable.empty() ? table : gif.GlobalTable, gif.BackgroundIndex);
  picture.Image = TSurface(gif.ScreenWidth, gif.ScreenHeight, ColorToPixel(outside));
  DrawFrame(picture.Image, gif, first, clear, ColorToPixel(key));
  if (extras) {
    extras->Interlaced = first.Interlaced;
    extras->Comments = first.Comments;
  }
  return picture;
}
