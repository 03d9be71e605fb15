#pragma once
// The desktop clipboard as the model sees it. QImage::Format_RGB32 keeps pixels exactly as our
// pixel words (blue in the low byte), with 0xFF in the high byte that our words keep at 0.

#include <QImage>

#include "model/Clipboard.h"

class TQtClipboard : public IClipboard {
 public:
  bool HasBitmap() const override;
  std::optional<TSurface> GetBitmap() const override;
  void SetBitmap(const TSurface& bitmap) override;

  static QImage ToImage(const TSurface& surface);
  static TSurface FromImage(const QImage& image);
};
