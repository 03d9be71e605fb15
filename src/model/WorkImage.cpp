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
  SetModified(false);
}

void TWorkImage::FinishLoading(const std::string& name) {
  SetFileName(name);
  SetLeftColor(clBlack);
  SetRightColor(clWhite);
  SetModified(false);
}

std::unique_ptr<TSelectBitmap> TWorkImage::Snapshot() const {
  auto snapshot = std::make_unique<TSelectBitmap>();
  snapshot->Assign(*this);
  return snapshot;
}

bool TWorkImage::SaveUndo() {
  try {
    UndoStack.Push(Snapshot());
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
  std::unique_ptr<TSelectBitmap> top = UndoStack.Pop();
  RedoStack.Push(std::move(current));
  Assign(*top);
}

void TWorkImage::Redo() {
  if (RedoStack.IsEmpty()) return;
  std::unique_ptr<TSelectBitmap> top = RedoStack.Pop();
  SaveUndo();
  Assign(*top);
}

void TWorkImage::ClearUndo() {
  UndoStack.Clear();
  RedoStack.Clear();
}
