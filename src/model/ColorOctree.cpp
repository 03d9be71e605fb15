#include "model/ColorOctree.h"

#include <algorithm>
#include <cmath>

namespace {

// All pixels inside a node's cube, for its error.
struct TInside {
  double Count = 0, Red = 0, Green = 0, Blue = 0, Squares = 0;
};

int Coordinate(int index, int level, int axis) {
  return (index >> (level * (2 - axis))) & ((1 << level) - 1);
}
int IndexAt(int level, int r, int g, int b) {
  return (((r << level) | g) << level) | b;
}

int RoundedMean(double sum, double count) {
  return std::clamp(int(std::lround(sum / count)), 0, 255);
}

}  // namespace

TColorOctree::TColorOctree(const TColorHistogram& histogram) {
  std::vector<TInside> inside, above;
  for (int level = Depth; level >= 0; --level) {
    const int side = 1 << level;
    above.assign(size_t(side) * side * side, TInside{});
    levels_[level].assign(above.size(), TNode{});
    for (int r = 0; r < side; ++r)
      for (int g = 0; g < side; ++g)
        for (int b = 0; b < side; ++b) {
          TInside& m = above[size_t(IndexAt(level, r, g, b))];
          if (level == Depth) {
            const TColorCell& c = histogram.Cell(r, g, b);
            m = {double(c.Count), double(c.Red), double(c.Green), double(c.Blue),
                 double(c.Squares)};
          } else {
            for (int child = 0; child < 8; ++child) {
              const TInside& k = inside[size_t(IndexAt(level + 1, 2 * r + (child >> 2),
                                                       2 * g + ((child >> 1) & 1),
                                                       2 * b + (child & 1)))];
              m.Count += k.Count;
              m.Red += k.Red;
              m.Green += k.Green;
              m.Blue += k.Blue;
              m.Squares += k.Squares;
            }
          }
          if (m.Count == 0) continue;
          // Sum of |p - c|^2 over the pixels p inside, for the cube's centre c.
          const double width = 256 >> level, half = (width - 1) / 2;
          const double cr = r * width + half, cg = g * width + half, cb = b * width + half;
          TNode& node = levels_[level][size_t(IndexAt(level, r, g, b))];
          node.Occupied = true;
          node.Error = m.Squares - 2 * (cr * m.Red + cg * m.Green + cb * m.Blue) +
                       m.Count * (cr * cr + cg * cg + cb * cb);
          if (level == Depth) {
            node.Count = m.Count;
            node.Red = m.Red;
            node.Green = m.Green;
            node.Blue = m.Blue;
          }
        }
    inside.swap(above);
  }
}

// Takes the node out of the tree: first its remaining children, then its own pixels go to its
// parent. `colors` counts the nodes that hold own pixels.
void TColorOctree::Prune(TLevels& levels, int level, int index, int& colors) {
  auto& node = levels[level][size_t(index)];
  if (!node.Occupied) return;
  const int r = Coordinate(index, level, 0), g = Coordinate(index, level, 1),
            b = Coordinate(index, level, 2);
  if (level < Depth)
    for (int child = 0; child < 8; ++child)
      Prune(levels, level + 1,
            IndexAt(level + 1, 2 * r + (child >> 2), 2 * g + ((child >> 1) & 1), 2 * b + (child & 1)),
            colors);
  auto& parent = levels[level - 1][size_t(IndexAt(level - 1, r >> 1, g >> 1, b >> 1))];
  if (node.Count > 0) colors -= parent.Count > 0 ? 1 : 0;
  parent.Count += node.Count;
  parent.Red += node.Red;
  parent.Green += node.Green;
  parent.Blue += node.Blue;
  node = TNode{};
}

std::vector<TColor> TColorOctree::Colors(int maxColors) const {
  TLevels work;
  struct TRef {
    double Error;
    int Level, Index;
  };
  std::vector<TRef> order;
  int colors = 0;
  for (int level = 0; level <= Depth; ++level) {
    work[level] = levels_[level];
    for (size_t i = 0; i < work[level].size(); ++i) {
      if (!work[level][i].Occupied) continue;
      if (level > 0) order.push_back({work[level][i].Error, level, int(i)});
      colors += work[level][i].Count > 0;
    }
  }
  if (!work[0][0].Occupied) return {};
  // Deeper nodes first among equal errors, so that a subtree goes leaf by leaf.
  std::sort(order.begin(), order.end(), [](const TRef& a, const TRef& b) {
    return a.Error != b.Error ? a.Error < b.Error : a.Level > b.Level;
  });
  // Nodes of equal error go together, so the result does not depend on the order of ties.
  for (size_t i = 0; i < order.size() && colors > std::max(maxColors, 1);) {
    const double error = order[i].Error;
    for (; i < order.size() && order[i].Error <= error; ++i)
      Prune(work, order[i].Level, order[i].Index, colors);
  }
  std::vector<TColor> result;
  for (int level = 0; level <= Depth; ++level)
    for (const TNode& node : work[level]) {
      if (node.Count <= 0) continue;
      const TColor c = MakeColor(RoundedMean(node.Red, node.Count),
                                 RoundedMean(node.Green, node.Count),
                                 RoundedMean(node.Blue, node.Count));
      if (std::find(result.begin(), result.end(), c) == result.end()) result.push_back(c);
    }
  return result;
}
