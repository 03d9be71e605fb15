// Rectangles and ellipses. Each shape is rasterised row by row into outline spans and inside
// spans; the outline and the inside of a row never overlap, so a pen mode such as Xor touches
// every pixel once.

#include <optional>

#include "model/Draw.h"
#include "model/EllipseRows.h"
#include "model/SpanPainters.h"

namespace {

// Calls emit(y, x0, x1, isOutline) with half-open spans for the rows of the rectangle inside a
// surface of the given height.
template <class TEmit>
void RectangleSpans(const TBox64& b, int surfaceHeight, TEmit&& emit) {
  const TRowRange rows = VisibleRows(b, surfaceHeight);
  for (int y = rows.First; y < rows.Last; ++y) {
    if (y == b.Top || y == b.Bottom - 1 || b.Width() <= 2) {
      emit(y, b.Left, b.Right, true);
    } else {
      emit(y, b.Left, b.Left + 1, true);
      emit(y, b.Left + 1, b.Right - 1, false);
      emit(y, b.Right - 1, b.Right, true);
    }
  }
}

template <class TEmit>
void EllipseSpans(const TBox64& b, int surfaceHeight, TEmit&& emit) {
  const TEllipseRows ellipse(b.Width(), b.Height());
  const TRowRange rows = VisibleRows(b, surfaceHeight);
  for (int y = rows.First; y < rows.Last; ++y) {
    const TEllipseRows::TRow row = ellipse.Row(y - b.Top);
    const int64_t from = b.Left + row.From;
    const int64_t to = b.Left + row.To + 1;
    if (!row.HasInside()) {
      emit(y, from, to, true);
      continue;
    }
    const int64_t insideFrom = b.Left + row.InsideFrom;
    const int64_t insideTo = b.Left + row.InsideTo + 1;
    emit(y, from, insideFrom, true);
    emit(y, insideFrom, insideTo, false);
    emit(y, insideTo, to, true);
  }
}

template <class TEmit>
void ShapeSpans(TShapeKind kind, const TRect& r, int surfaceHeight, TEmit&& emit) {
  const TBox64 b = TBox64::Normalized(r);
  if (b.IsEmpty()) return;
  if (kind == TShapeKind::Rectangle)
    RectangleSpans(b, surfaceHeight, emit);
  else
    EllipseSpans(b, surfaceHeight, emit);
}

void PaintShape(TSurface& surface, TShapeKind kind, const TRect& r, std::optional<TPixel> pen,
                std::optional<TPixel> brush) {
  if (!pen && !brush) return;
  // Without a pen the brush covers the outline pixels as well.
  const TPixelPainter outline(surface, pen ? *pen : *brush);
  const TPixelPainter inside(surface, brush ? *brush : 0);
  const bool fillInside = brush.has_value();
  ShapeSpans(kind, r, surface.Height(), [&](int y, int64_t x0, int64_t x1, bool isOutline) {
    if (isOutline)
      outline.Span(y, x0, x1);
    else if (fillInside)
      inside.Span(y, x0, x1);
  });
}

void PaintShape(TMaskSurface& mask, TShapeKind kind, const TRect& r, TMaskPen pen, bool filled) {
  const TMaskPainter painter(mask, pen);
  ShapeSpans(kind, r, mask.Height(), [&](int y, int64_t x0, int64_t x1, bool isOutline) {
    if (isOutline || filled) painter.Span(y, x0, x1);
  });
}

}  // namespace

void DrawRectangle(TSurface& surface, const TRect& r, std::optional<TPixel> pen,
                   std::optional<TPixel> brush) {
  PaintShape(surface, TShapeKind::Rectangle, r, pen, brush);
}

void DrawEllipse(TSurface& surface, const TRect& r, std::optional<TPixel> pen,
                 std::optional<TPixel> brush) {
  PaintShape(surface, TShapeKind::Ellipse, r, pen, brush);
}

void DrawShape(TSurface& surface, TShapeKind kind, const TRect& r, std::optional<TPixel> pen,
               std::optional<TPixel> brush) {
  PaintShape(surface, kind, r, pen, brush);
}

void DrawRectangle(TMaskSurface& mask, const TRect& r, TMaskPen pen, bool filled) {
  PaintShape(mask, TShapeKind::Rectangle, r, pen, filled);
}

void DrawEllipse(TMaskSurface& mask, const TRect& r, TMaskPen pen, bool filled) {
  PaintShape(mask, TShapeKind::Ellipse, r, pen, filled);
}

void DrawShape(TMaskSurface& mask, TShapeKind kind, const TRect& r, TMaskPen pen, bool filled) {
  PaintShape(mask, kind, r, pen, filled);
}

void FillRectMask(TMaskSurface& mask, const TRect& r, TMaskPen pen) {
  const TBox64 b = TBox64::Normalized(r);
  if (b.IsEmpty()) return;
  const TMaskPainter painter(mask, pen);
  const TRowRange rows = VisibleRows(b, mask.Height());
  for (int y = rows.First; y < rows.Last; ++y) painter.Span(y, b.Left, b.Right);
}

TMaskSurface ShapeMask(TShapeKind kind, int width, int height, bool outlineOnly) {
  TMaskSurface mask(width, height, false);
  DrawShape(mask, kind, {0, 0, width, height}, TMaskPen::White, !outlineOnly);
  return mask;
}
