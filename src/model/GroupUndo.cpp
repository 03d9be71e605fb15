// The undo history of a group as a whole.

#include <new>

#include "model/GroupState.h"
#include "model/ImageGroup.h"
#include "model/UndoStack.h"
#include "model/WorkFrame.h"

void TImageGroup::SaveValues(TGroupState&) const {}
void TImageGroup::RestoreValues(const TGroupState&) {}

std::unique_ptr<TGroupState> TImageGroup::Snapshot() const {
  auto state = std::make_unique<TGroupState>();
  state->Width = Width;
  state->Height = Height;
  state->BitCount = BitCount;
  state->Palette = Palette;
  state->Transparent = Transparent;
  SaveValues(*state);
  state->Frames.reserve(frames_.size());
  for (const auto& f : frames_) state->Frames.push_back(f->Snapshot());
  return state;
}

void TImageGroup::Restore(const TGroupState& state) {
  // Steps are cleared whenever frames come or go, so a step always fits.
  if (state.Frames.size() != frames_.size()) return;
  // The group's fields go first: frames taking their size and depth back then find the group
  // agreeing and leave the others alone.
  Width = state.Width;
  Height = state.Height;
  BitCount = state.BitCount;
  Palette = state.Palette;
  Transparent = state.Transparent;
  RestoreValues(state);
  for (size_t i = 0; i < frames_.size(); ++i) frames_[i]->Assign(*state.Frames[i]);
  SetModified(true);
}

void TImageGroup::PushStep(std::vector<std::unique_ptr<TGroupState>>& stack,
                           std::unique_ptr<TGroupState> step) {
  stack.push_back(std::move(step));
  if (stack.size() > size_t(UndoDepth)) stack.erase(stack.begin());
}

bool TImageGroup::SaveUndo() {
  try {
    PushStep(undo_, Snapshot());
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

void TImageGroup::Undo() {
  if (undo_.empty()) return;
  // The redo step is made first, so running out of memory loses no step.
  std::unique_ptr<TGroupState> current = Snapshot();
  std::unique_ptr<TGroupState> top = std::move(undo_.back());
  undo_.pop_back();
  PushStep(redo_, std::move(current));
  Restore(*top);
}

void TImageGroup::Redo() {
  if (redo_.empty()) return;
  std::unique_ptr<TGroupState> current = Snapshot();
  std::unique_ptr<TGroupState> top = std::move(redo_.back());
  redo_.pop_back();
  PushStep(undo_, std::move(current));
  Restore(*top);
}

void TImageGroup::ClearUndo() {
  undo_.clear();
  redo_.clear();
}
