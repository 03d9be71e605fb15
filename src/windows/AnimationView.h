#pragma once
// TAnimationView: the player's picture. It shows one frame of a decoded animation on the
// background colour (which shows where the picture is transparent), centred at its own size or
// scaled to the view, and while playing advances by itself, each frame after its own delay,
// starting over after the last.

#include <QColor>
#include <QTimer>
#include <QWidget>

#include "windows/GifAnimation.h"

class TAnimationView : public QWidget {
  Q_OBJECT
 public:
  explicit TAnimationView(QWidget* parent = nullptr);

  void SetAnimation(TGifAnimation animation);
  const TGifAnimation& Animation() const { return animation_; }
  int FrameCount() const { return animation_.Count(); }

  int FrameIndex() const { return index_; }
  // Shows the frame at once (the index is clamped to the frames there are) and announces it.
  void SetFrameIndex(int index);

  bool Playing() const { return playing_; }
  void SetPlaying(bool on);

  bool Stretch() const { return stretch_; }
  void SetStretch(bool on);

  QColor Background() const { return background_; }
  void SetBackground(const QColor& color);

  // Where the picture is drawn: centred at its own size, or with stretching as large as the view
  // allows keeping its proportions.
  QRect PictureRect() const;

 signals:
  void FrameChanged(int index);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Advance();

  TGifAnimation animation_;
  int index_ = 0;
  bool playing_ = false;
  bool stretch_ = false;
  QColor background_{0, 128, 128};
  QTimer timer_;
};
