// Painting of the flat tool button: face, frame, glyph and caption by state.

#include <QPainter>

#include "controls/AdvSpeedButton.h"

QColor TAdvSpeedButton::FaceColor(TState state) const {
  const QColor base = palette().color(QPalette::Button);
  switch (state) {
    case TState::Up:
      return Hovered() ? ColorFocused : base;
    case TState::Disabled:
      return base;
    case TState::Down:
      return ColorDown;
    case TState::Exclusive:
      return Hovered() ? ColorFocused : ColorDown;
  }
  return base;
}

void TAdvSpeedButton::PaintFrame(QPainter& p, TState state) const {
  const QRect r = rect().adjusted(0, 0, -1, -1);
  const bool sunken = state == TState::Down || state == TState::Exclusive;
  if (!sunken && (!Hovered() || state == TState::Disabled)) {
    p.setPen(ColorBorder);
    p.drawRect(r);
    return;
  }
  const QColor topLeft = sunken ? ColorShadow : ColorHighLight;
  const QColor bottomRight = sunken ? ColorHighLight : ColorShadow;
  p.setPen(topLeft);
  p.drawLine(r.topLeft(), r.topRight());
  p.drawLine(r.topLeft(), r.bottomLeft());
  p.setPen(bottomRight);
  p.drawLine(r.bottomLeft(), r.bottomRight());
  p.drawLine(r.topRight(), r.bottomRight());
}

void TAdvSpeedButton::PaintContent(QPainter& p, TState state) const {
  const bool shifted = state == TState::Down || state == TState::Exclusive;
  const QPoint shift = shifted ? QPoint(1, 1) : QPoint(0, 0);
  const QIcon& icon = glyph_.isNull() ? actionIcon_ : glyph_;
  const bool withCaption = showCaption_ && !caption_.isEmpty();
  QRect area = rect().adjusted(2, 2, -2, -2).translated(shift);
  if (!icon.isNull()) {
    const int side = std::min({16, area.width(), area.height()});
    const int textHeight = withCaption ? fontMetrics().height() : 0;
    const int top = area.top() + (area.height() - side - textHeight) / 2;
    const QRect glyphRect(area.left() + (area.width() - side) / 2, top, side, side);
    icon.paint(&p, glyphRect, Qt::AlignCenter,
               state == TState::Disabled ? QIcon::Disabled : QIcon::Normal);
    area.setTop(glyphRect.bottom() + 1);
  }
  if (!withCaption) return;
  const int flags = Qt::AlignCenter | Qt::TextShowMnemonic | Qt::TextSingleLine;
  if (state == TState::Disabled) {
    p.setPen(ColorHighLight);  // embossed look of a disabled caption
    p.drawText(area.translated(1, 1), flags, caption_);
    p.setPen(palette().color(QPalette::Disabled, QPalette::ButtonText));
  } else {
    p.setPen(palette().color(QPalette::ButtonText));
  }
  p.drawText(area, flags, caption_);
}

void TAdvSpeedButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const TState state = State();
  const bool fill = transparentMode_ == tmAlways || (transparentMode_ == tmHover && Hovered()) ||
                    state == TState::Down || state == TState::Exclusive;
  if (fill) p.fillRect(rect(), FaceColor(state));
  PaintFrame(p, state);
  PaintContent(p, state);
}
