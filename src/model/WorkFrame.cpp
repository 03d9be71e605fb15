#include "model/WorkFrame.h"

#include <algorithm>

#include "model/GraphUtils.h"
#include "model/ImageGroup.h"

// ---- TWorkFrame ----

void TWorkFrame::Assign(const TSelectBitmap& source) {
  if (auto* frame = dynamic_cast<const TWorkFrame*>(&source)) SetGroup(frame->Group());
  TWorkImage::Assign(source);
}

std::string TWorkFrame::GetFileName() const {
  return group_ ? group_->FileName : TWorkImage::GetFileName();
}

void TWorkFrame::SetFileName(const std::string& name) {
  if (group_)
    group_->FileName = name;
  else
    TWorkImage::SetFileName(name);
}

void TWorkFrame::LoadFromFile(const std::string& name) {
  if (group_) group_->LoadFromFile(name);
}

void TWorkFrame::SaveToFile(const std::string& name) {
  if (group_) group_->SaveToFile(name);
}

void TWorkFrame::SetGroup(TImageGroup* group) {
  group_ = group;
}

// ---- TUniformFrame ----

TColor TUniformFrame::GetLeftColor() const {
  return localPalette_ || !group_ ? TWorkFrame::GetLeftColor() : group_->LeftColor;
}

TColor TUniformFrame::GetRightColor() const {
  return localPalette_ || !group_ ? TWorkFrame::GetRightColor() : group_->RightColor;
}

void TUniformFrame::SetLeftColor(TColor c) {
  if (localPalette_ || !group_)
    TWorkFrame::SetLeftColor(c);
  else
    group_->LeftColor = c;
}

void TUniformFrame::SetRightColor(TColor c) {
  if (localPalette_ || !group_)
    TWorkFrame::SetRightColor(c);
  else
    group_->RightColor = c;
}

TPaletteRecord& TUniformFrame::GetPalette() {
  return localPalette_ || !group_ ? TWorkFrame::GetPalette() : group_->Palette;
}

void TUniformFrame::Assign(const TSelectBitmap& source) {
  const auto* state = dynamic_cast<const TFrameState*>(&source);
  if (state) StoreLocalPalette(state->Values.LocalPalette);
  TWorkFrame::Assign(source);
  if (state) RestoreValues(state->Values);
}

std::unique_ptr<TSelectBitmap> TUniformFrame::Snapshot() const {
  auto state = std::make_unique<TFrameState>();
  state->Assign(*this);
  SaveValues(state->Values);
  return state;
}

void TUniformFrame::SetWidth(int w) {
  TWorkFrame::SetWidth(w);
  if (group_) group_->SetWidth(w);
}

void TUniformFrame::SetHeight(int h) {
  TWorkFrame::SetHeight(h);
  if (group_) group_->SetHeight(h);
}

void TUniformFrame::SetGroup(TImageGroup* group) {
  if (group == group_) return;
  TWorkFrame::SetGroup(group);
  if (!group) return;
  // Joining takes the group's shape. The group's frames have it already, so only this frame is
  // resized: going through the group here would walk every frame for each one added, and
  // loading an animation would take time quadratic in its frames.
  if (Width() != group->Width || Height() != group->Height)
    ResizeSurfaces(group->Width, group->Height);
  SetBitCount(group->BitCount);
  SetLocalPalette(false);
}

void TUniformFrame::SetLocalPalette(bool flag) {
  if (flag == localPalette_) return;
  if (flag && group_) {
    TWorkFrame::GetPalette() = group_->Palette;
    // The group's colours come over as they are: they were chosen on this very palette.
    SetLeftColorUnsnapped(group_->LeftColor);
    SetRightColorUnsnapped(group_->RightColor);
  }
  localPalette_ = flag;
  ApplyPalette(GetPalette(), TDitherMode::Nearest);
}

// ---- TWorkGifFrame ----

TWorkGifFrame::TWorkGifFrame() {
  SetLocalPalette(false);
  SetDelay(100);
}

void TWorkGifFrame::Assign(const TSelectBitmap& source) {
  const auto* gif = dynamic_cast<const TWorkGifFrame*>(&source);
  // Group and palette flag are taken first so that a frame's own palette lands in this frame's
  // own record instead of overwriting the palette the whole group shares.
  if (gif) {
    SetGroup(gif->Group());
    StoreLocalPalette(gif->LocalPalette());
  }
  TUniformFrame::Assign(source);
  if (!gif) return;
  SetDelay(gif->Delay());
  SetInterlaced(gif->Interlaced());
  SetLocalPalette(gif->LocalPalette());
  Disposal = gif->Disposal;
  HasControlExtension = gif->HasControlExtension;
  NamesTransparentIndex = gif->NamesTransparentIndex;
  SetComments(gif->Comments());
}

std::unique_ptr<TSelectBitmap> TWorkGifFrame::Create() const {
  return std::make_unique<TWorkGifFrame>();
}

std::string TWorkGifFrame::GetColorModes() const {
  return JoinColorModes({1, 2, 3, 4, 5, 6, 7, 8});
}

void TWorkGifFrame::SetDelay(uint32_t ms) {
  delay_ = std::min(ms, MaxDelay);
  SetModified(true);
}

void TWorkGifFrame::SetInterlaced(bool b) {
  interlaced_ = b;
  SetModified(true);
}

void TWorkGifFrame::SetComments(const std::vector<std::string>& lines) {
  comments_ = lines;
  SetModified(true);
}

void TWorkGifFrame::SaveValues(TFrameValues& values) const {
  TUniformFrame::SaveValues(values);
  values.Delay = delay_;
  values.Interlaced = interlaced_;
  values.Disposal = Disposal;
  values.HasControlExtension = HasControlExtension;
  values.NamesTransparentIndex = NamesTransparentIndex;
  values.Comments = comments_;
}

void TWorkGifFrame::RestoreValues(const TFrameValues& values) {
  SetDelay(values.Delay);
  SetInterlaced(values.Interlaced);
  Disposal = values.Disposal;
  HasControlExtension = values.HasControlExtension;
  NamesTransparentIndex = values.NamesTransparentIndex;
  SetComments(values.Comments);
}

// ---- TWorkImageListFrame ----

std::unique_ptr<TSelectBitmap> TWorkImageListFrame::Create() const {
  return std::make_unique<TWorkImageListFrame>();
}

// ---- TIconFrame ----

void TIconFrame::SetLeftColor(TColor c) {
  if (c == IconTransparentColor || c == IconInvertColor)
    TSelectBitmap::SetLeftColorUnsnapped(c);
  else
    TWorkFrame::SetLeftColor(c);
}

void TIconFrame::SetRightColor(TColor c) {
  if (c == IconTransparentColor || c == IconInvertColor)
    TSelectBitmap::SetRightColorUnsnapped(c);
  else
    TWorkFrame::SetRightColor(c);
}

std::string TIconFrame::GetColorModes() const {
  return JoinColorModes({1, 4, 8, 16, 24, 32});
}

std::unique_ptr<TSelectBitmap> TIconFrame::Create() const {
  return std::make_unique<TIconFrame>();
}

void TIconFrame::Assign(const TSelectBitmap& source) {
  TWorkFrame::Assign(source);
  // Undo steps are plain pictures: taking one back leaves the storage as it is.
  if (const auto* icon = dynamic_cast<const TIconFrame*>(&source)) StoredAsPng = icon->StoredAsPng;
}
