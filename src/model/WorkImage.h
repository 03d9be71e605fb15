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
  void Undo();
  void Redo();
  bool CanUndo() const { return !UndoStack.IsEmpty(); }
  bool CanRedo() const { return !RedoStack.IsEmpty(); }
  void ClearUndo();

  TUndoStack UndoStack;
  TUndoStack RedoStack;

 protected:
  // The finishing step after a successful read: name, default drawing colours, not modified.
  void FinishLoading(const std::string& name);

 private:
  std::unique_ptr<TSelectBitmap> Snapshot() const;

  std::string fileName_;
};
