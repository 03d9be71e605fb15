#pragma once
// The magic wand's pixel work, free of widgets: the region of one colour around a pixel and its
// combination with the selection.

#include <cstdint>

#include "model/Surface.h"

// How a new region meets the selection.
enum class TSelectMode : uint8_t { Replace, Add, Subtract, Xor };

// The pixels edge-connected to (x, y) through pixels of exactly its colour (low 24 bits), as a
// mask in which the region is selected. Nothing else is selected, whatever colours the image
// holds elsewhere. A start outside the image gives an empty region.
TMaskSurface WandRegion(const TSurface& image, int x, int y);

// Combines `region` (selected = in the region) into `mask` of the same size: Replace makes it the
// selection, Add joins it, Subtract removes it, Xor toggles each of its pixels.
void CombineRegion(TMaskSurface& mask, const TMaskSurface& region, TSelectMode mode);
