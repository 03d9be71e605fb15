#pragma once
// TGifAnimation: a GIF stream decoded into the pictures a viewer shows, one per stored frame,
// each the whole logical screen as it looks once that frame is drawn. Frames are laid over each
// other and disposed of as browsers do: pixels no frame has drawn, and pixels cleared by
// "restore to background", stay transparent, so the player's background shows through them.

#include <QImage>
#include <vector>

#include "model/FileIO.h"

class TImageGroup;

struct TAnimationFrame {
  QImage Picture;   // premultiplied ARGB of the logical screen's size
  int DelayMs = 0;  // how long the frame stays, as played
};

class TGifAnimation {
 public:
  // Frames asking for no delay or one hundredth of a second play at this pace instead, as in
  // browsers: such files were made for viewers that never went that fast.
  static constexpr int FastFrameDelayMs = 100;

  // Decodes a GIF stream. Throws EVelmoraError when it is no GIF or holds no frame.
  static TGifAnimation Decode(const TBytes& gif);
  // Plays the group's frames as they are, each alone over a transparent screen the size of the
  // largest, at the sub-icon pace: for sub-icons whose soft edges no GIF stream could carry.
  static TGifAnimation Compose(const TImageGroup& group);
  // The time a frame with this delay (in hundredths of a second) stays shown.
  static int PlayDelayMs(int delayCs);
  // How long each sub-icon stays when an icon plays.
  static constexpr int SubIconDelayCs = 30;

  int Count() const { return int(frames_.size()); }
  QSize Size() const { return size_; }
  const TAnimationFrame& Frame(int index) const { return frames_.at(size_t(index)); }

 private:
  QSize size_;
  std::vector<TAnimationFrame> frames_;
};
