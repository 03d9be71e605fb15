// The crop-and-merge optimisation of full-screen animations.
//
// The screen is followed as a plane of colours in which kNothing marks pixels that no frame has
// covered since the start or since a "restore to background" disposal. Decoders disagree on what
// such pixels show (transparency or the background colour), so the optimised animation must leave
// exactly the same pixels uncovered as the original after every frame; it then looks the same in
// every decoder, whichever way it shows them. Every loop is taken to start from an empty screen,
// as browsers do.
//
// With D(k) the screen shown after frame k, P(k) the screen after its disposal in the original
// and P'(k) the same in the optimised animation:
// - optimised frame k covers the bounding box of the pixels where D(k) differs from P'(k-1); it
//   draws those with its own indices, which works because P'(k-1) equals P(k-1) wherever the
//   original frame k is transparent, so only pixels it draws opaquely can differ;
// - P'(k) must therefore equal P(k) on Need(k): the transparent pixels of frame k+1 and, when
//   frame k+1 restores the previous screen, on Need(k+1) as well;
// - the disposal of frame k is chosen once frame k+1 is known, among "keep", "restore previous"
//   and (where the original restores to background) "restore to background" over a rectangle
//   grown to uncover what Need(k) asks for; of those that meet Need(k) the one that leaves the
//   least to draw wins. The original's own disposal always meets it, so one always does.

#include <algorithm>
#include <array>

#include "model/codecs/GifCodeStreams.h"
#include "model/codecs/GifCodec.h"
#include "model/codecs/GifTables.h"

namespace {

using gif_detail::ActiveTable;
using gif_detail::BitsForCount;
using gif_detail::ChooseForLzw;
using gif_detail::EffectiveDisposal;
using gif_detail::EstimateLzwBytes;
using gif_detail::TableColor;
using TPlane = std::vector<uint32_t>;

constexpr uint32_t kNothing = 0xFF000000u;  // no colour table colour has a high byte

enum class TKeepMode : uint8_t { Keep, Background, Previous };

TRect Union(const TRect& a, const TRect& b) {
  if (a.IsEmpty()) return b;
  if (b.IsEmpty()) return a;
  return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
          std::max(a.Bottom, b.Bottom)};
}

int64_t Area(const TRect& r) {
  return r.IsEmpty() ? 0 : int64_t(r.Width()) * r.Height();
}

bool IsFullScreen(const TGifData& gif) {
  if (gif.ScreenWidth <= 0 || gif.ScreenHeight <= 0 || gif.Frames.empty()) return false;
  return std::all_of(gif.Frames.begin(), gif.Frames.end(), [&](const TGifFrameData& f) {
    return f.Left == 0 && f.Top == 0 && f.Width == gif.ScreenWidth &&
           f.Height == gif.ScreenHeight && f.Indices.size() == size_t(f.Width) * size_t(f.Height) &&
           f.LocalTable.size() <= 256;
  });
}

bool IsTransparentAt(const TGifFrameData& f, size_t p) {
  return f.Control.Present && f.Control.Transparent && f.Indices[p] == f.Control.TransparentIndex;
}

class TGifOptimizer {
 public:
  explicit TGifOptimizer(const TGifData& in)
      : in_(in),
        width_(in.ScreenWidth),
        height_(in.ScreenHeight),
        size_(size_t(width_) * size_t(height_)) {}
  TGifData Run();

 private:
  void Show(const TGifFrameData& f, const TPlane& under, TPlane& shown) const;
  TRect BoundsWhere(auto&& predicate) const;
  struct TChoice {
    TKeepMode Mode = TKeepMode::Keep;
    TRect Rect;
    TPlane After;  // P'(i-1)
  };
  std::vector<uint8_t> NeedMask(size_t k) const;
  TPlane Dispose(TKeepMode mode, const TRect& rect) const;
  TChoice ChooseDisposal(size_t i, const TRect& rect) const;
  std::vector<uint8_t> Arrange(const TGifFrameData& f, const TRect& rect, int clear) const;
  void Emit(size_t i, TRect rect, TKeepMode mode);
  int DisposalValue(size_t i, TKeepMode mode) const;
  int TableBits(const TGifFrameData& f) const;
  int FreeIndex(const TGifFrameData& f, const TRect& r) const;

  const TGifData& in_;
  const int width_, height_;
  const size_t size_;
  TGifData out_;
  TPlane shownPrev_, shown_;  // D(i-1), D(i)
  TPlane basePrev_;           // B(i-1)
  TPlane originalAfter_;      // P(i-1) of the original
};

void TGifOptimizer::Show(const TGifFrameData& f, const TPlane& under, TPlane& shown) const {
  const std::vector<TColor>& table = ActiveTable(in_, f);
  std::array<uint32_t, 256> colors;
  for (int k = 0; k < 256; ++k) colors[size_t(k)] = TableColor(table, k);
  shown = under;
  for (size_t p = 0; p < size_; ++p)
    if (!IsTransparentAt(f, p)) shown[p] = colors[f.Indices[p]];
}

TRect TGifOptimizer::BoundsWhere(auto&& predicate) const {
  TRect r{width_, height_, 0, 0};
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x)
      if (predicate(size_t(y) * size_t(width_) + size_t(x))) {
        r.Left = std::min(r.Left, x);
        r.Right = std::max(r.Right, x + 1);
        r.Top = std::min(r.Top, y);
        r.Bottom = std::max(r.Bottom, y + 1);
      }
  return r.IsEmpty() ? TRect{} : r;
}

// The pixels where P'(k) must equal P(k); see the top of the file.
std::vector<uint8_t> TGifOptimizer::NeedMask(size_t k) const {
  constexpr size_t kLongestChain = 32;  // beyond that the whole screen counts
  std::vector<uint8_t> need(size_, 0);
  for (size_t m = k + 1, steps = 0; m < in_.Frames.size(); ++m, ++steps) {
    if (steps == kLongestChain) return std::vector<uint8_t>(size_, 1);
    const TGifFrameData& f = in_.Frames[m];
    for (size_t p = 0; p < size_; ++p) need[p] |= IsTransparentAt(f, p);
    if (EffectiveDisposal(f.Control) != 3) break;
  }
  return need;
}

// P'(k) for frame k (shown in shownPrev_, drawn onto basePrev_) disposed of over `rect`.
TPlane TGifOptimizer::Dispose(TKeepMode mode, const TRect& rect) const {
  TPlane after = shownPrev_;
  if (mode == TKeepMode::Keep) return after;
  for (int y = rect.Top; y < rect.Bottom; ++y) {
    const size_t row = size_t(y) * size_t(width_);
    for (int x = rect.Left; x < rect.Right; ++x)
      after[row + size_t(x)] =
          mode == TKeepMode::Background ? kNothing : basePrev_[row + size_t(x)];
  }
  return after;
}

// Chooses the disposal of frame i-1 now that D(i) is in shown_; `rect` is that frame's change
// rectangle and may grow.
TGifOptimizer::TChoice TGifOptimizer::ChooseDisposal(size_t i, const TRect& rect) const {
  const std::vector<uint8_t> need = NeedMask(i - 1);
  std::vector<TChoice> choices = {{TKeepMode::Keep, rect, {}}, {TKeepMode::Previous, rect, {}}};
  if (EffectiveDisposal(in_.Frames[i - 1].Control) == 2) {
    const TRect grow = BoundsWhere([&](size_t p) { return need[p] && shownPrev_[p] != kNothing; });
    choices.push_back({TKeepMode::Background, Union(rect, grow), {}});
  }
  // On equal cost the original's own disposal wins, so a file read back shows what was set.
  const int own = EffectiveDisposal(in_.Frames[i - 1].Control);
  const TKeepMode ownMode = own == 2   ? TKeepMode::Background
                            : own == 3 ? TKeepMode::Previous
                                       : TKeepMode::Keep;
  std::stable_partition(choices.begin(), choices.end(),
                        [&](const TChoice& c) { return c.Mode == ownMode; });
  TChoice best;
  int64_t bestCost = -1;
  for (TChoice& c : choices) {
    c.After = Dispose(c.Mode, c.Rect);
    bool meets = true;
    for (size_t p = 0; p < size_ && meets; ++p) meets = !need[p] || c.After[p] == originalAfter_[p];
    if (!meets) continue;
    const TRect next = BoundsWhere([&](size_t p) { return shown_[p] != c.After[p]; });
    const int64_t cost = Area(c.Rect) + Area(next);
    if (bestCost < 0 || cost < bestCost) best = std::move(c), bestCost = cost;
  }
  return best;
}

int TGifOptimizer::DisposalValue(size_t i, TKeepMode mode) const {
  if (mode == TKeepMode::Background) return 2;
  if (mode == TKeepMode::Previous) return 3;
  const TGifControl& c = in_.Frames[i].Control;
  return !c.Present ? 0 : c.Disposal <= 1 ? c.Disposal : 1;
}

int TGifOptimizer::TableBits(const TGifFrameData& f) const {
  if (!f.LocalTable.empty())
    return std::max(std::clamp(f.LocalBits, 1, 8), BitsForCount(f.LocalTable.size()));
  if (!in_.GlobalTable.empty())
    return std::max(std::clamp(in_.GlobalBits, 1, 8), BitsForCount(in_.GlobalTable.size()));
  return std::clamp(in_.BitsPerPixel, 1, 8);
}

// An index of the frame's table that none of its pixels inside `r` uses, or -1.
int TGifOptimizer::FreeIndex(const TGifFrameData& f, const TRect& r) const {
  std::array<bool, 256> used{};
  for (int y = r.Top; y < r.Bottom; ++y) {
    const uint8_t* row = f.Indices.data() + size_t(y) * size_t(width_);
    for (int x = r.Left; x < r.Right; ++x) used[row[x]] = true;
  }
  const int capacity = 1 << TableBits(f);
  for (int k = 0; k < capacity; ++k)
    if (!used[size_t(k)]) return k;
  return -1;
}

// The pixels of frame i over `rect`: those that change are drawn; the others are drawn again or
// left transparent (index `clear`, when there is one), whichever of four arrangements codes
// smallest.
std::vector<uint8_t> TGifOptimizer::Arrange(const TGifFrameData& f, const TRect& rect,
                                            int clear) const {
  std::vector<uint8_t> redrawn, cleared, mixed, unchanged;
  for (int y = rect.Top; y < rect.Bottom; ++y) {
    for (int x = rect.Left; x < rect.Right; ++x) {
      const size_t p = size_t(y) * size_t(width_) + size_t(x);
      const uint8_t own = f.Indices[p];
      const bool same = shownPrev_[p] == basePrev_[p];
      redrawn.push_back(own);
      unchanged.push_back(same);
      if (clear < 0) continue;
      cleared.push_back(same ? uint8_t(clear) : own);
      // Unchanged pixels continue whichever run they can, so LZW strings grow long.
      const bool continues = !mixed.empty() && mixed.back() == own;
      mixed.push_back(same && !continues ? uint8_t(clear) : own);
    }
  }
  const int codeSize = std::max(2, TableBits(f));
  std::vector<uint8_t> chosen;
  if (clear >= 0) chosen = ChooseForLzw(redrawn, unchanged, uint8_t(clear), codeSize);
  std::vector<uint8_t>* best = &redrawn;
  size_t bestSize = EstimateLzwBytes(redrawn.data(), redrawn.size(), codeSize);
  for (std::vector<uint8_t>* other : {&cleared, &mixed, &chosen}) {
    if (other->empty()) continue;
    const size_t size = EstimateLzwBytes(other->data(), other->size(), codeSize);
    if (size < bestSize) best = other, bestSize = size;
  }
  return std::move(*best);
}

void TGifOptimizer::Emit(size_t i, TRect rect, TKeepMode mode) {
  const TGifFrameData& f = in_.Frames[i];
  if (rect.IsEmpty()) {
    // Nothing changes, but the frame still carries its delay. Restoring its one pixel to the
    // background would change the screen, so such a frame keeps it.
    rect = {0, 0, 1, 1};
    if (mode == TKeepMode::Background) mode = TKeepMode::Keep;
  }
  const bool wasTransparent = f.Control.Present && f.Control.Transparent;
  const int clear = wasTransparent ? f.Control.TransparentIndex : FreeIndex(f, rect);
  TGifFrameData o;
  o.Left = rect.Left;
  o.Top = rect.Top;
  o.Width = rect.Width();
  o.Height = rect.Height();
  o.Interlaced = f.Interlaced;
  o.LocalTable = f.LocalTable;
  o.LocalBits = f.LocalBits;
  o.Comments = f.Comments;
  o.Indices = Arrange(f, rect, clear);
  const bool usesClear =
      wasTransparent ||
      (clear >= 0 && std::find(o.Indices.begin(), o.Indices.end(), clear) != o.Indices.end());
  o.Control.Disposal = uint8_t(DisposalValue(i, mode));
  o.Control.DelayCs = f.Control.Present ? f.Control.DelayCs : 0;
  o.Control.Transparent = usesClear;
  o.Control.TransparentIndex = usesClear ? uint8_t(clear) : 0;
  o.Control.Present = f.Control.Present || usesClear || o.Control.Disposal != 0;
  out_.Frames.push_back(std::move(o));
}

TGifData TGifOptimizer::Run() {
  out_ = in_;
  out_.Frames.clear();
  originalAfter_.assign(size_, kNothing);
  basePrev_.assign(size_, kNothing);
  shownPrev_.assign(size_, kNothing);
  TRect pending;
  for (size_t i = 0; i < in_.Frames.size(); ++i) {
    const TGifFrameData& f = in_.Frames[i];
    Show(f, originalAfter_, shown_);
    TPlane base(size_, kNothing);
    if (i > 0) {
      TChoice choice = ChooseDisposal(i, pending);
      Emit(i - 1, choice.Rect, choice.Mode);
      base = std::move(choice.After);
    }
    pending = BoundsWhere([&](size_t p) { return shown_[p] != base[p]; });
    switch (EffectiveDisposal(f.Control)) {
      case 2:
        std::fill(originalAfter_.begin(), originalAfter_.end(), kNothing);
        break;
      case 3:
        break;
      default:
        originalAfter_ = shown_;
        break;
    }
    basePrev_ = std::move(base);
    shownPrev_.swap(shown_);
  }
  // Nothing follows the last frame, so it keeps its own disposal.
  const int last = EffectiveDisposal(in_.Frames.back().Control);
  Emit(in_.Frames.size() - 1, pending,
       last == 2   ? TKeepMode::Background
       : last == 3 ? TKeepMode::Previous
                   : TKeepMode::Keep);
  return std::move(out_);
}

}  // namespace

TGifData OptimizeGif(const TGifData& fullFrames) {
  if (!IsFullScreen(fullFrames)) return fullFrames;
  return TGifOptimizer(fullFrames).Run();
}
