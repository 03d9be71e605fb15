#include "model/UndoStack.h"

void TUndoStack::Push(std::unique_ptr<TSelectBitmap> snapshot, uint64_t stateId) {
  items_.push_back({std::move(snapshot), stateId});
  if (items_.size() > size_t(UndoDepth)) {
    items_.erase(items_.begin());
    items_.shrink_to_fit();
  }
}

std::unique_ptr<TSelectBitmap> TUndoStack::Pop() {
  if (items_.empty()) return nullptr;
  std::unique_ptr<TSelectBitmap> top = std::move(items_.back().Snapshot);
  items_.pop_back();
  return top;
}

void TUndoStack::Clear() { items_.clear(); }
