#pragma once
// Drawing primitives for the pixel tools: lines, rectangles, ellipses, flood fill and the banded
// linear gradient. They draw on our own surfaces (32-bit pixel words) and on 1-bit masks with a
// pen mode, non-antialiased and pixel exact, following the conventions of the classic Windows
// canvas where a user would notice a difference:
//
// - A line does not draw its end point; the caller sets it when it wants it.
// - Rectangles and ellipses take a rectangle whose right and bottom edge are excluded; the
//   outline lies on the pixels just inside that rectangle.
// - A shape has an optional pen (the one-pixel outline) and an optional brush (the inside). An
//   absent brush is the "clear" brush. An absent pen leaves no outline: the brush then covers the
//   whole shape, outline pixels included.
//
// Every function clips to the surface. Coordinates far outside it, even near the limits of int,
// cost no more than the visible part.

#include <cstdint>
#include <optional>

#include "model/Colors.h"
#include "model/Geometry.h"
#include "model/Surface.h"

enum class TShapeKind : uint8_t { Rectangle, Ellipse };

// A one-pixel line from (x0, y0) up to, but excluding, (x1, y1). Equal points draw nothing.
// Where the ideal line passes exactly halfway between two pixels, the pixel with the smaller
// coordinate across the line's main direction is taken whatever the direction of drawing, so a
// line and its reverse cover the same pixels apart from their excluded end points.
void DrawLine(TSurface& surface, int x0, int y0, int x1, int y1, TPixel pixel);
void DrawLine(TMaskSurface& mask, int x0, int y0, int x1, int y1, TMaskPen pen);

// Rectangle outline on the border pixels of r (normalised first) and the brush inside it.
void DrawRectangle(TSurface& surface, const TRect& r, std::optional<TPixel> pen,
                   std::optional<TPixel> brush);
// The ellipse inscribed in r: a thin 8-connected outline that is its own mirror image left to
// right and top to bottom, and the brush on the pixels enclosed by it.
void DrawEllipse(TSurface& surface, const TRect& r, std::optional<TPixel> pen,
                 std::optional<TPixel> brush);
void DrawShape(TSurface& surface, TShapeKind kind, const TRect& r, std::optional<TPixel> pen,
               std::optional<TPixel> brush);

// Mask versions: the pen mode applies to the outline and, when `filled`, to the inside too. Every
// pixel of the shape is touched exactly once, so Xor toggles each of them.
void DrawRectangle(TMaskSurface& mask, const TRect& r, TMaskPen pen, bool filled = true);
void DrawEllipse(TMaskSurface& mask, const TRect& r, TMaskPen pen, bool filled = true);
void DrawShape(TMaskSurface& mask, TShapeKind kind, const TRect& r, TMaskPen pen,
               bool filled = true);
// Applies the pen to every pixel of r inside the mask (a filled rectangle, fast on whole bytes).
void FillRectMask(TMaskSurface& mask, const TRect& r, TMaskPen pen);

// A new width x height mask that is white where the shape drawn over its whole area lies (its
// outline, and its inside too unless `outlineOnly`) and black elsewhere. Throws EVelmoraError
// for sizes a mask cannot have.
TMaskSurface ShapeMask(TShapeKind kind, int width, int height, bool outlineOnly);

// Every pixel edge-connected to (x, y) through pixels of the colour of (x, y) becomes `pixel`.
// Colours are compared on their low 24 bits; the high byte of a pixel word plays no part. A start
// outside the surface, or a fill colour equal to the colour found there, changes nothing.
void FloodFill(TSurface& surface, int x, int y, TPixel pixel);

// Fills r with a banded linear gradient from `from` to `to` (colours, red in the low byte), left
// to right when `horizontal`, else top to bottom. The number of bands N is `bands` raised to at
// least 2 and lowered to at most the extent (the width or height of r); each band is extent div N
// pixels wide and band k takes, per channel, from + k * (to - from) / (N - 1), the quotient
// rounded half away from zero. Pixels left over at the far end take `to`. An extent of one pixel
// leaves a single band of `from`.
void GradientFill(TSurface& surface, const TRect& r, TColor from, TColor to, bool horizontal,
                  int bands);
