#pragma once
// The palette record: a version word, an entry count and room for 264 entries, always copied as
// one 1060-byte block. Palette images use the first 2^BitCount entries; deeper images carry the
// 264-entry default palette, which only the palette grid uses.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/Colors.h"

constexpr int MaxPaletteEntries = 264;
constexpr uint16_t PaletteVersion = 0x0300;

struct TPaletteEntry {
  uint8_t Red = 0;
  uint8_t Green = 0;
  uint8_t Blue = 0;
  uint8_t Flags = 0;
  friend bool operator==(const TPaletteEntry&, const TPaletteEntry&) = default;
};

struct TPaletteRecord {
  uint16_t Version = PaletteVersion;
  uint16_t Count = 0;
  std::array<TPaletteEntry, MaxPaletteEntries> Entries{};

  TColor Color(int i) const {
    const TPaletteEntry& e = Entries[size_t(i)];
    return MakeColor(e.Red, e.Green, e.Blue);
  }
  void SetColor(int i, TColor c) {
    Entries[size_t(i)] = {uint8_t(RedOf(c)), uint8_t(GreenOf(c)), uint8_t(BlueOf(c)), 0};
  }
  friend bool operator==(const TPaletteRecord&, const TPaletteRecord&) = default;
};
static_assert(sizeof(TPaletteRecord) == 1060, "the palette record is one 1060-byte block");

// The first `count` colours of the record (never more than it holds or `limit`).
std::vector<TColor> PaletteColors(const TPaletteRecord& pal, int limit = MaxPaletteEntries);

// The 264-entry default palette: 33 rows of 8 base colours running from black to white.
void FillDefaultPalette264(TPaletteRecord& pal);

// The default colours of a new image of this bit count: 2^n entries for 1 to 8 bits, the
// 264-entry default palette above 8 bits.
void FillDefaultPalette(TPaletteRecord& pal, int bitCount);

// The fixed 256-entry palette that new 8-bit images get: the 20 static system colours around a
// 6x6x6 colour cube and a ramp of greys.
const std::array<TColor, 256>& SystemPalette256();

// Reads a palette file (a 4-byte head of version and count, then count entries of red, green,
// blue, flags, or one of the interchange formats of PaletteFormats.h) into `pal`. An empty name
// or a missing file gives the default palette. A file that claims more than 264 entries or is
// shorter than it claims is refused with EVelmoraError and `pal` is left as it was.
void ReadPalette(const std::string& fileName, TPaletteRecord& pal);
// The palette of a file for images deeper than 8 bits: the generated default palette stands in
// for a missing or damaged file, so that such a file never blocks a change of depth.
TPaletteRecord ReadPaletteOrDefault(const std::string& fileName);
// The same for the bytes of a palette file; bytes past the announced entries are ignored.
void ReadPaletteBytes(const uint8_t* data, size_t size, TPaletteRecord& pal);

// The bytes of a palette file for `pal`: its first 4 + 4 * count bytes.
std::string PaletteFileBytes(const TPaletteRecord& pal);

// The palette colour nearest to `c` (Euclidean distance in RGB, ties keep the lower index).
// With fewer than two entries the result is entry 0.
int NearestPaletteIndex(TColor c, const TPaletteRecord& pal);
TColor NearestPaletteColor(TColor c, const TPaletteRecord& pal);
