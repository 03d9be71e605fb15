// Choosing the colours of a reduced palette for a surface.

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "model/ColorBoxes.h"
#include "model/ColorHistogram.h"
#include "model/ColorOctree.h"
#include "model/ColorReduction.h"
#include "model/DiffusionPalette.h"
#include "model/Errors.h"
#include "model/NearestColor.h"
#include "model/PixelSample.h"

namespace {

// Collects the distinct colours in the order of their first occurrence; gives up (false) as
// soon as there are more than `limit`. A small open-addressing table keeps this a single cheap
// pass even for large surfaces.
bool CollectFewColors(const TSurface& s, int limit, std::vector<TColor>& colors) {
  constexpr uint32_t Empty = 0xFFFFFFFFu;
  constexpr int SlotBits = 10;  // 1024 slots: at most a quarter full for 257 colours
  std::vector<uint32_t> slots(size_t(1) << SlotBits, Empty);
  const size_t n = size_t(s.Width()) * size_t(s.Height());
  const TPixel* p = s.Bits();
  uint32_t last = Empty;
  for (size_t i = 0; i < n; ++i) {
    const uint32_t key = StripHighByte(p[i]);
    if (key == last) continue;
    last = key;
    uint32_t slot = (key * 2654435761u) >> (32 - SlotBits);
    while (slots[slot] != Empty && slots[slot] != key) slot = (slot + 1) & (slots.size() - 1);
    if (slots[slot] == key) continue;
    if (int(colors.size()) == limit) return false;
    slots[slot] = key;
    colors.push_back(PixelToColor(key));
  }
  return true;
}

// Moves every colour to the mean of the pixels nearest to it (Lloyd's refinement), which lowers
// the squared error of mapping each pixel to its nearest colour. A sample of about 2^16 pixels,
// spread over the rows and columns, gives the same means as all of them within a fraction of a
// level and keeps each pass cheap on large pictures.
void RefineForNearest(const TSurface& s, std::vector<TColor>& colors, int passes) {
  for (int pass = 0; pass < passes; ++pass) {
    const TNearestColorIndex index(colors);
    std::vector<std::array<int64_t, 4>> sums(colors.size(), {0, 0, 0, 0});
    VisitSample(s, 65536, [&](TPixel p) {
      auto& sum = sums[size_t(index.IndexOfPixel(p))];
      sum[0] += (p >> 16) & 0xFF;
      sum[1] += (p >> 8) & 0xFF;
      sum[2] += p & 0xFF;
      ++sum[3];
    });
    for (size_t i = 0; i < colors.size(); ++i) {
      const auto& sum = sums[i];
      if (sum[3] == 0) continue;  // nothing near it in the sample: it stays where it is
      auto mean = [&](int64_t v) { return int((v + sum[3] / 2) / sum[3]); };
      colors[i] = MakeColor(mean(sum[0]), mean(sum[1]), mean(sum[2]));
    }
  }
}

int SquaredDistance(TPixel p, TColor c) {
  const int dr = int((p >> 16) & 0xFF) - RedOf(c), dg = int((p >> 8) & 0xFF) - GreenOf(c),
            db = int(p & 0xFF) - BlueOf(c);
  return dr * dr + dg * dg + db * db;
}

// When the picture's colours crowd into fewer histogram cells than colours are wanted, the
// choosers cannot tell them apart and leave entries free. These go, one at a time, to the
// picture's colour farthest from all chosen so far. With few cells occupied there are at most
// 512 distinct colours per cell, so the search stays cheap.
void AddFarthestColors(const TSurface& s, int maxColors, std::vector<TColor>& colors) {
  std::vector<uint64_t> seen(size_t(1) << 18, 0);  // one bit per 24-bit colour
  std::vector<TPixel> distinct;
  for (int y = 0; y < s.Height(); ++y)
    for (const TPixel* p = s.Row(y); p != s.Row(y) + s.Width(); ++p) {
      const TPixel key = StripHighByte(*p);
      uint64_t& word = seen[key >> 6];
      if (word & (uint64_t(1) << (key & 63))) continue;
      word |= uint64_t(1) << (key & 63);
      distinct.push_back(key);
    }
  std::vector<int> gap(distinct.size(), 1 << 30);
  auto narrow = [&](TColor c) {
    for (size_t i = 0; i < distinct.size(); ++i)
      gap[i] = std::min(gap[i], SquaredDistance(distinct[i], c));
  };
  for (TColor c : colors) narrow(c);
  while (int(colors.size()) < maxColors) {
    const size_t far = size_t(std::max_element(gap.begin(), gap.end()) - gap.begin());
    if (gap.empty() || gap[far] == 0) break;
    colors.push_back(PixelToColor(distinct[far]));
    narrow(colors.back());
  }
}

// From this many colours on, the fine octree's palette serves every dithered picture well; below
// it no single kind of palette does, and several are tried on the picture (DiffusionPalette.h).
constexpr int OctreeMinColors = 128;

}  // namespace

std::vector<TColor> QuantizeColors(const TSurface& s, int maxColors, TDitherMode mode) {
  if (maxColors < 2 || maxColors > 256)
    throw EVelmoraError("A palette must have between 2 and 256 colours.");
  std::vector<TColor> colors;
  if (CollectFewColors(s, maxColors, colors)) return colors;
  const TColorHistogram histogram(s);
  if (mode == TDitherMode::Nearest)
    colors = TColorBoxes(histogram).Colors(maxColors);
  else if (maxColors >= OctreeMinColors)
    colors = TColorOctree(histogram).Colors(maxColors);
  else
    colors = DiffusionPalette(s, histogram, maxColors, mode);
  if (histogram.OccupiedCells() < maxColors) AddFarthestColors(s, maxColors, colors);
  if (mode == TDitherMode::Nearest) RefineForNearest(s, colors, 2);
  return colors;
}
