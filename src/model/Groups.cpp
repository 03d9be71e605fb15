#include "model/Groups.h"

#include "model/GraphUtils.h"
#include "model/GroupState.h"
#include "model/WorkImages.h"

namespace {
uint8_t defaultGifCompression = 0;
}  // namespace

uint8_t DefaultGifCompression() { return defaultGifCompression; }
void SetDefaultGifCompression(uint8_t value) { defaultGifCompression = value > 1 ? 0 : value; }

// ---- TGifImageGroup ----

TGifImageGroup::TGifImageGroup() : compression_(DefaultGifCompression()) {}

std::unique_ptr<TWorkFrame> TGifImageGroup::CreateFrame() {
  auto frame = std::make_unique<TWorkGifFrame>();
  frame->SetGroup(this);
  return frame;
}

std::string TGifImageGroup::GetColorModes() const {
  return JoinColorModes({1, 2, 3, 4, 5, 6, 7, 8});
}

void TGifImageGroup::SetCompression(uint8_t value) {
  if (value == compression_) return;
  compression_ = value;
  SetModified(true);
}

void TGifImageGroup::SaveValues(TGroupState& state) const {
  state.LoopCount = LoopCount;
  state.Compression = compression_;
}

void TGifImageGroup::RestoreValues(const TGroupState& state) {
  LoopCount = state.LoopCount;
  compression_ = state.Compression;
}

// ---- TIconGroup ----

std::unique_ptr<TWorkFrame> TIconGroup::CreateFrame() {
  auto frame = std::make_unique<TIconFrame>();
  frame->SetGroup(this);
  return frame;
}

std::string TIconGroup::GetColorModes() const { return JoinColorModes({1, 4, 8, 16, 24, 32}); }

// ---- TImageListGroup ----

std::unique_ptr<TWorkFrame> TImageListGroup::CreateFrame() {
  auto frame = std::make_unique<TWorkImageListFrame>();
  frame->SetGroup(this);
  return frame;
}

std::string TImageListGroup::GetColorModes() const {
  return JoinColorModes({1, 4, 8, 16, 24, 32});
}
