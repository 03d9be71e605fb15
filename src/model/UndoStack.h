#pragma once
// A bounded last-in-first-out stack of raster snapshots. Pushing a ninth snapshot frees the
// oldest, so a stack never holds more than UndoDepth.

#include <memory>
#include <vector>

#include "model/SelectBitmap.h"

constexpr int UndoDepth = 8;

class TUndoStack {
 public:
  void Push(std::unique_ptr<TSelectBitmap> snapshot);
  std::unique_ptr<TSelectBitmap> Pop();
  int Count() const { return int(items_.size()); }
  bool IsEmpty() const { return items_.empty(); }
  void Clear();

 private:
  std::vector<std::unique_ptr<TSelectBitmap>> items_;  // the back is the top
};
