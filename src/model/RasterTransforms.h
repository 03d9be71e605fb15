#pragma once
// Whole-raster rotations and mirrors, and the per-pixel selection filters.
//
// The transforms act on the image, the mask and the floating layer alike, so a selection and a
// floating layer turn with the picture.

#include <algorithm>

#include "model/SelectBitmap.h"

void RotateClockwise(TSelectBitmap& raster);
void Rotate180(TSelectBitmap& raster);
void MirrorHorizontal(TSelectBitmap& raster);
void FlipVertical(TSelectBitmap& raster);
// Counter-clockwise is clockwise followed by a half turn.
void RotateCounterClockwise(TSelectBitmap& raster);

// Replaces every selected pixel word p by f(p); with the raster's Transparent flag set, pixels
// of the transparent colour are left alone.
template <typename PixelFunction>
void ApplyToSelection(TSelectBitmap& raster, PixelFunction f) {
  const bool skip = raster.GetTransparent();
  const TPixel key = ColorToPixel(raster.GetTransparentColor());
  const TMaskSurface& mask = raster.Mask();
  TSurface& image = raster.EditImage();
  for (int y = 0; y < raster.Height(); ++y) {
    TPixel* row = image.Row(y);
    for (int x = 0; x < raster.Width(); ++x) {
      if (!mask.IsSelected(x, y)) continue;
      if (skip && (row[x] & 0xFFFFFF) == key) continue;
      row[x] = f(row[x]);
    }
  }
}

// Like ApplyToSelection, but f also learns where the pixel lies in the selection's bounding box:
// f(pixel, parameter, x - boxLeft, boxHeight, boxWidth, y - boxTop), where the box's width and
// height are the differences of its greatest and least column and row. A box one column wide
// has no extent to spread a column over (its width is 0), so its pixels stay as they are.
template <typename PositionalFunction>
void ApplyToSelectionPositional(TSelectBitmap& raster, PositionalFunction f, int parameter) {
  const TMaskSurface& mask = raster.Mask();
  int left = raster.Width(), right = 0, top = raster.Height(), bottom = 0;
  bool any = false;
  for (int y = 0; y < raster.Height(); ++y)
    for (int x = 0; x < raster.Width(); ++x)
      if (mask.IsSelected(x, y)) {
        any = true;
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
  const int w = right - left, h = bottom - top;
  if (!any || w == 0) return;
  const bool skip = raster.GetTransparent();
  const TPixel key = ColorToPixel(raster.GetTransparentColor());
  TSurface& image = raster.EditImage();
  for (int y = top; y <= bottom; ++y) {
    TPixel* row = image.Row(y);
    for (int x = left; x <= right; ++x) {
      if (!mask.IsSelected(x, y)) continue;
      if (skip && (row[x] & 0xFFFFFF) == key) continue;
      row[x] = f(row[x], parameter, x - left, h, w, y - top);
    }
  }
}

// The grey filter of one pixel word: (2 red + green + blue) / 4 in each channel, the top byte kept.
TPixel GreyPixel(TPixel p);
// The fading filter of one pixel word at column x of a box w columns wide (w > 0): each channel
// runs from the pixel's own at x = 0 to the blend word's at x = w; the top byte is kept.
TPixel BlendPixel(TPixel p, TPixel blend, int x, int w);

// Turns the selected pixels grey.
void GrayscaleSelection(TSelectBitmap& raster);
// Fades the selection from its own colours at its left edge to `blend` at its right edge: the
// "disabled" look of toolbar pictures.
void BlendSelection(TSelectBitmap& raster, TColor blend);
