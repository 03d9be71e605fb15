#include "model/SelectBitmap.h"

#include <algorithm>

#include "model/GraphUtils.h"
#include "model/RasterOps.h"

TSelectBitmap::TSelectBitmap() : image_(1, 1), mask_(1, 1) {}

TSelectBitmap::~TSelectBitmap() = default;

void TSelectBitmap::Assign(const TSelectBitmap& source) {
  if (&source == this) return;
  image_ = source.image_;
  modified_ = true;
  mask_ = source.mask_;
  layer_.reset();
  if (source.layer_) layer_ = std::make_unique<TSurface>(*source.layer_);
  SetWidth(source.Width());
  SetHeight(source.Height());
  LayerLeft = source.LayerLeft;
  LayerTop = source.LayerTop;
  modified_ = source.modified_;
  SetTransparent(source.GetTransparent());
  transparentColor_ = source.GetTransparentColor();
  SetBitCount(source.GetBitCount());
  const TPaletteRecord copy = source.GetPalette();  // the source may share our record
  GetPalette() = copy;
}

void TSelectBitmap::AssignPicture(TDecodedPicture picture) {
  layer_.reset();
  ClearSelection();
  image_ = std::move(picture.Image);
  modified_ = true;
  SetTransparent(picture.Transparent);
  if (picture.TransparentColor) {
    transparentColor_ = *picture.TransparentColor;
  } else if (!image_.IsEmpty()) {
    transparentColor_ = PixelToColor(image_.Pixel(0, image_.Height() - 1));
  } else {
    transparentColor_ = 0;
  }
  int bits = 24;
  if (picture.Kind == TPictureKind::Bitmap || picture.Kind == TPictureKind::Png) {
    const int b = picture.BitCount;
    bits = (b == 1 || b == 4 || b == 8 || b == 15 || b == 16 || b == 32) ? b : 24;
  } else if (picture.Kind == TPictureKind::Gif) {
    bits = picture.BitCount;
  }
  bitCount_ = uint8_t(bits);
  TPaletteRecord& pal = GetPalette();
  if (bits > 8) {
    FillDefaultPalette264(pal);
  } else {
    const int wanted = 1 << bits;
    const int n = std::min<int>(wanted, int(picture.Palette.size()));
    pal.Version = PaletteVersion;
    pal.Count = uint16_t(n);
    for (int i = 0; i < n; ++i) pal.SetColor(i, picture.Palette[size_t(i)]);
  }
  SetWidth(image_.Width());
  SetHeight(image_.Height());
}

TColor TSelectBitmap::GetLeftColor() const { return leftColor_; }
TColor TSelectBitmap::GetRightColor() const { return rightColor_; }
void TSelectBitmap::SetLeftColor(TColor c) { leftColor_ = NearestColor(c); }
void TSelectBitmap::SetRightColor(TColor c) { rightColor_ = NearestColor(c); }
int TSelectBitmap::GetBitCount() const { return bitCount_; }
void TSelectBitmap::SetBitCount(int n) { bitCount_ = uint8_t(n); }
TPaletteRecord& TSelectBitmap::GetPalette() { return palette_; }
bool TSelectBitmap::GetTransparent() const { return transparent_; }
void TSelectBitmap::SetTransparent(bool b) { transparent_ = b; }
TColor TSelectBitmap::GetTransparentColor() const { return transparentColor_; }
void TSelectBitmap::SetTransparentColor(TColor c) { transparentColor_ = c; }

void TSelectBitmap::SetWidth(int w) {
  if (w == width_) return;
  // Only the width changes: each surface keeps its own height, which matters while a rotation
  // hands over surfaces that already have the new shape.
  CheckSurfaceSize(w, image_.Height());
  image_.SetSize(w, image_.Height());
  modified_ = true;
  mask_.SetSize(w, mask_.Height());
  if (layer_) layer_->SetSize(w, layer_->Height());
  width_ = w;
}

void TSelectBitmap::SetHeight(int h) {
  if (h == height_) return;
  CheckSurfaceSize(image_.Width(), h);
  image_.SetSize(image_.Width(), h);
  modified_ = true;
  mask_.SetSize(mask_.Width(), h);
  if (layer_) layer_->SetSize(layer_->Width(), h);
  height_ = h;
}

void TSelectBitmap::ResizeSurfaces(int w, int h) {
  CheckSurfaceSize(w, h);  // refuse before anything changes
  image_.SetSize(w, h);
  modified_ = true;
  mask_.SetSize(w, h);
  if (layer_) layer_->SetSize(w, h);
  width_ = w;
  height_ = h;
}

std::unique_ptr<TSelectBitmap> TSelectBitmap::Create() const {
  return std::make_unique<TSelectBitmap>();
}

std::string TSelectBitmap::GetColorModes() const {
  return JoinColorModes({1, 2, 3, 4, 5, 6, 7, 8, 16, 24, 32});
}

// ---- selection and layer ----

void TSelectBitmap::ClearSelection() { mask_.Fill(true); }

void TSelectBitmap::LiftSelection(bool cut, TColor fillColor) {
  LayerLeft = 0;
  LayerTop = 0;
  // The layer keeps the selected pixels and is white elsewhere.
  auto layer = std::make_unique<TSurface>(image_);
  Blit(*layer, 0, 0, mask_, TRop::Or);
  layer_ = std::move(layer);
  if (!cut) return;
  const TPixel fill = ColorToPixel(fillColor);
  modified_ = true;
  for (int y = 0; y < height_; ++y) {
    TPixel* row = image_.Row(y);
    for (int x = 0; x < width_; ++x)
      if (mask_.IsSelected(x, y)) row[x] = fill;
  }
}

TSelectBitmap& TSelectBitmap::DropLayer() {
  if (!layer_) return *this;
  // Selected pixels under the shifted mask take the layer's colour.
  const TRect target = TRect{0, 0, width_, height_}.Offset(LayerLeft, LayerTop).Intersect(
      image_.Bounds());
  modified_ = true;
  for (int y = target.Top; y < target.Bottom; ++y) {
    const int sy = y - LayerTop;
    const TPixel* in = layer_->Row(sy);
    TPixel* out = image_.Row(y);
    for (int x = target.Left; x < target.Right; ++x) {
      const int sx = x - LayerLeft;
      if (mask_.IsSelected(sx, sy)) out[x] = in[sx];
    }
  }
  layer_.reset();
  const TMaskSurface moved = mask_;
  ClearSelection();
  Blit(mask_, LayerLeft, LayerTop, moved, TRop::Copy);
  LayerLeft = 0;
  LayerTop = 0;
  return *this;
}

void TSelectBitmap::DiscardLayer() { layer_.reset(); }

void TSelectBitmap::ClearLayer() {
  if (layer_) layer_->Fill(0xFFFFFF);
}
