#pragma once
// Exact nearest-palette-colour search that does not scan the whole palette for every pixel.
//
// The answer is always the one of the plain scan: the entry with the smallest Euclidean RGB
// distance, and among equally near entries the one with the lowest index. Only the low 24 bits of
// the entries and of the looked-up colours count.
//
// RGB space is cut into cubic cells. For each cell that is asked about, the index keeps the list
// of entries that can be nearest to some colour of the cell: every entry whose least distance to
// the cell box is at most the smallest greatest distance of any entry to the box. An entry left
// out is farther from every colour of the cell than the entry that reached that smallest
// greatest distance, so it can neither win nor tie. Lists are made lazily on first use, and a
// small direct-mapped cache of recent lookups sits in front of them, so images with few distinct
// colours cost little more than one table read per pixel.
//
// Lookups fill the lazy tables, so one index must not be used by two threads at once.

#include <array>
#include <cstdint>
#include <vector>

#include "model/Colors.h"

class TNearestColorIndex {
 public:
  // Squared distances need 18 bits; the rest of a 32-bit search key holds the entry index.
  static constexpr int IndexBits = 14;
  static constexpr int MaxEntries = 1 << IndexBits;

  // `count` entries are read from `palette`. A count below 1 behaves as a palette of entry 0
  // alone. A null palette or more than MaxEntries entries raise EVelmoraError.
  TNearestColorIndex(const TColor* palette, int count);
  explicit TNearestColorIndex(const std::vector<TColor>& palette);

  // Number of entries the index answers with (at least 1).
  int Count() const { return count_; }

  int IndexOf(TColor c) const { return IndexOfRgb(RedOf(c), GreenOf(c), BlueOf(c)); }
  int IndexOfPixel(TPixel p) const {
    return IndexOfRgb(int((p >> 16) & 0xFF), int((p >> 8) & 0xFF), int(p & 0xFF));
  }
  // Channels must lie in 0..255.
  int IndexOfRgb(int r, int g, int b) const {
    const uint32_t key = (uint32_t(r) << 16) | (uint32_t(g) << 8) | uint32_t(b);
    const uint32_t slot = (key * 2654435761u) >> (32 - CacheBits);
    if (cacheKeys_[slot] != key) {
      cacheKeys_[slot] = key;
      cacheValues_[slot] = SearchCell(r, g, b);
    }
    return cacheValues_[slot];
  }

 private:
  // Lists are made for cells of side 16 from the whole palette, and from those for the cells of
  // side 8 that lookups use: the small cells keep the lists short, the large ones make them
  // cheap to build.
  static constexpr int CoarseBits = 4;
  static constexpr int FineBits = 3;
  static constexpr int CacheBits = 12;

  // One entry as the candidate scan needs it: its channels, its palette index and its least
  // squared distance to the cell of the list that holds it.
  struct TCandidate {
    int16_t R, G, B, Index;
    int32_t Near;
  };
  // A run of candidates_; Start is -1 while a cell's list is not made yet.
  struct TList {
    int32_t Start, Length;
  };

  static int CellOf(int r, int g, int b, int bits) {
    const int axis = 8 - bits;
    return ((((r >> bits) << axis) | (g >> bits)) << axis) | (b >> bits);
  }
  int SearchCell(int r, int g, int b) const;
  TList MakeList(TList from, int r, int g, int b, int bits) const;

  int count_ = 1;
  // The distinct entries, each with the lowest index at which its colour occurs, open the pool.
  TList distinct_{0, 0};
  mutable std::vector<TCandidate> candidates_;
  mutable std::vector<TList> coarse_;
  mutable std::vector<TList> fine_;
  // Keys are 24-bit colours, so the all-ones word marks an empty slot.
  mutable std::array<uint32_t, 1 << CacheBits> cacheKeys_;
  mutable std::array<int32_t, 1 << CacheBits> cacheValues_;
};
