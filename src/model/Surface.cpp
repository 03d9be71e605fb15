#include "model/Surface.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "model/Errors.h"

void CheckSurfaceSize(int64_t width, int64_t height) {
  if (width < 0 || height < 0)
    throw EVelmoraError("Invalid image size " + std::to_string(width) + " x " +
                        std::to_string(height) + ".");
  if (width > 0 && height > MaxSurfacePixels / width)
    throw EVelmoraError("Image size " + std::to_string(width) + " x " + std::to_string(height) +
                        " is too large.");
}

// ---- TSurface ----

TSurface::TSurface(int width, int height, TPixel fill) {
  CheckSurfaceSize(width, height);
  ticket_ = TBudgetTicket(int64_t(width) * height * int64_t(sizeof(TPixel)));
  width_ = width;
  height_ = height;
  pixels_.assign(size_t(width) * size_t(height), fill);
}

TPixel TSurface::PixelOr(int x, int y, TPixel outside) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return outside;
  return Pixel(x, y);
}

void TSurface::SetPixelClipped(int x, int y, TPixel p) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  SetPixel(x, y, p);
}

void TSurface::SetSize(int width, int height, TPixel fill) {
  if (width == width_ && height == height_) return;
  CheckSurfaceSize(width, height);
  TBudgetTicket ticket(int64_t(width) * height * int64_t(sizeof(TPixel)));
  std::vector<TPixel> next(size_t(width) * size_t(height), fill);
  const int w = std::min(width, width_);
  const int h = std::min(height, height_);
  for (int y = 0; y < h; ++y)
    std::memcpy(next.data() + size_t(y) * size_t(width), Row(y), size_t(w) * sizeof(TPixel));
  pixels_.swap(next);
  ticket_ = std::move(ticket);
  width_ = width;
  height_ = height;
}

void TSurface::Fill(TPixel p) { std::fill(pixels_.begin(), pixels_.end(), p); }

void TSurface::FillRect(const TRect& r, TPixel p) {
  const TRect c = r.Intersect(Bounds());
  if (c.IsEmpty()) return;
  for (int y = c.Top; y < c.Bottom; ++y) std::fill(Row(y) + c.Left, Row(y) + c.Right, p);
}

void TSurface::InvertRect(const TRect& r) {
  const TRect c = r.Intersect(Bounds());
  if (c.IsEmpty()) return;
  for (int y = c.Top; y < c.Bottom; ++y) {
    TPixel* row = Row(y);
    for (int x = c.Left; x < c.Right; ++x) row[x] ^= 0xFFFFFF;
  }
}

// ---- TMaskSurface ----

namespace {
int MaskStride(int width) { return ((width + 31) / 32) * 4; }
}  // namespace

TMaskSurface::TMaskSurface(int width, int height, bool white) {
  CheckSurfaceSize(width, height);
  width_ = width;
  height_ = height;
  stride_ = MaskStride(width);
  ticket_ = TBudgetTicket(int64_t(stride_) * height);
  bits_.assign(size_t(stride_) * size_t(height), white ? 0xFF : 0x00);
}

void TMaskSurface::SetSize(int width, int height, bool white) {
  if (width == width_ && height == height_) return;
  TMaskSurface next(width, height, white);
  const int w = std::min(width, width_);
  const int h = std::min(height, height_);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) next.SetWhite(x, y, IsWhite(x, y));
  *this = std::move(next);
}

void TMaskSurface::Fill(bool white) { std::fill(bits_.begin(), bits_.end(), white ? 0xFF : 0x00); }

void TMaskSurface::FillRect(const TRect& r, TMaskPen pen) {
  const TRect c = r.Intersect(Bounds());
  if (c.IsEmpty()) return;
  for (int y = c.Top; y < c.Bottom; ++y) {
    uint8_t* row = Row(y);
    for (int x = c.Left; x < c.Right; ++x) {
      const uint8_t bit = uint8_t(0x80 >> (x & 7));
      switch (pen) {
        case TMaskPen::Black: row[x >> 3] &= uint8_t(~bit); break;
        case TMaskPen::White: row[x >> 3] |= bit; break;
        case TMaskPen::Xor: row[x >> 3] ^= bit; break;
      }
    }
  }
}

TSurface TMaskSurface::ToSurface() const {
  TSurface s(width_, height_);
  for (int y = 0; y < height_; ++y) {
    TPixel* out = s.Row(y);
    for (int x = 0; x < width_; ++x) out[x] = IsWhite(x, y) ? 0xFFFFFF : 0x000000;
  }
  return s;
}

bool TMaskSurface::AnySelected() const {
  for (int y = 0; y < height_; ++y) {
    const uint8_t* row = Row(y);
    const int full = width_ / 8;
    for (int i = 0; i < full; ++i)
      if (row[i] != 0xFF) return true;
    for (int x = full * 8; x < width_; ++x)
      if (IsSelected(x, y)) return true;
  }
  return false;
}

bool operator==(const TMaskSurface& a, const TMaskSurface& b) {
  if (a.width_ != b.width_ || a.height_ != b.height_) return false;
  const int full = a.width_ / 8;
  for (int y = 0; y < a.height_; ++y) {
    if (std::memcmp(a.Row(y), b.Row(y), size_t(full)) != 0) return false;
    for (int x = full * 8; x < a.width_; ++x)
      if (a.IsWhite(x, y) != b.IsWhite(x, y)) return false;
  }
  return true;
}

bool AnyTranslucent(const TSurface& surface) {
  for (int y = 0; y < surface.Height(); ++y)
    for (const TPixel *p = surface.Row(y), *end = p + surface.Width(); p < end; ++p)
      if (IsTranslucent(*p)) return true;
  return false;
}
