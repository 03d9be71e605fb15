#pragma once
// Palette choice by pruning an octree of the colour cube, for pictures that will be dithered.
//
// Level L of the tree cuts every channel into 2^L equal parts; the leaves are the histogram's
// cells. Every node knows the pixels inside its cube and their squared distance to the cube's
// centre, which is the error of letting the node stand for all of them. Pruning merges a node's
// own pixels into its parent, always the nodes of least error first (and the whole subtree of a
// pruned node with it), until no more nodes hold own pixels than colours are wanted. Each node
// with own pixels gives their mean colour.
//
// Unlike density-following palettes, this keeps colours for small groups of pixels far from the
// rest: a node's error grows with the distance of its pixels, so a few strongly saturated or very
// dark pixels survive as a node of their own. Error diffusion needs such colours to mix the
// picture's extreme colours, which keeps the diffused picture's local averages faithful.

#include <vector>

#include "model/ColorHistogram.h"
#include "model/Colors.h"

class TColorOctree {
 public:
  explicit TColorOctree(const TColorHistogram& histogram);

  // At most `maxColors` (at least 1) distinct colours with high byte 0; none for an empty
  // histogram.
  std::vector<TColor> Colors(int maxColors) const;

 private:
  static constexpr int Depth = TColorHistogram::Bits;

  struct TNode {
    double Error = 0;  // squared distance of the pixels inside to the cube's centre
    // The node's own pixels: those of pruned descendants and, for a leaf, its cell's.
    double Count = 0, Red = 0, Green = 0, Blue = 0;
    bool Occupied = false;
  };

  // Nodes of level L at index ((r << L | g) << L) | b for the cube's coordinates at that level.
  using TLevels = std::vector<TNode>[Depth + 1];
  static void Prune(TLevels& levels, int level, int index, int& colors);

  TLevels levels_;
};
