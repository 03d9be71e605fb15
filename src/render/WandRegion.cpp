#include "render/WandRegion.h"

#include "model/Draw.h"

TMaskSurface WandRegion(const TSurface& image, int x, int y) {
  TMaskSurface region(image.Width(), image.Height());
  if (!image.Bounds().Contains(x, y)) return region;
  // The model's flood fill works without recursion on any size. Filling a copy with a colour
  // that differs from the start colour changes exactly the region, so comparing both tells it
  // apart without a marker colour that the picture might already hold.
  TSurface filled = image;
  const TPixel start = StripHighByte(image.Pixel(x, y));
  FloodFill(filled, x, y, start ^ 1);
  for (int row = 0; row < image.Height(); ++row) {
    const TPixel* before = image.Row(row);
    const TPixel* after = filled.Row(row);
    for (int col = 0; col < image.Width(); ++col)
      if (StripHighByte(before[col] ^ after[col]) != 0) region.SetSelected(col, row, true);
  }
  return region;
}

void CombineRegion(TMaskSurface& mask, const TMaskSurface& region, TSelectMode mode) {
  // Bits are 0 for selected pixels, so a union is AND and a removal is OR with the inverse. Whole
  // bytes are combined; the padding bits at the row ends stay white in every mode.
  const int bytes = mask.Stride();
  for (int y = 0; y < mask.Height(); ++y) {
    uint8_t* out = mask.Row(y);
    const uint8_t* in = region.Row(y);
    for (int i = 0; i < bytes; ++i) {
      switch (mode) {
        case TSelectMode::Replace:
          out[i] = in[i];
          break;
        case TSelectMode::Add:
          out[i] &= in[i];
          break;
        case TSelectMode::Subtract:
          out[i] |= uint8_t(~in[i]);
          break;
        case TSelectMode::Xor:
          out[i] ^= uint8_t(~in[i]);
          break;
      }
    }
  }
}
