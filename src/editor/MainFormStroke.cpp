// The strokes of the pixel tools: pencil, flood fill, line and set transparent colour, and the
// pointer moves and release that all drawing tools share. A stroke draws into the working copy;
// the document keeps the last committed state until the release, so a rubber band is repaired
// from it.

#include <utility>

#include "documents/ActionList.h"
#include "documents/MainForm.h"
#include "editor/ToolGeometry.h"
#include "editor/ToolWindows.h"
#include "model/Draw.h"
#include "model/RasterOps.h"
#include "model/WorkImage.h"
#include "render/ColorMath.h"

void TMainForm::PencilMouseDown(Qt::MouseButton button, const QPoint& position,
                                Qt::KeyboardModifiers shift) {
  if (!WorkingCopy) return;
  const TPoint p = PressPoint(position);
  if (!BeginToolDrag(button, shift, p)) return;
  Dragging = true;
  strokePen_ = ColorToPixel(PrimaryColor);
  WorkingCopy->EditImage().SetPixelClipped(p.X, p.Y, strokePen_);
  LastPoint = p;
  // With Shift the stroke keeps to a straight direction from where it began.
  AnchorPoint = p;
  RenderView(true);
  ZoomBoxPaint();
  ViewImg->update();
}

void TMainForm::FillMouseDown(Qt::MouseButton button, const QPoint& position,
                              Qt::KeyboardModifiers shift) {
  if (!WorkingCopy) return;
  const TPoint p = PressPoint(position);
  if (!BeginToolDrag(button, shift, p)) return;
  Dragging = true;
  LastPoint = p;
  // The fill follows the colour alone; the selection plays no part.
  FloodFill(WorkingCopy->EditImage(), p.X, p.Y, ColorToPixel(PrimaryColor));
  RenderView(true);
  ZoomBoxPaint();
  ViewImg->update();
}

void TMainForm::LineMouseDown(Qt::MouseButton button, const QPoint& position,
                              Qt::KeyboardModifiers shift) {
  if (!WorkingCopy) return;
  const TPoint p = PressPoint(position);
  if (!BeginToolDrag(button, shift, p) || Dragging) return;
  strokePen_ = ColorToPixel(PrimaryColor);
  Dragging = true;
  AnchorPoint = LastPoint = p;
}

void TMainForm::SetTranspMouseDown(Qt::MouseButton button, const QPoint& position,
                                   Qt::KeyboardModifiers shift) {
  if (!WorkingCopy || !CurrentImage) return;
  const TPoint p = PressPoint(position);
  if (!BeginToolDrag(button, shift, p)) return;
  Dragging = true;
  LastPoint = p;
  CurrentImage->SaveUndo();
  pressSnapshot_ = true;
  const TColor d = PixelToColor(CurrentImage->Image().Pixel(p.X, p.Y));
  // A click on the transparent colour switches transparency off and on again.
  if (d == CurrentImage->GetTransparentColor()) {
    CurrentImage->SetTransparent(!CurrentImage->GetTransparent());
  } else {
    CurrentImage->SetTransparent(true);
    CurrentImage->SetTransparentColor(d);
  }
  // The file changes with its transparency, so closing must offer to save it.
  CurrentImage->SetModified(true);
  if (Act("PropEditAct").isChecked()) Actions().Run("CancelAct");
  WorkingCopy->Assign(*CurrentImage);
  RenderView(true);
  ZoomBoxPaint();
  ViewImg->update();
}

void TMainForm::CommonMouseMove(const QPoint& position, Qt::KeyboardModifiers shift) {
  if (!WorkingCopy) return;
  const TPoint raw = PointerToImage(position);
  const TPoint p = ClampAndConstrain(raw.X, raw.Y, shift);
  SetStatusText(1, PositionText(p.X, p.Y, true));
  if (!Dragging) {
    // Shift snaps towards the last anchor and may leave the image; the readout stays on it.
    const TPoint q = ClampAndConstrain(p.X, p.Y, Qt::NoModifier);
    ShowColorReadout(PixelToColor(WorkingCopy->Image().Pixel(q.X, q.Y)));
    return;
  }
  AutoScrollDrag(position);
  if (p == LastPoint) return;
  if (PreviewPainter != TPreviewPainter::None) {
    if (PreviewPainter != TPreviewPainter::Pencil) RepairPreview();
    QString text;
    switch (PreviewPainter) {
      case TPreviewPainter::Pencil:
        text = PencilPreview(p);
        break;
      case TPreviewPainter::Line:
        text = LinePreview(p);
        break;
      case TPreviewPainter::Closed:
        text = ClosedPreview(p);
        break;
      case TPreviewPainter::None:
        break;
    }
    SetStatusText(2, text);
    RenderView(true);
    ZoomBoxPaint();
    ViewImg->update();
  }
  LastPoint = p;
}

void TMainForm::RepairPreview() {
  if (!CurrentImage) return;
  // Only the rectangle the previous rubber band covered is copied back, so a move costs what
  // the band covers, not what the image holds.
  const TRect r = PreviewPainter == TPreviewPainter::Closed
                      ? ClosedRect(ClosedKind, AnchorPoint, LastPoint)
                      : RectFromPoints(AnchorPoint.X, AnchorPoint.Y, LastPoint.X, LastPoint.Y);
  Blit(WorkingCopy->EditImage(), r.Left, r.Top, CurrentImage->Image(), r, TRop::Copy);
}

QString TMainForm::PencilPreview(TPoint point) {
  TSurface& image = WorkingCopy->EditImage();
  DrawLine(image, LastPoint.X, LastPoint.Y, point.X, point.Y, strokePen_);
  image.SetPixelClipped(point.X, point.Y, strokePen_);
  return QString();
}

QString TMainForm::LinePreview(TPoint point) {
  TSurface& image = WorkingCopy->EditImage();
  DrawLine(image, AnchorPoint.X, AnchorPoint.Y, point.X, point.Y, strokePen_);
  image.SetPixelClipped(point.X, point.Y, strokePen_);
  return LineMetrics(std::abs(point.X - AnchorPoint.X), std::abs(point.Y - AnchorPoint.Y));
}

void TMainForm::CommonMouseUp() {
  // The transparency tool took its snapshot at the press; one click is one undo step.
  const bool snapshotTaken = std::exchange(pressSnapshot_, false);
  if (!Dragging || !WorkingCopy || !CurrentImage) {
    Dragging = false;
    return;
  }
  const bool gradient = GradientFormVisible();
  const QString page = gradient ? GradientForm->Page() : QString();
  if (gradient && page == "Pixel" && GradientForm->AutoIncrement()) GradientForm->StepForward();
  if (gradient && page == "Closed" && WorkingCopy->GetBitCount() <= 8) {
    // The gradient's colours go back into the palette.
    TColor key = WorkingCopy->GetTransparentColor();
    ReduceToPalette(WorkingCopy->EditImage(), WorkingCopy->GetPalette(), TDitherMode::Nearest, key,
                    CurrentImage->IsIconFrame(), WorkingCopy->GetTransparent());
  }
  if (!snapshotTaken) CurrentImage->SaveUndo();
  CurrentImage->Assign(*WorkingCopy);
  if (gradient && page == "Closed") {
    RenderView(true);
    ZoomBoxPaint();
    ViewImg->update();
  }
  SetStatusText(2, QString());
  RepaintNavigator();
  Dragging = false;
}
