#pragma once
// Palette choice by pruning an octree of the colour cube, for pictures that will be dithered.
//
// Level L of the tree cuts every channel into 2^L equal parts; the leaves are the cubes of the
// deepest level asked for, down to the histogram's cells. Every node knows how far the pixels
// inside its cube lie from the cube's centre, which is the error of letting the node stand for
// all of them. Pruning merges a node's own pixels into its parent, always the nodes of least
// error first (and the whole subtree of a pruned node with it), until no more nodes hold own
// pixels than colours are wanted. Each node with own pixels gives their mean colour.
//
// Unlike density-following palettes, this keeps colours for small groups of pixels far from the
// rest: a node's error grows with the distance of its pixels, so a few strongly saturated or very
// dark pixels survive as a node of their own. Error diffusion needs such colours to mix the
// picture's extreme colours, which keeps the diffused picture's local averages faithful.

#include <cstdint>
#include <vector>

#include "model/ColorHistogram.h"
#include "model/Colors.h"

// How a node's error adds up its pixels' distances from the cube's centre: squared, which lets
// a few far pixels outweigh many near ones, or plain distances, which weigh the number of pixels
// more and suit coarse trees for small palettes.
enum class TCubeError : uint8_t { Squared, Distance };

class TColorOctree {
 public:
  // `depth` (1 to the histogram's bits) is the level of the leaves.
  explicit TColorOctree(const TColorHistogram& histogram, int depth = TColorHistogram::Bits,
                        TCubeError error = TCubeError::Squared);

  // At most `maxColors` (at least 1) distinct colours with high byte 0; none for an empty
  // histogram.
  std::vector<TColor> Colors(int maxColors) const;

 private:
  struct TNode {
    double Error = 0;  // distance of the pixels inside from the cube's centre
    // The node's own pixels: those of pruned descendants and, for a leaf, its cube's.
    double Count = 0, Red = 0, Green = 0, Blue = 0;
    bool Occupied = false;
  };

  // Nodes of level L at index ((r << L | g) << L) | b for the cube's coordinates at that level.
  using TLevels = std::vector<std::vector<TNode>>;
  static void SetNode(TNode& node, const TColorCell& inside, int level, int index, bool leaf,
                      TCubeError error);
  static void Prune(TLevels& levels, int level, int index, int& colors);

  TLevels levels_;
};
