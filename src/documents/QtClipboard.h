#pragma once
// The desktop clipboard as the model sees it. The model marks unselected pixels of a copied
// selection with ClipboardKeyColor; on the desktop they are transparent instead, so that other
// programs paste the selection's shape, and pixels another program gives as mostly transparent
// (alpha below 128) come back as the key colour and stay unselected. Other programs get the
// picture as PNG, among the image formats Qt offers.

#include <QImage>

#include "model/Clipboard.h"

class TQtClipboard : public IClipboard {
 public:
  bool HasBitmap() const override;
  std::optional<TSurface> GetBitmap() const override;
  void SetBitmap(const TSurface& bitmap) override;

  // Our pixel words (blue in the low byte, high byte 0) and Qt's ARGB words share their byte
  // order; only the alpha byte is decided here.
  static QImage ToImage(const TSurface& surface);
  static TSurface FromImage(const QImage& image);
};
