#pragma once
// TGroupState: one step of a group's own undo history.

#include <memory>
#include <vector>

#include "model/Palette.h"
#include "model/SelectBitmap.h"

struct TGroupState {
  int Width = 0;
  int Height = 0;
  uint8_t BitCount = 0;
  TPaletteRecord Palette;
  bool Transparent = false;
  // Animations only.
  int32_t LoopCount = 0;
  uint8_t Compression = 0;
  // Every frame as its own undo steps keep it, in order.
  std::vector<std::unique_ptr<TSelectBitmap>> Frames;
};
