// The mouse wheel over the zoomed view, as in every image editor: it scrolls the picture (Shift
// turns it sideways) and, with Ctrl, zooms about the pointer.

#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "editor/EditSession.h"
#include "editor/ZoomView.h"

namespace {

constexpr int NotchAngle = 120;    // eighths of a degree in one step of a common wheel
constexpr int NotchPixels = 48;    // screen pixels one step scrolls: three lines of 16

}  // namespace

void TZoomView::ZoomPanelWheel(const QPoint& position, QPoint angleDelta,
                               Qt::KeyboardModifiers shift) {
  if (!session_.WorkingCopy()) return;
  if (shift & Qt::ControlModifier) {
    wheelZoom_ += angleDelta.y() ? angleDelta.y() : angleDelta.x();
    const int steps = wheelZoom_ / NotchAngle;
    wheelZoom_ -= steps * NotchAngle;
    if (steps) ZoomAbout(position, std::clamp(ZoomCombo->currentIndex() + steps, 0, MaxZoomIndex));
    return;
  }
  // Shift turns a vertical wheel into a horizontal one; a tilting wheel scrolls sideways anyway.
  if ((shift & Qt::ShiftModifier) && angleDelta.x() == 0) angleDelta = {angleDelta.y(), 0};
  wheelScroll_ -= angleDelta * NotchPixels / NotchAngle;
  // Whole image pixels move; the rest waits for the next turn.
  const QPoint pixels = wheelScroll_ / ZoomFactor;
  wheelScroll_ -= pixels * ZoomFactor;
  if (pixels.x()) HScr->setValue(HScr->value() + pixels.x());
  if (pixels.y()) VScr->setValue(VScr->value() + pixels.y());
}

void TZoomView::ZoomAbout(const QPoint& position, int index) {
  if (index == ZoomCombo->currentIndex()) return;
  // The image point under the pointer, in fractions of a pixel.
  const QPoint inBox = position - ZoomBox->pos();
  const double x = HScr->value() + double(inBox.x()) / ZoomFactor;
  const double y = VScr->value() + double(inBox.y()) / ZoomFactor;
  ZoomCombo->setCurrentIndex(index);  // lays the view out anew
  const QSignalBlocker blockH(HScr), blockV(VScr);
  HScr->setValue(int(std::lround(x - double(position.x()) / ZoomFactor)));
  VScr->setValue(int(std::lround(y - double(position.y()) / ZoomFactor)));
  RenderView(true);
  ZoomBoxPaint();
}
