// The pointer over the zoomed view: image positions, the Shift constraint, automatic scrolling
// during drags, the zoom box's cursor, and the hand-over of its mouse to the active tool.

#include <QCursor>
#include <QEvent>
#include <QGuiApplication>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>

#include "controls/Pictures.h"
#include "editor/EditSession.h"
#include "editor/EditorServices.h"
#include "editor/ZoomMouse.h"
#include "editor/ZoomView.h"
#include "model/SelectBitmap.h"
#include "render/ColorMath.h"

void TZoomView::AttachPointerHandlers() {
  // The zoom box always calls the target set last, so a tool may take over at any time, even
  // from inside one of its handlers.
  connect(ZoomBox, &TPaintBox::MouseDown, this,
          [this](Qt::MouseButton button, const QPoint& position, Qt::KeyboardModifiers shift) {
            if (mouse_) mouse_->MouseDown(button, position, shift);
          });
  connect(ZoomBox, &TPaintBox::MouseMove, this,
          [this](const QPoint& position, Qt::MouseButtons, Qt::KeyboardModifiers shift) {
            if (mouse_) mouse_->MouseMove(position, shift);
          });
  connect(ZoomBox, &TPaintBox::MouseUp, this,
          [this](Qt::MouseButton, const QPoint&, Qt::KeyboardModifiers) {
            if (mouse_) mouse_->MouseUp();
          });
  connect(ZoomBox, &TPaintBox::MouseLeave, this, &TZoomView::PointerLeft);
}

void TZoomView::SetZoomCursor(int16_t cursor) {
  zoomCursor_ = cursor;
  if (cursor > 0)
    ZoomBox->setCursor(Pictures::Cursor(cursor));
  else
    ZoomBox->setCursor(cursor == crSizeAll ? Qt::SizeAllCursor : Qt::ArrowCursor);
}

TPoint TZoomView::PressToImage(const QPoint& position) const {
  return {HScr->value() + (std::max(position.x(), 0) >> ZoomShift),
          VScr->value() + (std::max(position.y(), 0) >> ZoomShift)};
}

TPoint TZoomView::PressPoint(const QPoint& position) const {
  const TPoint p = PressToImage(position);
  return ClampAndConstrain(p.X, p.Y, Qt::NoModifier);
}

TPoint TZoomView::PointerToImage(const QPoint& position) const {
  // Division truncates toward zero, also left of and above the box.
  return {position.x() / ZoomFactor + HScr->value(), position.y() / ZoomFactor + VScr->value()};
}

TPoint TZoomView::ClampAndConstrain(int x, int y, Qt::KeyboardModifiers shift) const {
  if (const TSelectBitmap* copy = session_.WorkingCopy()) {
    x = std::clamp(x, 0, std::max(copy->Width() - 1, 0));
    y = std::clamp(y, 0, std::max(copy->Height() - 1, 0));
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

QPoint TZoomView::AutoScrollDrag(QPoint point) {
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

QString TZoomView::PositionText(int x, int y, bool padded) {
  return "X: " + (padded ? PadNumber(x) : QString::number(x)) + "  Y: " + QString::number(y);
}

void TZoomView::SetPointerPos(const QPoint& global) {
  // Wayland does not let programs move the pointer; the drag simply goes on without it.
  if (QGuiApplication::platformName().startsWith("wayland")) return;
  QCursor::setPos(global);
}

bool TZoomView::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Wheel && (watched == ZoomPanel || watched == ZoomBox)) {
    const auto* wheel = static_cast<QWheelEvent*>(event);
    const QPoint position = static_cast<QWidget*>(watched)->mapTo(ZoomPanel,
                                                                  wheel->position().toPoint());
    ZoomPanelWheel(position, wheel->angleDelta(), wheel->modifiers());
    return true;
  }
  if (watched == ZoomPanel) {
    const QEvent::Type type = event->type();
    if (type == QEvent::Resize) ZoomPanelResize();
    if (type == QEvent::Leave) emit PointerLeft();
    // A click on the grey margin around the picture drops the selection.
    if (type == QEvent::MouseButtonRelease) commands_.Run("UnselectAct");
  }
  return QObject::eventFilter(watched, event);
}
