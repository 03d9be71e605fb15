#pragma once
// Small helpers around GIF colour tables shared by the reader, the writer, the composer and the
// optimiser.

#include <cstddef>
#include <vector>

#include "model/codecs/GifCodec.h"

namespace gif_detail {

// The smallest table bit count (1..8) whose table holds `count` entries.
inline int BitsForCount(size_t count) {
  int bits = 1;
  while (bits < 8 && (size_t(1) << bits) < count) ++bits;
  return bits;
}

// The table a frame's indices refer to: its own table when it has one, else the global one.
inline const std::vector<TColor>& ActiveTable(const TGifData& gif, const TGifFrameData& frame) {
  return frame.LocalTable.empty() ? gif.GlobalTable : frame.LocalTable;
}

// Indices beyond the end of a table show black, as a table padded with black would.
inline TColor TableColor(const std::vector<TColor>& table, int index) {
  return size_t(index) < table.size() ? table[size_t(index)] : clBlack;
}

// Disposal methods above 3 are undefined; they behave like "keep".
inline int EffectiveDisposal(const TGifControl& control) {
  if (!control.Present) return 0;
  return control.Disposal <= 3 ? control.Disposal : 1;
}

}  // namespace gif_detail
