// The pointer over the zoomed view: image positions, the Shift constraint, automatic scrolling
// during drags, and the mouse handlers that the tools install on the zoom box.

#include <QCursor>
#include <QEvent>
#include <algorithm>
#include <cstdlib>

#include "documents/ActionList.h"
#include "documents/MainForm.h"
#include "model/SelectBitmap.h"
#include "render/ColorMath.h"

void TMainForm::AttachPointerHandlers() {
  // The zoom box always calls the handlers installed last, so a tool may replace them at any
  // time, even from inside one of them.
  connect(ZoomBox, &TPaintBox::MouseDown, this,
          [this](Qt::MouseButton button, const QPoint& position, Qt::KeyboardModifiers shift) {
            if (const auto handler = zoomMouse_.Down) handler(button, position, shift);
          });
  connect(ZoomBox, &TPaintBox::MouseMove, this,
          [this](const QPoint& position, Qt::MouseButtons buttons, Qt::KeyboardModifiers shift) {
            if (const auto handler = zoomMouse_.Move) handler(position, buttons, shift);
          });
  connect(ZoomBox, &TPaintBox::MouseUp, this,
          [this](Qt::MouseButton button, const QPoint& position, Qt::KeyboardModifiers shift) {
            if (const auto handler = zoomMouse_.Up) handler(button, position, shift);
          });
  connect(ZoomBox, &TPaintBox::MouseLeave, this, [this] { PanelMouseLeave(); });
  SetZoomMouseHandlers(ViewerMouseHandlers());
}

void TMainForm::SetZoomMouseHandlers(TZoomMouseHandlers handlers) {
  zoomMouse_ = std::move(handlers);
}

TZoomMouseHandlers TMainForm::ViewerMouseHandlers() {
  TZoomMouseHandlers h;
  h.Down = [this](Qt::MouseButton button, const QPoint& position, Qt::KeyboardModifiers shift) {
    if (!WorkingCopy || !(shift & Qt::ControlModifier)) return;
    const TPoint p = PressToImage(position);
    PickColorAt(button, ClampAndConstrain(p.X, p.Y, Qt::NoModifier));
  };
  h.Move = [this](const QPoint& position, Qt::MouseButtons, Qt::KeyboardModifiers) {
    if (!WorkingCopy) return;
    const TPoint raw = PointerToImage(position);
    const TPoint p = ClampAndConstrain(raw.X, raw.Y, Qt::NoModifier);
    SetStatusText(1, PositionText(p.X, p.Y, false));
    ShowColorReadout(PixelToColor(WorkingCopy->Image().Pixel(p.X, p.Y)));
  };
  return h;
}

TPoint TMainForm::PressToImage(const QPoint& position) const {
  return {HScr->value() + (std::max(position.x(), 0) >> ZoomShift),
          VScr->value() + (std::max(position.y(), 0) >> ZoomShift)};
}

TPoint TMainForm::PointerToImage(const QPoint& position) const {
  // Division truncates toward zero, also left of and above the box.
  return {position.x() / ZoomFactor + HScr->value(), position.y() / ZoomFactor + VScr->value()};
}

TPoint TMainForm::ClampAndConstrain(int x, int y, Qt::KeyboardModifiers shift) const {
  if (WorkingCopy) {
    x = std::clamp(x, 0, std::max(WorkingCopy->Width() - 1, 0));
    y = std::clamp(y, 0, std::max(WorkingCopy->Height() - 1, 0));
  }
  if (!(shift & Qt::ShiftModifier)) return {x, y};
  const int x0 = AnchorPoint.X, y0 = AnchorPoint.Y;
  if (x == x0 || y == y0) return {x, y};
  const int dx = std::abs(x - x0), dy = std::abs(y - y0);
  const int sx = SignOf(x - x0), sy = SignOf(y - y0);
  // The direction snaps to 45 degrees (ratio 1), a 1:2 slope (ratio 2 or 3) or the axis.
  const auto divisor = [](int ratio) { return ratio == 1 ? 1 : ratio <= 3 ? 2 : 0; };
  if (dx < dy) {
    const int m = divisor(dy / dx);
    x = m ? x0 + (sx * dy) / m : x0;
  } else {
    const int m = divisor(dx / dy);
    y = m ? y0 + (sy * dx) / m : y0;
  }
  return {x, y};
}

QPoint TMainForm::AutoScrollDrag(QPoint point) {
  ScrollRepaint = false;
  bool moved = false;
  const int f = ZoomFactor;
  const auto scroll = [&](QScrollBar* bar, int& coordinate, int extent) {
    if ((coordinate < extent && coordinate >= 0) || bar->isHidden()) return;
    // A quarter of the view stays between the pointer's new place and the edge.
    const int reference = coordinate < 0 ? extent / 4 : extent - extent / 4;
    const int before = bar->value();
    bar->setValue(before + (coordinate - reference) / f);
    const int after = bar->value();
    if (after == before) return;
    coordinate -= (after - before) * f;
    moved = true;
  };
  int x = point.x(), y = point.y();
  scroll(HScr, x, ZoomBox->width());
  scroll(VScr, y, ZoomBox->height());
  ScrollRepaint = true;
  // The pointer follows the scrolled picture, so it stays over the same image pixel.
  if (moved) SetPointerPos(ZoomBox->mapToGlobal(QPoint(x, y)));
  return {x, y};
}

void TMainForm::PickColorAt(Qt::MouseButton button, TPoint position) {
  if (!WorkingCopy) return;
  const TSurface& image = WorkingCopy->Image();
  if (!image.Bounds().Contains(position.X, position.Y)) return;
  const TColor color = PixelToColor(image.Pixel(position.X, position.Y));
  if (button == Qt::LeftButton) ApplyLeftColor(color);
  if (button == Qt::RightButton) ApplyRightColor(color);
  UpdateMiddleColor();
}

QString TMainForm::PositionText(int x, int y, bool padded) {
  return "X: " + (padded ? PadNumber(x) : QString::number(x)) + "  Y: " + QString::number(y);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (watched == ZoomPanel) {
    if (type == QEvent::Resize) ZoomPanelResize();
    if (type == QEvent::Leave) PanelMouseLeave();
    // A click on the grey margin around the picture drops the selection.
    if (type == QEvent::MouseButtonRelease) Actions().Run("UnselectAct");
  } else if (watched == ColorGrid->viewport()) {
    if (type == QEvent::Resize) Panel4Resize();
  } else if (watched == Panel4) {
    if (type == QEvent::Leave) PanelMouseLeave();
  }
  return QMainWindow::eventFilter(watched, event);
}
