#include "model/codecs/GifFramePacker.h"

#include <algorithm>
#include <array>
#include <optional>

#include "model/codecs/GifCodeStreams.h"
#include "model/codecs/GifTables.h"
#include "model/codecs/PaletteMapper.h"

namespace gif_detail {
namespace {

// The colours a frame draws, in the order they first appear; no more than one table holds.
struct TDrawn {
  std::vector<uint32_t> Colors;  // pixel words
  std::vector<uint8_t> Changed;  // per pixel of the rectangle
  bool AnyKept = false;          // some pixel stays as it was
  bool NameClear = false;        // a transparent index is wanted in any case
};

TDrawn FindDrawn(const TFrameToPack& f) {
  TDrawn d;
  const TRect& r = f.Rect;
  d.Changed.resize(size_t(r.Width()) * size_t(r.Height()));
  TColorIndex seen;
  size_t o = 0;
  uint32_t last = kNothing;
  for (int y = r.Top; y < r.Bottom; ++y) {
    const size_t row = size_t(y) * size_t(f.ScreenWidth);
    for (int x = r.Left; x < r.Right; ++x, ++o) {
      const uint32_t shown = f.Shown[row + size_t(x)];
      // A pixel uncovered again cannot be drawn; the disposals never ask for it.
      const bool changed = shown != f.Under[row + size_t(x)] && shown != kNothing;
      d.Changed[o] = changed;
      d.AnyKept |= !changed;
      if (changed && shown != last && d.Colors.size() <= 256) {
        last = shown;
        if (seen.Insert(shown, int(d.Colors.size())) == int(d.Colors.size()))
          d.Colors.push_back(shown);
      }
    }
  }
  return d;
}

// The table a frame is written with and how its colours map into it.
struct TTablePlan {
  std::vector<TColor> Local;              // empty: the global table
  TColorIndex Index;                      // drawn colour -> index
  int Clear = -1;                         // the index left for transparent pixels, or -1
  std::optional<TPaletteMapper> Nearest;  // for colours the table has no room for
};

// The global table when it holds every drawn colour and has an index to spare for transparency.
bool PlanGlobal(const TFrameToPack& f, const TDrawn& d, TTablePlan& plan) {
  if (!f.Global || f.Global->empty()) return false;
  TColorIndex global;
  for (size_t i = f.Global->size(); i-- > 0;) global.Insert(ColorToPixel((*f.Global)[i]), int(i));
  std::vector<bool> used(size_t(1) << BitsForCount(f.Global->size()), false);
  for (uint32_t c : d.Colors) {
    const int index = global.Find(c);
    if (index < 0) return false;
    plan.Index.Insert(c, index);
    used[size_t(index)] = true;
  }
  if (d.AnyKept || d.NameClear) {
    const auto free = std::find(used.begin(), used.end(), false);
    if (free == used.end()) return false;
    plan.Clear = int(free - used.begin());
  }
  return true;
}

// Whether some pixel that stays must be left transparent: it is uncovered, or its colour is not
// among those drawn.
bool MustClear(const TFrameToPack& f, const TDrawn& d, TColorIndex& drawn) {
  size_t o = 0;
  for (int y = f.Rect.Top; y < f.Rect.Bottom; ++y) {
    const uint32_t* shown = f.Shown + size_t(y) * size_t(f.ScreenWidth);
    for (int x = f.Rect.Left; x < f.Rect.Right; ++x, ++o)
      if (!d.Changed[o] && (shown[x] == kNothing || drawn.Find(shown[x]) < 0)) return true;
  }
  return false;
}

// A local table of the drawn colours, one more entry for transparency when some pixel stays and
// there is room (a frame that draws 256 colours draws the pixels that stay again). Colours beyond
// what the table holds are drawn as the nearest of those it keeps.
void PlanLocal(const TFrameToPack& f, const TDrawn& d, TTablePlan& plan) {
  const size_t count = std::min<size_t>(d.Colors.size(), 256);
  for (size_t i = 0; i < count; ++i) plan.Index.Insert(d.Colors[i], int(i));
  const bool clear = (d.AnyKept || d.NameClear) && (count < 256 || MustClear(f, d, plan.Index));
  const size_t kept = clear ? std::min<size_t>(count, 255) : count;
  for (size_t i = 0; i < kept; ++i) plan.Local.push_back(PixelToColor(d.Colors[i]));
  if (kept < d.Colors.size()) {
    plan.Index = TColorIndex{};
    for (size_t i = 0; i < kept; ++i) plan.Index.Insert(d.Colors[i], int(i));
    plan.Nearest.emplace(plan.Local.data(), int(kept));
  }
  if (clear) {
    plan.Clear = int(plan.Local.size());
    plan.Local.push_back(f.TransparentColor);
  }
}

// The coded size of indices, with the smallest code size that covers them.
size_t CodedBytes(const uint8_t* indices, size_t count, size_t limit) {
  const uint8_t top = count ? *std::max_element(indices, indices + count) : 0;
  return LzwImageBytes(indices, count, std::max(2, BitsForCount(size_t(top) + 1)), limit);
}

// The ways of writing the pixels that stay, given the indices that draw every pixel again
// (`redrawn`, with `clear` where a pixel that stays has no colour of its own): drawn again, all
// cleared, or drawn again only where that continues a run, so that LZW strings grow long.
enum class TKeptPixels : uint8_t { Redrawn, Cleared, Mixed };

void Rearrange(const uint8_t* redrawn, const uint8_t* changed, size_t count, uint8_t clear,
               TKeptPixels way, uint8_t* out) {
  for (size_t o = 0; o < count; ++o) {
    const uint8_t own = redrawn[o];
    if (changed[o] || way == TKeptPixels::Redrawn) {
      out[o] = own;
    } else if (way == TKeptPixels::Cleared) {
      out[o] = clear;
    } else {
      out[o] = own != clear && o > 0 && out[o - 1] == own ? own : clear;
    }
  }
}

// The indices of the rectangle: changed pixels drawn, the others written in whichever way codes
// smallest. Large frames are judged by their first part, which tells the ways apart as well.
std::vector<uint8_t> Arrange(const TFrameToPack& f, const TDrawn& d, TTablePlan& plan) {
  const TRect& r = f.Rect;
  const size_t n = d.Changed.size();
  std::vector<uint8_t> indices(n);
  // A transparent entry is never the index of a drawn colour, so in `indices` it marks the
  // pixels that stay without a colour of their own.
  const uint8_t clear = uint8_t(std::max(plan.Clear, 0));
  bool choice = false;  // some pixel that stays could be drawn again
  size_t o = 0;
  for (int y = r.Top; y < r.Bottom; ++y) {
    const uint32_t* shown = f.Shown + size_t(y) * size_t(f.ScreenWidth);
    for (int x = r.Left; x < r.Right; ++x, ++o) {
      const int own = shown[x] == kNothing ? -1 : plan.Index.Find(shown[x]);
      if (d.Changed[o]) {
        indices[o] = uint8_t(own >= 0 ? own : plan.Nearest->IndexOf(shown[x]));
      } else {
        choice |= own >= 0;
        indices[o] = own >= 0 ? uint8_t(own) : clear;
      }
    }
  }
  if (plan.Clear < 0) return indices;
  TKeptPixels way = TKeptPixels::Cleared;
  if (choice) {
    constexpr size_t kJudged = size_t(1) << 12;
    const size_t judged = std::min(n, kJudged);
    static thread_local std::vector<uint8_t> cleared, mixed;
    cleared.resize(judged);
    mixed.resize(judged);
    Rearrange(indices.data(), d.Changed.data(), judged, clear, TKeptPixels::Cleared,
              cleared.data());
    Rearrange(indices.data(), d.Changed.data(), judged, clear, TKeptPixels::Mixed, mixed.data());
    size_t best = CodedBytes(cleared.data(), judged, SIZE_MAX / 8);
    const size_t redrawn = CodedBytes(indices.data(), judged, best);
    if (redrawn < best) way = TKeptPixels::Redrawn, best = redrawn;
    // Mixed often equals one of the others; then it codes no smaller.
    const bool same = std::equal(mixed.begin(), mixed.end(), cleared.begin()) ||
                      std::equal(mixed.begin(), mixed.end(), indices.begin());
    if (!same && CodedBytes(mixed.data(), judged, best) < best) way = TKeptPixels::Mixed;
  }
  if (way != TKeptPixels::Redrawn)
    Rearrange(indices.data(), d.Changed.data(), n, clear, way, indices.data());
  return indices;
}

}  // namespace

TPackedFrame PackFrame(const TFrameToPack& f) {
  TDrawn drawn = FindDrawn(f);
  drawn.NameClear = f.NameTransparentIndex;
  TTablePlan plan;
  if (!PlanGlobal(f, drawn, plan)) {
    plan = TTablePlan{};
    PlanLocal(f, drawn, plan);
  }
  TPackedFrame out;
  out.Indices = Arrange(f, drawn, plan);
  const bool clears = plan.Clear >= 0 && std::find(out.Indices.begin(), out.Indices.end(),
                                                   uint8_t(plan.Clear)) != out.Indices.end();
  const bool named = clears || (plan.Clear >= 0 && f.NameTransparentIndex);
  out.TransparentIndex = named ? plan.Clear : -1;
  // An unused transparent entry at the end of a local table is dropped again.
  if (!named && plan.Clear >= 0 && !plan.Local.empty()) plan.Local.pop_back();
  out.LocalTable = std::move(plan.Local);
  return out;
}

}  // namespace gif_detail
