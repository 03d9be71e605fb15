#include "model/WorkImage.h"

#include <new>

TWorkImage::TWorkImage() = default;

TWorkImage::~TWorkImage() { ClearUndo(); }

void TWorkImage::Assign(const TSelectBitmap& source) { TSelectBitmap::Assign(source); }

std::unique_ptr<TSelectBitmap> TWorkImage::Create() const { return std::make_unique<TWorkImage>(); }

std::string TWorkImage::GetFileName() const { return fileName_; }
void TWorkImage::SetFileName(const std::string& name) { fileName_ = name; }

void TWorkImage::LoadFromFile(const std::string& name) { FinishLoading(name); }

void TWorkImage::SaveToFile(const std::string& name) {
  SetFileName(name);
  MarkSaved();
}

void TWorkImage::FinishLoading(const std::string& name) {
  SetFileName(name);
  SetLeftColor(clBlack);
  SetRightColor(clWhite);
  MarkSaved();
}

std::unique_ptr<TSelectBitmap> TWorkImage::Snapshot() const {
  std::unique_ptr<TSelectBitmap> snapshot =
      UndoKeepsClass() ? Create() : std::make_unique<TSelectBitmap>();
  snapshot->Assign(*this);
  return snapshot;
}

void TWorkImage::MarkSaved() {
  savedStateId_ = stateId_;
  SetModified(false);
}

uint64_t TWorkImage::CurrentStateId() {
  if (stateId_ == savedStateId_ && IsModified()) stateId_ = ++lastStateId_;
  return stateId_;
}

void TWorkImage::RestoreState(const TSelectBitmap& snapshot, uint64_t stateId) {
  Assign(snapshot);
  stateId_ = stateId;
  SetModified(stateId_ != savedStateId_);
}

bool TWorkImage::SaveUndo() {
  try {
    const uint64_t id = CurrentStateId();
    UndoStack.Push(Snapshot(), id);
    // What follows a snapshot is an edit: the image enters a new state.
    stateId_ = ++lastStateId_;
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  } catch (const std::exception&) {
    return false;
  }
}

void TWorkImage::Undo() {
  if (UndoStack.IsEmpty()) return;
  // The redo snapshot is made first, so running out of memory loses no step.
  std::unique_ptr<TSelectBitmap> current = Snapshot();
  const uint64_t topId = UndoStack.TopStateId();
  std::unique_ptr<TSelectBitmap> top = UndoStack.Pop();
  RedoStack.Push(std::move(current), CurrentStateId());
  RestoreState(*top, topId);
}

void TWorkImage::Redo() {
  if (RedoStack.IsEmpty()) return;
  const uint64_t topId = RedoStack.TopStateId();
  std::unique_ptr<TSelectBitmap> top = RedoStack.Pop();
  SaveUndo();
  RestoreState(*top, topId);
}

void TWorkImage::ClearUndo() {
  UndoStack.Clear();
  RedoStack.Clear();
}
