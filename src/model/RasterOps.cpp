#include "model/RasterOps.h"

#include <algorithm>
#include <cstring>

namespace {

// The part of a source of size (sw, sh), placed with `from`'s corner at (x, y), that lands
// inside a target of size (dw, dh); returned in source coordinates.
TRect ClipSource(int dw, int dh, int x, int y, const TRect& from, int sw, int sh) {
  TRect s = from.Intersect({0, 0, sw, sh});
  const int dx = x - from.Left, dy = y - from.Top;  // source to target offset
  return s.Intersect(TRect{0, 0, dw, dh}.Offset(-dx, -dy));
}

template <typename Combine>
void BlitRows(TSurface& dst, int x, int y, const TSurface& src, const TRect& from, Combine f) {
  const TRect s = ClipSource(dst.Width(), dst.Height(), x, y, from, src.Width(), src.Height());
  if (s.IsEmpty()) return;
  const int dx = x - from.Left, dy = y - from.Top;
  for (int sy = s.Top; sy < s.Bottom; ++sy) {
    const TPixel* in = src.Row(sy) + s.Left;
    TPixel* out = dst.Row(sy + dy) + s.Left + dx;
    for (int i = 0, n = s.Width(); i < n; ++i) out[i] = f(out[i], in[i]);
  }
}

}  // namespace

void Blit(TSurface& dst, int x, int y, const TSurface& src, const TRect& from, TRop op) {
  switch (op) {
    case TRop::Copy: {
      const TRect s = ClipSource(dst.Width(), dst.Height(), x, y, from, src.Width(), src.Height());
      if (s.IsEmpty()) return;
      const int dx = x - from.Left, dy = y - from.Top;
      for (int sy = s.Top; sy < s.Bottom; ++sy)
        std::memmove(dst.Row(sy + dy) + s.Left + dx, src.Row(sy) + s.Left,
                     size_t(s.Width()) * sizeof(TPixel));
      return;
    }
    case TRop::And: return BlitRows(dst, x, y, src, from, [](TPixel d, TPixel s) { return d & s; });
    case TRop::Or: return BlitRows(dst, x, y, src, from, [](TPixel d, TPixel s) { return d | s; });
    case TRop::OrNotSource:
      return BlitRows(dst, x, y, src, from,
                      [](TPixel d, TPixel s) { return d | (~s & 0xFFFFFF); });
    case TRop::Xor: return BlitRows(dst, x, y, src, from, [](TPixel d, TPixel s) { return d ^ s; });
  }
}

void Blit(TSurface& dst, int x, int y, const TSurface& src, TRop op) {
  Blit(dst, x, y, src, src.Bounds(), op);
}

void Blit(TSurface& dst, int x, int y, const TMaskSurface& src, TRop op) {
  const TRect s = ClipSource(dst.Width(), dst.Height(), x, y, src.Bounds(), src.Width(),
                             src.Height());
  for (int sy = s.Top; sy < s.Bottom; ++sy) {
    TPixel* out = dst.Row(sy + y);
    for (int sx = s.Left; sx < s.Right; ++sx) {
      const TPixel m = src.IsWhite(sx, sy) ? 0xFFFFFF : 0x000000;
      TPixel& d = out[sx + x];
      switch (op) {
        case TRop::Copy: d = m; break;
        case TRop::And: d &= m; break;
        case TRop::Or: d |= m; break;
        case TRop::OrNotSource: d |= m ^ 0xFFFFFF; break;
        case TRop::Xor: d ^= m; break;
      }
    }
  }
}

void Blit(TMaskSurface& dst, int x, int y, const TMaskSurface& src, TRop op) {
  Blit(dst, x, y, src, src.Bounds(), op);
}

void Blit(TMaskSurface& dst, int x, int y, const TMaskSurface& src, const TRect& from, TRop op) {
  const TRect s = ClipSource(dst.Width(), dst.Height(), x, y, from, src.Width(), src.Height());
  const int dx = x - from.Left, dy = y - from.Top;
  for (int sy = s.Top; sy < s.Bottom; ++sy)
    for (int sx = s.Left; sx < s.Right; ++sx) {
      const bool m = src.IsWhite(sx, sy);
      const bool d = dst.IsWhite(sx + dx, sy + dy);
      bool r = m;
      switch (op) {
        case TRop::Copy: r = m; break;
        case TRop::And: r = d && m; break;
        case TRop::Or: r = d || m; break;
        case TRop::OrNotSource: r = d || !m; break;
        case TRop::Xor: r = d != m; break;
      }
      dst.SetWhite(sx + dx, sy + dy, r);
    }
}

void DrawTransparent(TSurface& dst, int x, int y, const TSurface& src, TPixel key) {
  key &= 0xFFFFFF;
  BlitRows(dst, x, y, src, src.Bounds(),
           [key](TPixel d, TPixel s) { return (s & 0xFFFFFF) == key ? d : s; });
}

TSurface BrushCopy(const TSurface& src, TPixel from, TPixel to) {
  TSurface out = src;
  from &= 0xFFFFFF;
  for (int y = 0; y < out.Height(); ++y) {
    TPixel* row = out.Row(y);
    for (int x = 0; x < out.Width(); ++x)
      if ((row[x] & 0xFFFFFF) == from) row[x] = to;
  }
  return out;
}
