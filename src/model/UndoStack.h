#pragma once
// A bounded last-in-first-out stack of raster snapshots. Pushing a ninth snapshot frees the
// oldest, so a stack never holds more than UndoDepth. Each snapshot carries the number of the
// image state it was taken of, so that an image knows whether a restored state is the one its
// file holds.

#include <cstdint>
#include <memory>
#include <vector>

#include "model/SelectBitmap.h"

constexpr int UndoDepth = 8;

class TUndoStack {
 public:
  void Push(std::unique_ptr<TSelectBitmap> snapshot, uint64_t stateId = 0);
  std::unique_ptr<TSelectBitmap> Pop();
  // The state number of the top snapshot; 0 when the stack is empty.
  uint64_t TopStateId() const { return items_.empty() ? 0 : items_.back().StateId; }
  int Count() const { return int(items_.size()); }
  bool IsEmpty() const { return items_.empty(); }
  void Clear();

 private:
  struct TEntry {
    std::unique_ptr<TSelectBitmap> Snapshot;
    uint64_t StateId = 0;
  };
  std::vector<TEntry> items_;  // the back is the top
};
