#include "model/NearestColor.h"

#include <algorithm>
#include <climits>

#include "model/Errors.h"

namespace {

// Squared distance from value v to the closed interval lo..hi, and to its farther end.
int NearGap(int v, int lo, int hi) {
  const int d = v < lo ? lo - v : (v > hi ? v - hi : 0);
  return d * d;
}
int FarGap(int v, int lo, int hi) {
  const int d = std::max(v - lo, hi - v);
  return d * d;
}

}  // namespace

TNearestColorIndex::TNearestColorIndex(const std::vector<TColor>& palette)
    : TNearestColorIndex(palette.empty() ? nullptr : palette.data(), int(palette.size())) {}

TNearestColorIndex::TNearestColorIndex(const TColor* palette, int count) {
  if (palette == nullptr) throw EVelmoraError("The palette is empty.");
  if (count > MaxEntries) throw EVelmoraError("The palette has too many colours.");
  count_ = std::max(count, 1);
  // Of several equal entries only the first can ever be the answer, since ties keep the lower
  // index; dropping the others keeps the candidate lists short for padded palettes.
  std::vector<TColor> seen;
  for (int i = 0; i < count_; ++i) {
    const TColor c = StripHighByte(palette[i]);
    if (std::find(seen.begin(), seen.end(), c) != seen.end()) continue;
    seen.push_back(c);
    candidates_.push_back(
        {int16_t(RedOf(c)), int16_t(GreenOf(c)), int16_t(BlueOf(c)), int16_t(i), 0});
  }
  distinct_ = {0, int32_t(candidates_.size())};
  coarse_.assign(size_t(1) << (3 * (8 - CoarseBits)), {-1, 0});
  fine_.assign(size_t(1) << (3 * (8 - FineBits)), {-1, 0});
  cacheKeys_.fill(0xFFFFFFFFu);
  cacheValues_.fill(0);
}

int TNearestColorIndex::SearchCell(int r, int g, int b) const {
  const int cell = CellOf(r, g, b, FineBits);
  if (fine_[cell].Start < 0) {
    const int parent = CellOf(r, g, b, CoarseBits);
    if (coarse_[parent].Start < 0) coarse_[parent] = MakeList(distinct_, r, g, b, CoarseBits);
    fine_[cell] = MakeList(coarse_[parent], r, g, b, FineBits);
  }
  // The distance and the index are packed into one key, distance above index, so the smallest
  // key is the nearest entry with ties going to the lower index. The list is ordered by the
  // least distance to the cell; once that exceeds the best distance found, no later entry can
  // come nearer or tie.
  const TCandidate* c = candidates_.data() + fine_[cell].Start;
  const TCandidate* end = c + fine_[cell].Length;
  uint32_t best = UINT32_MAX;
  for (; c != end && c->Near <= int(best >> IndexBits); ++c) {
    const int dr = c->R - r, dg = c->G - g, db = c->B - b;
    const uint32_t key = (uint32_t(dr * dr + dg * dg + db * db) << IndexBits) | uint32_t(c->Index);
    best = std::min(best, key);
  }
  return int(best & ((1u << IndexBits) - 1));
}

// Picks from `from` the entries that can be nearest to some colour of the cell of side 2^bits
// around (r, g, b). A list made for a larger cell that holds this one is a valid source: every
// entry kept here, and the entry that sets the bound, passes the larger cell's test too.
TNearestColorIndex::TList TNearestColorIndex::MakeList(TList from, int r, int g, int b,
                                                       int bits) const {
  const int mask = ~((1 << bits) - 1), span = (1 << bits) - 1;
  const int r0 = r & mask, g0 = g & mask, b0 = b & mask;
  int bound = INT_MAX;
  for (int i = from.Start; i < from.Start + from.Length; ++i) {
    const TCandidate& e = candidates_[i];
    bound = std::min(bound, FarGap(e.R, r0, r0 + span) + FarGap(e.G, g0, g0 + span) +
                                FarGap(e.B, b0, b0 + span));
  }
  const TList list{int32_t(candidates_.size()), 0};
  for (int i = from.Start; i < from.Start + from.Length; ++i) {
    TCandidate e = candidates_[i];
    e.Near =
        NearGap(e.R, r0, r0 + span) + NearGap(e.G, g0, g0 + span) + NearGap(e.B, b0, b0 + span);
    if (e.Near <= bound) candidates_.push_back(e);
  }
  // Among entries equally near to the cell any order serves: the packed key settles ties.
  std::sort(candidates_.begin() + list.Start, candidates_.end(),
            [](const TCandidate& a, const TCandidate& b) { return a.Near < b.Near; });
  return {list.Start, int32_t(candidates_.size()) - list.Start};
}
