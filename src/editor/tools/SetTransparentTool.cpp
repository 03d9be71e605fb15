#include "editor/tools/SetTransparentTool.h"

#include "controls/Pictures.h"
#include "editor/EditSession.h"
#include "editor/ZoomView.h"
#include "editor/tools/ToolEnvironment.h"
#include "model/WorkImage.h"

int16_t TSetTransparentTool::Cursor() const {
  return Pictures::crPickTransp;
}

void TSetTransparentTool::MouseDown(Qt::MouseButton button, const QPoint& position,
                                    Qt::KeyboardModifiers shift) {
  TEditSession& session = env_.Session();
  if (!session.CurrentImage()) return;
  const std::optional<TPoint> press = PressStart(button, position, shift);
  if (!press) return;
  // A 32-bit image says transparency with alpha: the click clears every pixel of that colour.
  const bool alpha = session.CurrentImage()->GetBitCount() == 32;
  if (!alpha && session.CurrentImage()->IsIconFrame()) {
    // A sub-icon's transparency is a colour of its own, painted like any other; a click here
    // changes nothing, and the user should know why.
    env_.SetStatusText(2, NoTransparentColorText);
    return;
  }
  const TPoint p = *press;
  dragging_ = true;
  LastPoint = p;
  // The snapshot is the press's; the release commits without another.
  pressSnapshot_ = true;
  session.ChangeImage(TSnapshot::Take, [p, alpha](TWorkImage& image) {
    const TColor d = PixelToColor(image.Image().Pixel(p.X, p.Y));
    if (alpha) {
      image.MakeColorTransparent(d);
    } else if (d == image.GetTransparentColor()) {
      image.SetTransparent(!image.GetTransparent());
    } else {
      image.SetTransparent(true);
      image.SetTransparentColor(d);
    }
    // The file changes with its transparency, so closing must offer to save it.
    image.SetModified(true);
  });
  env_.View().Redraw(true);
}
