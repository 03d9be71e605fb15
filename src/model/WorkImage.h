#pragma once
// TWorkImage: an editable image that knows its file. It adds the file name, the undo and redo
// stacks and the load and save operations that each document class fills in.

#include <string>

#include "model/SelectBitmap.h"
#include "model/UndoStack.h"

class TWorkImage : public TSelectBitmap {
 public:
  TWorkImage();
  ~TWorkImage() override;

  void Assign(const TSelectBitmap& source) override;
  std::string ClassName() const override { return "TWorkImage"; }
  std::unique_ptr<TSelectBitmap> Create() const override;

  virtual std::string GetFileName() const;
  virtual void SetFileName(const std::string& name);
  // The base versions are the finishing steps every document class runs after reading or
  // writing: they record the name and clear the modified flag.
  virtual void LoadFromFile(const std::string& name);
  virtual void SaveToFile(const std::string& name);

  // Takes a snapshot of the current state for undo. Returns false (and pushes nothing) when the
  // snapshot cannot be made, for example when memory runs out.
  bool SaveUndo();
  // Both steps leave the image modified exactly when the restored state is not the one its
  // file holds (the state last loaded or saved), however many steps away that is.
  void Undo();
  void Redo();
  bool CanUndo() const { return !UndoStack.IsEmpty(); }
  bool CanRedo() const { return !RedoStack.IsEmpty(); }
  void ClearUndo();
  // Records that the current state is the one the file holds and clears the modified flag.
  void MarkSaved();
  // The state an undo step keeps: a copy of this class where UndoKeepsClass says so, else the
  // plain raster. Assign takes it back whole. Frames make their own kind of step, since a copy
  // of a frame would share its group's palette instead of keeping the one the pixels were on.
  virtual std::unique_ptr<TSelectBitmap> Snapshot() const;

  TUndoStack UndoStack;
  TUndoStack RedoStack;

 protected:
  // The finishing step after a successful read: name, default drawing colours, not modified.
  void FinishLoading(const std::string& name);
  // Whether undo steps are made of this class, so that they also bring back what the class
  // adds to the raster (a JPEG's quality, a GIF's comments).
  virtual bool UndoKeepsClass() const { return false; }

 private:
  // The number of the current state; a state changed without a snapshot gets a new number
  // first, so that it is never taken for the saved one.
  uint64_t CurrentStateId();
  void RestoreState(const TSelectBitmap& snapshot, uint64_t stateId);

  std::string fileName_;
  // Numbers of the current state and of the state the file holds. Every snapshot starts a new
  // state, so equal numbers mean equal pictures.
  uint64_t stateId_ = 0;
  uint64_t savedStateId_ = 0;
  uint64_t lastStateId_ = 0;
};
