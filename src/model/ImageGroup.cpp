#include "model/ImageGroup.h"

#include <algorithm>

#include "model/GroupState.h"
#include "model/WorkFrame.h"

TImageGroup::TImageGroup() = default;
TImageGroup::~TImageGroup() = default;

std::string TImageGroup::GetChildName() const { return "Child"; }

void TImageGroup::SetHeight(int h) {
  Height = h;
  for (auto& f : frames_)
    if (f->Height() != h) f->ResizeForGroup(f->Width(), h);
}

void TImageGroup::SetWidth(int w) {
  Width = w;
  for (auto& f : frames_)
    if (f->Width() != w) f->ResizeForGroup(w, f->Height());
}

void TImageGroup::SetBitCount(int n) {
  if (n == BitCount) return;
  BitCount = uint8_t(n);
  for (auto& f : frames_) f->SetBitCount(n);
}

TWorkFrame* TImageGroup::GetFrame(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return frames_[size_t(index)].get();
}

void TImageGroup::LoadFromFile(const std::string& name) {
  FileName = name;
  MarkSaved();
}

void TImageGroup::SaveToFile(const std::string& name) {
  FileName = name;
  MarkSaved();
}

void TImageGroup::MarkSaved() {
  for (auto& f : frames_) f->MarkSaved();
}

std::unique_ptr<TWorkFrame> TImageGroup::NewFrame() {
  ClearUndo();
  std::unique_ptr<TWorkFrame> frame = CreateFrame();
  frame->SetLeftColor(frame->NearestColor(clBlack));
  frame->SetRightColor(frame->NearestColor(clWhite));
  frame->SetModified(true);
  return frame;
}

TWorkFrame* TImageGroup::AddFrame() {
  frames_.push_back(NewFrame());
  return frames_.back().get();
}

TWorkFrame* TImageGroup::InsertFrame(int index) {
  index = std::clamp(index, 0, Count());
  auto it = frames_.insert(frames_.begin() + index, NewFrame());
  return it->get();
}

void TImageGroup::DeleteFrame(int index) {
  if (frames_.empty()) return;
  index = std::clamp(index, 0, Count() - 1);
  frames_.erase(frames_.begin() + index);
  ClearUndo();
  for (auto& f : frames_) f->SetModified(true);
}

void TImageGroup::ClearFrames() {
  ClearUndo();
  frames_.clear();
}

bool TImageGroup::IsModified() const {
  return std::any_of(frames_.begin(), frames_.end(), [](const auto& f) { return f->IsModified(); });
}

void TImageGroup::SetModified(bool flag) {
  for (auto& f : frames_) f->SetModified(flag);
}

int TImageGroup::IndexOf(const TWorkFrame* frame) const {
  for (int i = 0; i < Count(); ++i)
    if (frames_[size_t(i)].get() == frame) return i;
  return -1;
}
