#pragma once
// Maps pixel words to the index of the nearest palette entry.
//
// Nearness is the Euclidean distance in RGB; on a tie the lower index wins, so a colour that is
// in the palette always maps to its first occurrence. Images usually repeat few colours, so the
// answers are kept in a small direct-mapped cache.

#include <array>
#include <cstdint>
#include <vector>

#include "model/Colors.h"

class TPaletteMapper {
 public:
  // `palette` holds at least one entry.
  TPaletteMapper(const TColor* palette, int count);

  int IndexOf(TPixel pixel) {
    const uint32_t key = pixel & 0xFFFFFF;
    Slot& slot = cache_[(key ^ (key >> 11) ^ (key >> 19)) & (cache_.size() - 1)];
    if (slot.Key != key) {
      slot.Key = key;
      slot.Index = NearestIndex(key);
    }
    return slot.Index;
  }

 private:
  struct Slot {
    uint32_t Key = 0xFFFFFFFF;  // never a valid 24-bit pixel
    int Index = 0;
  };
  int NearestIndex(TPixel pixel) const;

  std::vector<TColor> palette_;
  std::array<Slot, 4096> cache_{};
};
