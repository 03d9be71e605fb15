// The crop-and-merge optimisation of full-screen animations.
//
// The screen is followed as a plane of pixel words in which kNothing marks pixels that no frame
// has covered since the start or since a "restore to background" disposal. Decoders disagree on
// what such pixels show (transparency or the background colour), so the optimised animation must
// leave exactly the same pixels uncovered as the original after every frame; it then looks the
// same in every decoder, whichever way it shows them. Every loop is taken to start from an empty
// screen, as browsers do.
//
// With D(k) the screen shown after frame k, P(k) the screen after its disposal in the original
// (a full-screen frame that restores to background uncovers the whole screen) and P'(k) the same
// in the optimised animation:
// - optimised frame k covers the bounding box of the pixels where D(k) differs from P'(k-1) and
//   draws them in their colours. It can, because P'(k-1) equals P(k-1) wherever the original
//   frame k is transparent, so only pixels the original draws opaquely can differ;
// - P'(k) must therefore equal P(k) on Need(k): the transparent pixels of frame k+1, or the whole
//   screen when frame k+1 restores the previous screen (its restore then gives back P(k) exactly);
// - the disposal of frame k is chosen once frame k+1 is known, among "keep", "restore previous"
//   and "restore to background" over a rectangle grown to uncover what Need(k) asks for; of those
//   that meet Need(k) the one that leaves the least to draw wins. The original's own disposal
//   always meets it, so one always does.
// Every disposal changes the screen only inside its rectangle, so all work but one pass per frame
// stays inside rectangles.

#include <algorithm>
#include <cstring>
#include <deque>

#include "model/codecs/GifCodec.h"
#include "model/codecs/GifFramePacker.h"
#include "model/codecs/GifTables.h"

using gif_detail::kNothing;

namespace {

using TPlane = std::vector<uint32_t>;

enum class TKeepMode : uint8_t { Keep, Background, Previous };

TRect Union(const TRect& a, const TRect& b) {
  if (a.IsEmpty()) return b;
  if (b.IsEmpty()) return a;
  return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
          std::max(a.Bottom, b.Bottom)};
}

bool Inside(const TRect& inner, const TRect& outer) {
  return inner.IsEmpty() || (inner.Left >= outer.Left && inner.Top >= outer.Top &&
                             inner.Right <= outer.Right && inner.Bottom <= outer.Bottom);
}

int64_t Area(const TRect& r) {
  return r.IsEmpty() ? 0 : int64_t(r.Width()) * r.Height();
}

// Grows a bounding box by one pixel.
void Extend(TRect& r, int x, int y) {
  if (r.IsEmpty()) {
    r = {x, y, x + 1, y + 1};
    return;
  }
  r.Left = std::min(r.Left, x);
  r.Right = std::max(r.Right, x + 1);
  r.Top = std::min(r.Top, y);
  r.Bottom = std::max(r.Bottom, y + 1);
}

int EffectiveDisposal(const TScreenFrame& f) {
  if (!f.ControlPresent) return 0;
  return f.Disposal <= 3 ? f.Disposal : 1;
}

TKeepMode ModeOf(int disposal) {
  return disposal == 2   ? TKeepMode::Background
         : disposal == 3 ? TKeepMode::Previous
                         : TKeepMode::Keep;
}

// A frame taken in but not yet written: its disposal is chosen once Need is known.
struct TQueuedFrame {
  TScreenFrame Meta;  // without pixels
  // Planes are written before they are read, so they are allocated without being filled.
  std::unique_ptr<uint32_t[]> Shown;  // D(k)
  // T(k): 1 where the frame lets the screen show through, in the rows marked in ClearRows only.
  std::unique_ptr<uint8_t[]> Clear;
  std::vector<uint8_t> ClearRows;
  // Per row of D(k) against D(k-1): the first and last column that differ (first > last: none).
  std::vector<int> FirstDiff, LastDiff;
  int64_t Frame = -1;  // which frame's screen the planes hold
  // Pixels of T(k) where D(k-1) differs from P(k-1), and pixels of T(k) that D(k-1) covers.
  TRect Violations, Uncover;
};

// Frames restoring the previous screen can chain; beyond this many the whole screen counts.
constexpr size_t kLongestChain = 32;

}  // namespace

class TGifAnimationEncoder::TImpl {
 public:
  explicit TImpl(const TGifData& screen);
  void Add(const TScreenFrame& frame);
  TGifData Finish();

 private:
  struct TChoice {
    TKeepMode Mode = TKeepMode::Keep;
    TRect Rect;
    TRect Next;  // where D(i+1) then differs from P'(i)
    int64_t Cost = -1;
  };
  void Show(const TScreenFrame& f, TQueuedFrame& q);
  void CatchUp(TQueuedFrame& q) const;
  bool Decide(bool finishing);
  void FindNeed(size_t chain);
  TChoice Evaluate(TKeepMode mode, const TRect& rect) const;
  TChoice ChooseDisposal();
  bool DrawsFewColors(const TChoice& c) const;
  TRect DifferencesOutside(const TRect& r) const;
  uint32_t UnderAfter(TKeepMode mode, size_t p) const;
  uint32_t Original(size_t p) const { return originalAt_ ? originalAt_[p] : kNothing; }
  void Emit(TRect rect, TKeepMode mode);
  void Dispose(TKeepMode mode, const TRect& rect);
  void KeepOriginal(const TScreenFrame& f, const uint32_t* shown);
  TQueuedFrame NewQueued();

  TGifData out_;
  const int width_, height_;
  const size_t size_;
  // queue_[0] is frame i, the oldest frame not yet written; queue_[1] frame i+1, and so on.
  std::deque<TQueuedFrame> queue_;
  std::vector<TQueuedFrame> spare_;  // planes to use again
  TRect changes_;                    // R(i): where D(i) differs from P'(i-1)
  TPlane under_;                     // P'(i-1): what the decoder shows before frame i is drawn
  TPlane original_;                  // P of the original after the newest frame, when it is kept
  // Need(i) while a disposal is chosen, as a mask of marked rows; null for the whole screen.
  const uint8_t* need_ = nullptr;
  const uint8_t* needRows_ = nullptr;
  std::vector<uint8_t> needUnion_, needUnionRows_;
  // P of the original lives in original_ or is D of a queued frame; null: nothing is covered.
  const uint32_t* originalAt_ = nullptr;
  TRect violations_, uncover_;
  int lastDisposal_ = 0;  // the last disposal method written other than 0
  int64_t frames_ = 0;    // frames taken in
  TRect lastChange_;      // where the newest frame's screen may differ from the one before
};

TGifAnimationEncoder::TImpl::TImpl(const TGifData& screen)
    : width_(screen.ScreenWidth),
      height_(screen.ScreenHeight),
      size_(size_t(std::max(width_, 0)) * size_t(std::max(height_, 0))),
      under_(size_, kNothing),
      originalAt_(nullptr) {
  out_ = screen;
  out_.Frames.clear();
}

TQueuedFrame TGifAnimationEncoder::TImpl::NewQueued() {
  if (spare_.empty()) {
    TQueuedFrame q;
    q.Shown.reset(new uint32_t[size_]);
    q.Clear.reset(new uint8_t[size_]);
    q.ClearRows.resize(size_t(std::max(height_, 0)));
    q.FirstDiff.resize(size_t(std::max(height_, 0)));
    q.LastDiff.resize(size_t(std::max(height_, 0)));
    return q;
  }
  TQueuedFrame q = std::move(spare_.back());
  spare_.pop_back();
  return q;
}

// Makes q, which holds D and T of the frame before the previous one, hold those of the previous
// one: they differ only where the previous frame changed the screen.
void TGifAnimationEncoder::TImpl::CatchUp(TQueuedFrame& q) const {
  const TQueuedFrame& prev = queue_.back();
  for (int y = lastChange_.Top; y < lastChange_.Bottom; ++y) {
    const size_t from = size_t(y) * size_t(width_) + size_t(lastChange_.Left);
    const size_t n = size_t(lastChange_.Width());
    std::memcpy(q.Shown.get() + from, prev.Shown.get() + from, n * sizeof(uint32_t));
    std::memcpy(q.Clear.get() + from, prev.Clear.get() + from, n);
  }
  q.ClearRows = prev.ClearRows;
}

// D(k), T(k) and what choosing frame k-1's disposal needs when Need(k-1) is T(k) alone. A frame
// that tells where it changes the screen is worked on only there; the rest is what the previous
// frame showed. Rows are worked on whole first, in loops the compiler can vectorise; only rows
// with transparent pixels or changes are looked at pixel by pixel.
void TGifAnimationEncoder::TImpl::Show(const TScreenFrame& f, TQueuedFrame& q) {
  const TRect screen{0, 0, width_, height_};
  const bool patch = f.ChangedOnly && !queue_.empty() && q.Frame + 2 == frames_;
  const TRect area = patch ? f.ChangedOnly->Intersect(screen) : screen;
  if (patch) {
    CatchUp(q);
    std::fill(q.FirstDiff.begin(), q.FirstDiff.end(), width_);
    std::fill(q.LastDiff.begin(), q.LastDiff.end(), -1);
  }
  const uint32_t key = f.Transparent ? (f.Key & 0xFFFFFF) : kNothing;
  const uint32_t* before = queue_.empty() ? nullptr : queue_.back().Shown.get();
  q.Violations = q.Uncover = TRect{};
  const int x0 = area.Left, w = area.Width();
  for (int y = area.Top; y < area.Bottom && w > 0; ++y) {
    const size_t row = size_t(y) * size_t(width_);
    const TPixel* in = f.Pixels + row;
    const uint32_t* original = originalAt_ ? originalAt_ + row : nullptr;
    uint32_t* shown = q.Shown.get() + row;
    uint8_t* clear = q.Clear.get() + row;
    for (int x = x0; x < x0 + w; ++x) clear[x] = (in[x] & 0xFFFFFF) == key;
    if (original) {
      for (int x = x0; x < x0 + w; ++x) shown[x] = clear[x] ? original[x] : in[x] & 0xFFFFFF;
    } else {
      for (int x = x0; x < x0 + w; ++x) shown[x] = clear[x] ? kNothing : in[x] & 0xFFFFFF;
    }
    q.ClearRows[size_t(y)] = std::find(clear, clear + width_, 1) != clear + width_;
    int first = width_, last = -1;
    const uint32_t* prior = before ? before + row : nullptr;
    if (!prior) {
      for (int x = x0; x < x0 + w; ++x)
        if (shown[x] != kNothing) (first = std::min(first, x)), last = x;
    } else if (std::memcmp(shown + x0, prior + x0, size_t(w) * sizeof(uint32_t)) != 0) {
      first = x0;
      while (shown[first] == prior[first]) ++first;
      last = x0 + w - 1;
      while (shown[last] == prior[last]) --last;
    }
    q.FirstDiff[size_t(y)] = first;
    q.LastDiff[size_t(y)] = last;
    if (!q.ClearRows[size_t(y)]) continue;
    for (int x = x0; x < x0 + w; ++x) {
      if (!clear[x]) continue;
      const uint32_t p = prior ? prior[x] : kNothing;
      if (p != (original ? original[x] : kNothing)) Extend(q.Violations, x, y);
      if (p != kNothing) Extend(q.Uncover, x, y);
    }
  }
  q.Frame = frames_++;
  lastChange_ = area;
}

// Need(i) for a chain of `chain` frames after frame i that restore the previous screen (0: the
// whole screen), with the pixels it finds.
void TGifAnimationEncoder::TImpl::FindNeed(size_t chain) {
  if (chain == 1) {
    need_ = queue_[1].Clear.get();
    needRows_ = queue_[1].ClearRows.data();
    violations_ = queue_[1].Violations;
    uncover_ = queue_[1].Uncover;
    return;
  }
  need_ = needRows_ = nullptr;
  if (chain > 1) {
    needUnion_.assign(size_, 0);
    needUnionRows_.assign(size_t(height_), 0);
    for (size_t m = 1; m <= chain; ++m)
      for (int y = 0; y < height_; ++y) {
        if (!queue_[m].ClearRows[size_t(y)]) continue;
        needUnionRows_[size_t(y)] = 1;
        const size_t row = size_t(y) * size_t(width_);
        for (int x = 0; x < width_; ++x)
          needUnion_[row + size_t(x)] |= queue_[m].Clear[row + size_t(x)];
      }
    need_ = needUnion_.data();
    needRows_ = needUnionRows_.data();
  }
  violations_ = uncover_ = TRect{};
  const uint32_t* shown = queue_[0].Shown.get();
  for (int y = 0; y < height_; ++y) {
    if (need_ && !needRows_[size_t(y)]) continue;
    for (int x = 0; x < width_; ++x) {
      const size_t p = size_t(y) * size_t(width_) + size_t(x);
      if (need_ && !need_[p]) continue;
      if (shown[p] != Original(p)) Extend(violations_, x, y);
      if (shown[p] != kNothing) Extend(uncover_, x, y);
    }
  }
}

// The bounding box of the pixels outside `r` where D(i+1) differs from D(i).
TRect TGifAnimationEncoder::TImpl::DifferencesOutside(const TRect& r) const {
  const TQueuedFrame& next = queue_[1];
  TRect box;
  for (int y = 0; y < height_; ++y) {
    const int first = next.FirstDiff[size_t(y)], last = next.LastDiff[size_t(y)];
    if (first > last) continue;
    if (y < r.Top || y >= r.Bottom || last < r.Left || first >= r.Right) {
      Extend(box, first, y);
      Extend(box, last, y);
      continue;
    }
    // The row crosses the rectangle: look for the differences on either side of it.
    const uint32_t* a = next.Shown.get() + size_t(y) * size_t(width_);
    const uint32_t* b = queue_[0].Shown.get() + size_t(y) * size_t(width_);
    int left = -1, right = -1;
    const auto note = [&](int x) {
      if (a[x] == b[x]) return;
      if (left < 0) left = x;
      right = x;
    };
    for (int x = first; x < std::min(r.Left, last + 1); ++x) note(x);
    for (int x = std::max(first, r.Right); x <= last; ++x) note(x);
    if (left >= 0) {
      Extend(box, left, y);
      Extend(box, right, y);
    }
  }
  return box;
}

// P'(i) at pixel p inside the disposal's rectangle.
uint32_t TGifAnimationEncoder::TImpl::UnderAfter(TKeepMode mode, size_t p) const {
  switch (mode) {
    case TKeepMode::Keep:
      return queue_[0].Shown[p];
    case TKeepMode::Previous:
      return under_[p];
    case TKeepMode::Background:
      break;
  }
  return kNothing;
}

// Whether disposing of frame i over `rect` meets Need(i), and what frame i+1 then draws.
TGifAnimationEncoder::TImpl::TChoice TGifAnimationEncoder::TImpl::Evaluate(
    TKeepMode mode, const TRect& rect) const {
  TChoice c{mode, rect, {}, -1};
  if (!Inside(violations_, rect)) return c;
  const uint32_t* next = queue_[1].Shown.get();
  TRect inside;
  for (int y = rect.Top; y < rect.Bottom; ++y) {
    const size_t row = size_t(y) * size_t(width_);
    const bool rowNeeded = !need_ || needRows_[size_t(y)];
    int first = rect.Right, last = -1;
    for (int x = rect.Left; x < rect.Right; ++x) {
      const size_t p = row + size_t(x);
      const uint32_t after = UnderAfter(mode, p);
      if (rowNeeded && (!need_ || need_[p]) && after != Original(p)) return c;
      if (next[p] != after) {
        first = std::min(first, x);
        last = x;
      }
    }
    if (last >= 0) {
      Extend(inside, first, y);
      Extend(inside, last, y);
    }
  }
  c.Next = Union(inside, DifferencesOutside(rect));
  c.Cost = Area(rect) + Area(c.Next);
  return c;
}

// Chooses the disposal of frame i now that D(i+1) and Need(i) are known.
TGifAnimationEncoder::TImpl::TChoice TGifAnimationEncoder::TImpl::ChooseDisposal() {
  const TKeepMode own = ModeOf(EffectiveDisposal(queue_[0].Meta));
  const auto rectFor = [&](TKeepMode mode) {
    return mode == TKeepMode::Background ? Union(changes_, uncover_) : changes_;
  };
  // On equal cost the original's own disposal wins, so a file read back shows what was set.
  TChoice best = Evaluate(own, rectFor(own));
  for (TKeepMode mode : {TKeepMode::Keep, TKeepMode::Previous, TKeepMode::Background}) {
    if (mode == own) continue;
    const TChoice c = Evaluate(mode, rectFor(mode));
    if (c.Cost >= 0 && (best.Cost < 0 || c.Cost < best.Cost) && DrawsFewColors(c)) best = c;
  }
  return best;
}

// Whether frame i+1, after the disposal `c` of frame i, draws colours that fit one table. Frames
// read from a file always do with their own disposal; another disposal can make a frame draw
// again what earlier frames drew from other tables.
bool TGifAnimationEncoder::TImpl::DrawsFewColors(const TChoice& c) const {
  const uint32_t* next = queue_[1].Shown.get();
  gif_detail::TColorIndex colors;
  int count = 0;
  for (int y = c.Next.Top; y < c.Next.Bottom; ++y) {
    const size_t row = size_t(y) * size_t(width_);
    for (int x = c.Next.Left; x < c.Next.Right; ++x) {
      const size_t p = row + size_t(x);
      const uint32_t under = c.Rect.Contains(x, y) ? UnderAfter(c.Mode, p) : queue_[0].Shown[p];
      if (next[p] == under || colors.Find(next[p]) >= 0) continue;
      colors.Insert(next[p], count);
      if (++count > 255) return false;
    }
  }
  return true;
}

// Writes frame i (D(i) drawn over under_) and disposes of it over `rect`.
void TGifAnimationEncoder::TImpl::Emit(TRect rect, TKeepMode mode) {
  const TScreenFrame& meta = queue_[0].Meta;
  if (rect.IsEmpty()) {
    // Nothing changes, but the frame still carries its delay. Restoring its one pixel to the
    // background would change the screen, so such a frame keeps it.
    rect = {0, 0, 1, 1};
    mode = TKeepMode::Keep;
  }
  gif_detail::TFrameToPack job;
  job.Shown = queue_[0].Shown.get();
  job.Under = under_.data();
  job.ScreenWidth = width_;
  job.Rect = rect;
  job.Global = &out_.GlobalTable;
  job.TransparentColor = meta.TransparentColor;
  job.NameTransparentIndex = meta.DeclareTransparency;
  gif_detail::TPackedFrame packed = gif_detail::PackFrame(job);

  TGifFrameData o;
  o.Left = rect.Left;
  o.Top = rect.Top;
  o.Width = rect.Width();
  o.Height = rect.Height();
  o.Interlaced = meta.Interlaced;
  o.LocalTable = std::move(packed.LocalTable);
  o.LocalBits = o.LocalTable.empty() ? 0 : gif_detail::BitsForCount(o.LocalTable.size());
  o.Indices = std::move(packed.Indices);
  o.Comments = meta.Comments;
  int own = !meta.ControlPresent ? 0 : meta.Disposal <= 1 ? meta.Disposal : 1;
  // Some decoders (Pillow) let "none" carry on the last disposal method a frame named; after a
  // restore, a frame that keeps the screen says so.
  if (own == 0 && lastDisposal_ >= 2) own = 1;
  o.Control.Disposal = uint8_t(mode == TKeepMode::Background ? 2
                               : mode == TKeepMode::Previous ? 3
                                                             : own);
  if (o.Control.Disposal != 0) lastDisposal_ = o.Control.Disposal;
  o.Control.DelayCs = meta.DelayCs;
  o.Control.Transparent = packed.TransparentIndex >= 0;
  o.Control.TransparentIndex = uint8_t(std::max(packed.TransparentIndex, 0));
  o.Control.Present = meta.ControlPresent || o.Control.Transparent || o.Control.Disposal != 0;
  out_.Frames.push_back(std::move(o));
  Dispose(mode, rect);
}

// under_ becomes P'(i): D(i) outside the rectangle (it already is: frame i changed nothing there)
// and the disposal's result inside it.
void TGifAnimationEncoder::TImpl::Dispose(TKeepMode mode, const TRect& rect) {
  if (mode == TKeepMode::Previous) return;
  const uint32_t* shown = queue_[0].Shown.get();
  for (int y = rect.Top; y < rect.Bottom; ++y) {
    const size_t row = size_t(y) * size_t(width_);
    uint32_t* dst = under_.data() + row;
    if (mode == TKeepMode::Keep)
      std::copy(shown + row + size_t(rect.Left), shown + row + size_t(rect.Right), dst + rect.Left);
    else
      std::fill(dst + rect.Left, dst + rect.Right, kNothing);
  }
}

// P(k) of the original from D(k) and frame k's own disposal. A screen kept as shown is not copied:
// P(k) is then D(k), read where the queue holds it.
void TGifAnimationEncoder::TImpl::KeepOriginal(const TScreenFrame& f, const uint32_t* shown) {
  switch (EffectiveDisposal(f)) {
    case 2:
      originalAt_ = nullptr;
      break;
    case 3:
      break;
    default:
      originalAt_ = shown;
      break;
  }
}

// Chooses frame i's disposal and writes it when Need(i) is known: the frames after it up to the
// first that does not restore the previous screen are in. Returns false when it must wait.
bool TGifAnimationEncoder::TImpl::Decide(bool finishing) {
  if (queue_.size() < 2) return false;
  size_t chain = 1;
  while (chain < queue_.size() - 1 && EffectiveDisposal(queue_[chain].Meta) == 3) ++chain;
  const bool ended = EffectiveDisposal(queue_[chain].Meta) != 3;
  if (!ended && !finishing && queue_.size() <= kLongestChain) return false;
  FindNeed(ended || finishing ? chain : 0);
  const TChoice choice = ChooseDisposal();
  Emit(choice.Rect, choice.Mode);
  changes_ = choice.Next;
  spare_.push_back(std::move(queue_.front()));
  queue_.pop_front();
  return true;
}

void TGifAnimationEncoder::TImpl::Add(const TScreenFrame& f) {
  TQueuedFrame q = NewQueued();
  Show(f, q);
  q.Meta = f;
  q.Meta.Pixels = nullptr;
  if (queue_.empty()) changes_ = TRect{};
  queue_.push_back(std::move(q));
  if (queue_.size() == 1) {
    // Against the empty screen everything drawn is a change.
    for (int y = 0; y < height_; ++y)
      if (queue_[0].FirstDiff[size_t(y)] <= queue_[0].LastDiff[size_t(y)]) {
        Extend(changes_, queue_[0].FirstDiff[size_t(y)], y);
        Extend(changes_, queue_[0].LastDiff[size_t(y)], y);
      }
  }
  while (Decide(false)) {
  }
  KeepOriginal(f, queue_.back().Shown.get());
  // P of the original may still be a plane that has left the queue (after a frame restoring the
  // previous screen); it is kept before the plane is used again. Mostly P is the newest frame's.
  for (const TQueuedFrame& s : spare_)
    if (originalAt_ == s.Shown.get()) {
      original_.assign(originalAt_, originalAt_ + size_);
      originalAt_ = original_.data();
    }
}

TGifData TGifAnimationEncoder::TImpl::Finish() {
  while (Decide(true)) {
  }
  // Nothing follows the last frame, so it keeps its own disposal.
  if (!queue_.empty()) Emit(changes_, ModeOf(EffectiveDisposal(queue_[0].Meta)));
  queue_.clear();
  return std::move(out_);
}

TGifAnimationEncoder::TGifAnimationEncoder(const TGifData& screen)
    : impl_(std::make_unique<TImpl>(screen)) {}
TGifAnimationEncoder::~TGifAnimationEncoder() = default;
void TGifAnimationEncoder::Add(const TScreenFrame& frame) {
  impl_->Add(frame);
}
TGifData TGifAnimationEncoder::Finish() {
  return impl_->Finish();
}

// ---- Optimising decoded frames ----

namespace {

bool IsFullScreen(const TGifData& gif) {
  if (gif.ScreenWidth <= 0 || gif.ScreenHeight <= 0 || gif.Frames.empty()) return false;
  return std::all_of(gif.Frames.begin(), gif.Frames.end(), [&](const TGifFrameData& f) {
    return f.Left == 0 && f.Top == 0 && f.Width == gif.ScreenWidth &&
           f.Height == gif.ScreenHeight && f.Indices.size() == size_t(f.Width) * size_t(f.Height) &&
           f.LocalTable.size() <= 256;
  });
}

}  // namespace

TGifData OptimizeGif(const TGifData& fullFrames) {
  if (!IsFullScreen(fullFrames)) return fullFrames;
  // Transparent pixels get a colour that no table holds, so they never match a drawn pixel.
  TColor key = IconTransparentColor;
  std::vector<TColor> all = fullFrames.GlobalTable;
  for (const TGifFrameData& f : fullFrames.Frames)
    all.insert(all.end(), f.LocalTable.begin(), f.LocalTable.end());
  std::sort(all.begin(), all.end());
  while (std::binary_search(all.begin(), all.end(), key)) key = (key + 1) & 0xFFFFFF;
  const TPixel kClear = ColorToPixel(key);
  TGifAnimationEncoder encoder(fullFrames);
  std::vector<TPixel> pixels(fullFrames.Frames[0].Indices.size());
  for (const TGifFrameData& f : fullFrames.Frames) {
    const std::vector<TColor>& table = gif_detail::ActiveTable(fullFrames, f);
    TPixel lookup[256];
    for (int i = 0; i < 256; ++i) lookup[i] = ColorToPixel(gif_detail::TableColor(table, i));
    const bool transparent = f.Control.Present && f.Control.Transparent;
    if (transparent) lookup[f.Control.TransparentIndex] = kClear;
    for (size_t p = 0; p < pixels.size(); ++p) pixels[p] = lookup[f.Indices[p]];
    TScreenFrame s;
    s.Pixels = pixels.data();
    s.Transparent = transparent;
    s.Key = kClear;
    s.TransparentColor =
        transparent ? gif_detail::TableColor(table, f.Control.TransparentIndex) : clBlack;
    s.ControlPresent = f.Control.Present;
    s.DeclareTransparency = transparent;
    s.Disposal = f.Control.Disposal;
    s.DelayCs = f.Control.Present ? f.Control.DelayCs : 0;
    s.Interlaced = f.Interlaced;
    s.Comments = f.Comments;
    encoder.Add(s);
  }
  return encoder.Finish();
}
