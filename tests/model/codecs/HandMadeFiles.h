#pragma once
// Builders for hand-made BMP and icon files, so tests (and the fuzzing seeds) can describe
// variants that the program's own writers never produce.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "model/Colors.h"
#include "model/FileIO.h"

struct TBmpLayout {
  uint32_t HeaderSize = 40;  // 12 writes the OS/2 core header
  int32_t Width = 1;
  int32_t Height = 1;  // negative for top-down rows
  uint16_t Bits = 24;
  uint32_t Compression = 0;
  uint32_t ColorsUsed = 0;
  std::vector<TColor> Palette;  // written as given (triples for the core header)
  std::vector<uint32_t> Masks;  // written inside the header when it is long enough, else after
  TBytes Pixels;                // the pixel data as stored
};

inline void PushLE(TBytes& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(uint8_t(v >> (8 * i)));
}

inline TBytes MakeBmp(const TBmpLayout& s) {
  TBytes info;
  PushLE(info, s.HeaderSize, 4);
  if (s.HeaderSize == 12) {
    PushLE(info, uint32_t(s.Width), 2);
    PushLE(info, uint32_t(s.Height), 2);
    PushLE(info, 1, 2);
    PushLE(info, s.Bits, 2);
  } else {
    PushLE(info, uint32_t(s.Width), 4);
    PushLE(info, uint32_t(s.Height), 4);
    PushLE(info, 1, 2);
    PushLE(info, s.Bits, 2);
    PushLE(info, s.Compression, 4);
    PushLE(info, uint32_t(s.Pixels.size()), 4);
    PushLE(info, 2835, 4);
    PushLE(info, 2835, 4);
    PushLE(info, s.ColorsUsed, 4);
    PushLE(info, 0, 4);
    for (uint32_t m : s.Masks) PushLE(info, m, 4);
    // Masks past a 40-byte header form the separate mask block; longer headers hold them.
    info.resize(std::max<size_t>(info.size(), s.HeaderSize), 0);
  }
  for (TColor c : s.Palette) {
    info.push_back(uint8_t(BlueOf(c)));
    info.push_back(uint8_t(GreenOf(c)));
    info.push_back(uint8_t(RedOf(c)));
    if (s.HeaderSize != 12) info.push_back(0);
  }
  TBytes file{'B', 'M'};
  PushLE(file, uint32_t(14 + info.size() + s.Pixels.size()), 4);
  PushLE(file, 0, 4);
  PushLE(file, uint32_t(14 + info.size()), 4);
  file.insert(file.end(), info.begin(), info.end());
  file.insert(file.end(), s.Pixels.begin(), s.Pixels.end());
  return file;
}

// An icon file with one bitmap entry: a 40-byte header for `width` x `height` at `bits`, then
// `rest` (colour table, XOR rows and AND rows as stored).
inline TBytes MakeIcon(int32_t width, int32_t height, uint16_t bits, const TBytes& rest) {
  TBytes file = {0, 0, 1, 0, 1, 0};
  TBytes block;
  PushLE(block, 40, 4);
  PushLE(block, uint32_t(width), 4);
  PushLE(block, uint32_t(height * 2), 4);
  PushLE(block, 1, 2);
  PushLE(block, bits, 2);
  block.resize(40, 0);
  block.insert(block.end(), rest.begin(), rest.end());
  file.push_back(uint8_t(width));
  file.push_back(uint8_t(height));
  PushLE(file, 0, 2);
  PushLE(file, 1, 2);
  PushLE(file, bits, 2);
  PushLE(file, uint32_t(block.size()), 4);
  PushLE(file, 22, 4);
  file.insert(file.end(), block.begin(), block.end());
  return file;
}
