#pragma once
// The clipboard as the model sees it: a place for one bitmap. The editor plugs in the desktop
// clipboard; tests and the command-line tool use the in-memory one.

#include <optional>

#include "model/Surface.h"

class IClipboard {
 public:
  virtual ~IClipboard() = default;
  virtual bool HasBitmap() const = 0;
  // The bitmap as a 32-bit surface of pixel words (blue in the low byte, the transparency on top
  // as 32-bit images keep it: 0 for opaque pixels). Fully transparent pixels are
  // ClipboardKeyColor.
  virtual std::optional<TSurface> GetBitmap() const = 0;
  virtual void SetBitmap(const TSurface& bitmap) = 0;
};

class TMemoryClipboard : public IClipboard {
 public:
  bool HasBitmap() const override { return bitmap_.has_value(); }
  std::optional<TSurface> GetBitmap() const override { return bitmap_; }
  void SetBitmap(const TSurface& bitmap) override { bitmap_ = bitmap; }
  void Clear() { bitmap_.reset(); }

 private:
  std::optional<TSurface> bitmap_;
};
