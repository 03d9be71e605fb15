#pragma once
// TImageGroup: a multi-frame document, an ordered list of frames with a file name, a shared
// palette, a shared size and colour depth and shared drawing colours. Its frames are work images
// that hold a reference back to the group.

#include <memory>
#include <string>
#include <vector>

#include "model/Palette.h"

class TWorkFrame;
struct TGroupState;

class TImageGroup {
 public:
  TImageGroup();
  virtual ~TImageGroup();
  TImageGroup(const TImageGroup&) = delete;
  TImageGroup& operator=(const TImageGroup&) = delete;

  // The class name shown by tools ("TGifImageGroup").
  virtual std::string ClassName() const = 0;
  // The prefix of frame captions; the navigator appends the frame's index.
  virtual std::string GetChildName() const;
  // Size and depth changes reach every frame (icon groups only store them).
  virtual void SetHeight(int h);
  virtual void SetWidth(int w);
  virtual void SetBitCount(int n);
  virtual TWorkFrame* GetFrame(int index) const;
  virtual std::unique_ptr<TWorkFrame> CreateFrame() = 0;
  virtual std::string GetColorModes() const = 0;
  // The base versions are the finishing steps: they record the name and mark no frame modified.
  virtual void LoadFromFile(const std::string& name);
  virtual void SaveToFile(const std::string& name);

  int Count() const { return int(frames_.size()); }
  TWorkFrame* AddFrame();
  TWorkFrame* InsertFrame(int index);
  void DeleteFrame(int index);
  // Frees all frames; used when a failed load must not leave a partly read group.
  void ClearFrames();
  bool IsModified() const;
  void SetModified(bool flag);
  // Records for every frame that its current state is the one the file holds.
  void MarkSaved();
  int IndexOf(const TWorkFrame* frame) const;

  // Changes of the whole group (its size, depth and own values) are undone as one step that
  // holds the group's values and every frame. Adding, inserting or deleting frames clears the
  // steps, which no longer fit. Undo and redo leave the group modified.
  bool SaveUndo();
  void Undo();
  void Redo();
  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  void ClearUndo();

  TPaletteRecord Palette;
  std::string FileName;
  uint8_t BitCount = 0;
  int Height = 0;
  int Width = 0;
  TColor LeftColor = 0;
  TColor RightColor = 0;
  bool Transparent = false;

 protected:
  // What a kind of group adds to the values its steps keep (an animation's loop count).
  virtual void SaveValues(TGroupState& state) const;
  virtual void RestoreValues(const TGroupState& state);

 private:
  std::unique_ptr<TWorkFrame> NewFrame();
  std::unique_ptr<TGroupState> Snapshot() const;
  void Restore(const TGroupState& state);
  void PushStep(std::vector<std::unique_ptr<TGroupState>>& stack, std::unique_ptr<TGroupState> step);

  std::vector<std::unique_ptr<TWorkFrame>> frames_;
  std::vector<std::unique_ptr<TGroupState>> undo_;  // the back is the top
  std::vector<std::unique_ptr<TGroupState>> redo_;
};
