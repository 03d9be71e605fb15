#include "model/RasterTransforms.h"

#include <algorithm>
#include <utility>

namespace {

// Rotations walk the source in square tiles so that both the rows read and the columns
// written stay in the cache.
constexpr int RotationTile = 64;

TSurface RotatedClockwise(const TSurface& src) {
  TSurface out(src.Height(), src.Width());
  const int w = src.Width(), h = src.Height();
  for (int ty = 0; ty < h; ty += RotationTile)
    for (int tx = 0; tx < w; tx += RotationTile) {
      const int ye = std::min(h, ty + RotationTile), xe = std::min(w, tx + RotationTile);
      for (int y = ty; y < ye; ++y) {
        const TPixel* row = src.Row(y);
        for (int x = tx; x < xe; ++x) out.Row(x)[h - 1 - y] = row[x];
      }
    }
  return out;
}

TMaskSurface RotatedClockwise(const TMaskSurface& src) {
  TMaskSurface out(src.Height(), src.Width());
  const int w = src.Width(), h = src.Height();
  for (int ty = 0; ty < h; ty += RotationTile)
    for (int tx = 0; tx < w; tx += RotationTile) {
      const int ye = std::min(h, ty + RotationTile), xe = std::min(w, tx + RotationTile);
      for (int y = ty; y < ye; ++y)
        for (int x = tx; x < xe; ++x)
          if (!src.IsWhite(x, y)) out.SetWhite(h - 1 - y, x, false);
    }
  return out;
}

void MirrorRows(TSurface& s) {
  for (int y = 0; y < s.Height(); ++y) std::reverse(s.Row(y), s.Row(y) + s.Width());
}

void MirrorRows(TMaskSurface& m) {
  const int w = m.Width();
  for (int y = 0; y < m.Height(); ++y)
    for (int x = 0; x < w / 2; ++x) {
      const bool a = m.IsWhite(x, y);
      m.SetWhite(x, y, m.IsWhite(w - 1 - x, y));
      m.SetWhite(w - 1 - x, y, a);
    }
}

template <typename Surface>
void SwapRows(Surface& s, size_t rowBytes) {
  std::vector<uint8_t> tmp(rowBytes);
  for (int y = 0; y < s.Height() / 2; ++y) {
    auto* a = reinterpret_cast<uint8_t*>(s.Row(y));
    auto* b = reinterpret_cast<uint8_t*>(s.Row(s.Height() - 1 - y));
    std::swap_ranges(a, a + rowBytes, b);
  }
}

void FlipRows(TSurface& s) { SwapRows(s, size_t(s.Width()) * sizeof(TPixel)); }
void FlipRows(TMaskSurface& m) { SwapRows(m, size_t(m.Stride())); }

// Runs `op` on the image, the mask and the layer (if any).
template <typename Op>
void ForEachSurface(TSelectBitmap& raster, Op op) {
  op(raster.EditImage());
  op(raster.EditMask());
  if (TSurface* layer = raster.EditLayer()) op(*layer);
}

// Takes rotated surfaces in place of the raster's own, then exchanges width and height.
class TRotationAccess : public TSelectBitmap {
 public:
  static void Rotate(TSelectBitmap& raster) {
    const int w = raster.Width(), h = raster.Height();
    raster.EditImage() = RotatedClockwise(raster.Image());
    raster.EditMask() = RotatedClockwise(raster.Mask());
    if (TSurface* layer = raster.EditLayer()) *layer = RotatedClockwise(*layer);
    // The surfaces already have the new size; the setters bring the fields (and a group) along.
    raster.SetWidth(h);
    raster.SetHeight(w);
  }
};

}  // namespace

void RotateClockwise(TSelectBitmap& raster) { TRotationAccess::Rotate(raster); }

void Rotate180(TSelectBitmap& raster) {
  ForEachSurface(raster, [](auto& s) {
    MirrorRows(s);
    FlipRows(s);
  });
}

void MirrorHorizontal(TSelectBitmap& raster) {
  ForEachSurface(raster, [](auto& s) { MirrorRows(s); });
}

void FlipVertical(TSelectBitmap& raster) {
  ForEachSurface(raster, [](auto& s) { FlipRows(s); });
}

void RotateCounterClockwise(TSelectBitmap& raster) {
  RotateClockwise(raster);
  Rotate180(raster);
}

TPixel GreyPixel(TPixel p) {
  const TPixel r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
  const TPixel grey = (2 * r + g + b) / 4;
  return (p & 0xFF000000u) | grey << 16 | grey << 8 | grey;
}

TPixel BlendPixel(TPixel p, TPixel blend, int x, int w) {
  TPixel out = p & 0xFF000000u;
  for (int shift = 0; shift < 24; shift += 8) {
    const int own = int(p >> shift) & 0xFF, other = int(blend >> shift) & 0xFF;
    out |= TPixel((own * (w - x) + other * x) / w) << shift;
  }
  return out;
}

void GrayscaleSelection(TSelectBitmap& raster) {
  ApplyToSelection(raster, GreyPixel);
}

void BlendSelection(TSelectBitmap& raster, TColor blend) {
  ApplyToSelectionPositional(
      raster,
      [](TPixel p, int b, int x, int, int w, int) { return BlendPixel(p, TPixel(b), x, w); },
      int(ColorToPixel(blend)));
}
