#include "windows/AnimationView.h"

#include <QPainter>
#include <algorithm>

TAnimationView::TAnimationView(QWidget* parent) : QWidget(parent) {
  setObjectName("GroupPreview");
  setAccessibleName("Animation");
  timer_.setSingleShot(true);
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &TAnimationView::Advance);
}

void TAnimationView::SetAnimation(TGifAnimation animation) {
  SetPlaying(false);
  animation_ = std::move(animation);
  index_ = 0;
  update();
  emit FrameChanged(index_);
}

void TAnimationView::SetFrameIndex(int index) {
  if (FrameCount() == 0) return;
  index_ = std::clamp(index, 0, FrameCount() - 1);
  // While playing, the frame shown now stays for its own delay.
  if (timer_.isActive()) timer_.start(animation_.Frame(index_).DelayMs);
  update();
  emit FrameChanged(index_);
}

void TAnimationView::SetPlaying(bool on) {
  if (on == playing_) return;
  playing_ = on;
  // A single frame plays without ever changing.
  if (on && FrameCount() > 1)
    timer_.start(animation_.Frame(index_).DelayMs);
  else
    timer_.stop();
}

void TAnimationView::Advance() {
  index_ = (index_ + 1) % FrameCount();
  timer_.start(animation_.Frame(index_).DelayMs);
  update();
  emit FrameChanged(index_);
}

void TAnimationView::SetStretch(bool on) {
  if (on == stretch_) return;
  stretch_ = on;
  update();
}

void TAnimationView::SetBackground(const QColor& color) {
  if (color == background_) return;
  background_ = color;
  update();
}

QRect TAnimationView::PictureRect() const {
  const QSize picture = animation_.Size();
  if (picture.isEmpty()) return {};
  const QSize shown = stretch_ ? picture.scaled(size(), Qt::KeepAspectRatio) : picture;
  return QRect(QPoint((width() - shown.width()) / 2, (height() - shown.height()) / 2), shown);
}

void TAnimationView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), background_);
  if (FrameCount() == 0) return;
  // Pixels stay crisp squares when scaled: these are small pictures drawn pixel by pixel.
  p.setRenderHint(QPainter::SmoothPixmapTransform, false);
  p.drawImage(PictureRect(), animation_.Frame(index_).Picture);
}
