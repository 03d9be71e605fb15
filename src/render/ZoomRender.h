#pragma once
// The pixel work of the zoomed view, kept free of widgets so that it can be tested and measured
// on plain rasters: the magnified picture with grid lines and the transparency hatch, the
// floating layer laid over it, the marching selection outline, and the 1:1 preview picture.
//
// Every target is a block of 32-bit rows in the layout of QImage::Format_RGB32 (blue in the low
// byte). Written pixels carry 0xFF in their high byte so that Qt may blit them as opaque.

#include <cstddef>
#include <cstdint>

#include "model/Colors.h"
#include "model/Geometry.h"
#include "model/Surface.h"

class TSelectBitmap;

// Rows of 32-bit pixels; Stride counts pixels from one row to the next.
struct TPixelRows {
  TPixel* Bits = nullptr;
  int Width = 0;
  int Height = 0;
  ptrdiff_t Stride = 0;

  TPixel* Row(int y) const { return Bits + ptrdiff_t(y) * Stride; }
};

inline TPixelRows RowsOf(TSurface& surface) {
  return {surface.Bits(), surface.Width(), surface.Height(), surface.Width()};
}

constexpr TPixel OpaqueBits = 0xFF000000u;

// A colour as an opaque view pixel.
constexpr TPixel ViewPixel(TColor c) {
  return ColorToPixel(c) | OpaqueBits;
}

struct TZoomStyle {
  int Factor = 1;  // view pixels per image pixel
  TColor GridColor = MakeColor(128, 128, 128);
  bool Grid = true;  // only honoured from factor 4 on
  TColor Background = MakeColor(192, 192, 192);
  bool Hatch = true;
  bool Transparent = false;
  TColor TransparentColor = 0;
  // The source is a 32-bit image with alpha (model/Colors.h): translucent pixels are blended
  // over the hatch (or the background without it) and no key colour applies.
  bool Alpha = false;
};

// Fills the whole target with the magnified source, starting at source pixel (originX, originY).
// Each image pixel becomes a Factor x Factor cell whose first row and column are grid lines when
// the grid shows; the target's last row and column are always drawn in the grid colour and close
// the picture. Transparent pixels show the background with a hatch in its inverse colour,
// anchored to view coordinates. The source must hold (Width - 1) / Factor columns and
// (Height - 1) / Factor rows from the origin.
void DrawZoomed(const TSurface& source, int originX, int originY, const TPixelRows& target,
                const TZoomStyle& style);

// Lays the floating layer of `image` over a view of the image part `visible` (right and bottom
// exclusive) magnified by `factor`: every view pixel of a selected mask cell, grid lines included,
// takes the layer's pixel; translucent pixels of a 32-bit image blend over the hatch of
// `background` instead. Mask and layer lie at LayerLeft, LayerTop.
void CompositeLayer(const TSelectBitmap& image, const TRect& visible, int factor,
                    const TPixelRows& target, TColor background = MakeColor(192, 192, 192));

// One dashed segment of the selection outline: `n` pixels from (x, y) along the row or the
// column. The dash phase follows the segment's start coordinate along its axis, so segments of one
// edge join into an even pattern; `pattern` chooses colour `a` (bit set) or `b` per pixel.
// Pixels outside the target are skipped.
void DrawDashRow(const TPixelRows& target, int x, int y, int n, uint32_t pattern, TPixel a,
                 TPixel b);
void DrawDashColumn(const TPixelRows& target, int x, int y, int n, uint32_t pattern, TPixel a,
                    TPixel b);

struct TOutlineStyle {
  uint32_t Pattern = 0xF0F0F0F0u;
  TColor First = clWhite;
  TColor Second = clBlack;
};

// Finds the selection edges of `mask` (shown at offset lx, ly) inside the visible image part
// and, when `target` is given, draws them as dashed segments on the grid lines of the view.
// Answers whether any edge lies in the visible part.
bool DrawSelectionOutline(const TMaskSurface& mask, int lx, int ly, const TRect& visible,
                          int factor, const TPixelRows* target, const TOutlineStyle& style);

// The 1:1 picture of `image` for the part `region` (clipped to the image) as premultiplied ARGB
// rows: transparent pixels get alpha 0 so the background shows through (32-bit images give
// their own alpha), and with `withLayer` the
// floating layer's selected cells are laid over at their offset. `target` receives the region
// with its top-left pixel at (0, 0).
void ComposePreview(const TSelectBitmap& image, const TRect& region, bool withLayer,
                    const TPixelRows& target);
