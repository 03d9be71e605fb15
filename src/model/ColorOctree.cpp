#include "model/ColorOctree.h"

#include <algorithm>
#include <cmath>

namespace {

int Coordinate(int index, int level, int axis) {
  return (index >> (level * (2 - axis))) & ((1 << level) - 1);
}
int IndexAt(int level, int r, int g, int b) {
  return (((r << level) | g) << level) | b;
}

int RoundedMean(double sum, double count) {
  return std::clamp(int(std::lround(sum / count)), 0, 255);
}

// Sum of |p - c|^2 over the pixels p inside a cube, for its centre c.
double SquaredError(double count, double red, double green, double blue, double squares, double cr,
                    double cg, double cb) {
  return squares - 2 * (cr * red + cg * green + cb * blue) + count * (cr * cr + cg * cg + cb * cb);
}

// The centre of channel `axis` of the cube `index` of `level`.
double CubeCentre(int index, int level, int axis) {
  const double width = 256 >> level;
  return Coordinate(index, level, axis) * width + (width - 1) / 2;
}

// The distances of a histogram cell's pixels from the centre of the cube `index` of `level`. A
// cell is small against the cubes of a coarse tree, so its pixels count at its mean.
double CellDistance(const TColorCell& c, int level, int index) {
  const double n = c.Count;
  const double dr = double(c.Red) / n - CubeCentre(index, level, 0),
               dg = double(c.Green) / n - CubeCentre(index, level, 1),
               db = double(c.Blue) / n - CubeCentre(index, level, 2);
  return n * std::sqrt(dr * dr + dg * dg + db * db);
}

}  // namespace

TColorOctree::TColorOctree(const TColorHistogram& histogram, int depth, TCubeError error)
    : levels_(size_t(std::clamp(depth, 1, TColorHistogram::Bits)) + 1) {
  depth = int(levels_.size()) - 1;
  // All pixels inside each node's cube, summed over its cells.
  std::vector<std::vector<TColorCell>> inside(levels_.size());
  for (int level = 0; level <= depth; ++level) {
    levels_[size_t(level)].resize(size_t(1) << (3 * level));
    inside[size_t(level)].resize(levels_[size_t(level)].size());
  }
  constexpr int Cells = TColorHistogram::Levels;
  for (int r = 0; r < Cells; ++r)
    for (int g = 0; g < Cells; ++g)
      for (int b = 0; b < Cells; ++b) {
        const TColorCell& c = histogram.Cell(r, g, b);
        if (c.Count == 0) continue;
        for (int level = 0; level <= depth; ++level) {
          const int shift = TColorHistogram::Bits - level;
          const size_t i = size_t(IndexAt(level, r >> shift, g >> shift, b >> shift));
          TColorCell& m = inside[size_t(level)][i];
          m.Count += c.Count;
          m.Red += c.Red;
          m.Green += c.Green;
          m.Blue += c.Blue;
          m.Squares += c.Squares;
          if (error == TCubeError::Distance)
            levels_[size_t(level)][i].Error += CellDistance(c, level, int(i));
        }
      }
  for (int level = 0; level <= depth; ++level)
    for (size_t i = 0; i < inside[size_t(level)].size(); ++i)
      SetNode(levels_[size_t(level)][i], inside[size_t(level)][i], level, int(i), level == depth,
              error);
}

// Marks a node with pixels inside; its squared error comes from the moments of all of them, and a
// leaf holds them as its own.
void TColorOctree::SetNode(TNode& node, const TColorCell& inside, int level, int index, bool leaf,
                           TCubeError error) {
  if (inside.Count == 0) return;
  node.Occupied = true;
  if (error == TCubeError::Squared)
    node.Error =
        SquaredError(inside.Count, double(inside.Red), double(inside.Green), double(inside.Blue),
                     double(inside.Squares), CubeCentre(index, level, 0),
                     CubeCentre(index, level, 1), CubeCentre(index, level, 2));
  if (!leaf) return;
  node.Count = inside.Count;
  node.Red = double(inside.Red);
  node.Green = double(inside.Green);
  node.Blue = double(inside.Blue);
}

// Takes the node out of the tree: first its remaining children, then its own pixels go to its
// parent. `colors` counts the nodes that hold own pixels.
void TColorOctree::Prune(TLevels& levels, int level, int index, int& colors) {
  auto& node = levels[level][size_t(index)];
  if (!node.Occupied) return;
  const int r = Coordinate(index, level, 0), g = Coordinate(index, level, 1),
            b = Coordinate(index, level, 2);
  if (level + 1 < int(levels.size()))
    for (int child = 0; child < 8; ++child)
      Prune(
          levels, level + 1,
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
  TLevels work(levels_.size());
  struct TRef {
    double Error;
    int Level, Index;
  };
  std::vector<TRef> order;
  int colors = 0;
  for (size_t level = 0; level < levels_.size(); ++level) {
    work[level] = levels_[level];
    for (size_t i = 0; i < work[level].size(); ++i) {
      if (!work[level][i].Occupied) continue;
      if (level > 0) order.push_back({work[level][i].Error, int(level), int(i)});
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
  for (const auto& level : work)
    for (const TNode& node : level) {
      if (node.Count <= 0) continue;
      const TColor c =
          MakeColor(RoundedMean(node.Red, node.Count), RoundedMean(node.Green, node.Count),
                    RoundedMean(node.Blue, node.Count));
      if (std::find(result.begin(), result.end(), c) == result.end()) result.push_back(c);
    }
  return result;
}
