#pragma once
// Drawing one surface onto another. Every operation clips against both surfaces and works on
// whole rows; a 1-bit mask used as a source reads as black (0x000000) for selected pixels and
// white (0xFFFFFF) for the others.

#include "model/Surface.h"

// How source and target combine: copy, AND, OR, OR with the inverted source, XOR.
enum class TRop : uint8_t { Copy, And, Or, OrNotSource, Xor };

// Draws `src` with its top-left corner at (x, y) of `dst`.
void Blit(TSurface& dst, int x, int y, const TSurface& src, TRop op);
// Draws the part `from` of `src` with its top-left corner at (x, y) of `dst`.
void Blit(TSurface& dst, int x, int y, const TSurface& src, const TRect& from, TRop op);
void Blit(TSurface& dst, int x, int y, const TMaskSurface& src, TRop op);
void Blit(TMaskSurface& dst, int x, int y, const TMaskSurface& src, TRop op);
// Draws the part `from` of the mask `src` with its top-left corner at (x, y) of `dst`; the cost
// follows the part, not the masks.
void Blit(TMaskSurface& dst, int x, int y, const TMaskSurface& src, const TRect& from, TRop op);

// Draws `src` at (x, y), leaving out every source pixel whose low 24 bits equal `key`.
void DrawTransparent(TSurface& dst, int x, int y, const TSurface& src, TPixel key);

// A copy of `src` in which every pixel of colour `from` (low 24 bits) becomes `to`.
TSurface BrushCopy(const TSurface& src, TPixel from, TPixel to);
