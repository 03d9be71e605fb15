#include "model/Palette.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "model/Errors.h"
#include "model/GraphUtils.h"
#include "model/PaletteFormats.h"

void FillDefaultPalette264(TPaletteRecord& pal) {
  static constexpr TColor base[8] = {MakeColor(255, 0, 0),   MakeColor(255, 128, 0),
                                     MakeColor(255, 255, 0), MakeColor(0, 255, 0),
                                     MakeColor(0, 255, 255), MakeColor(0, 0, 255),
                                     MakeColor(255, 0, 255), MakeColor(128, 128, 128)};
  // A channel of 255 counts as 256 so that the lightening steps reach white exactly.
  auto channel = [](int v, int row) {
    if (v == 255) v = 256;
    const int step = row < 16 ? v / 16 : (256 - v) / 16;
    return std::clamp(v + (row - 16) * step, 0, 255);
  };
  pal.Version = PaletteVersion;
  pal.Count = MaxPaletteEntries;
  for (int r = 0; r < 33; ++r)
    for (int c = 0; c < 8; ++c) {
      const TColor b = base[c];
      pal.SetColor(8 * r + c,
                   MakeColor(channel(RedOf(b), r), channel(GreenOf(b), r), channel(BlueOf(b), r)));
    }
}

const std::array<TColor, 256>& SystemPalette256() {
  static const std::array<TColor, 256> palette = [] {
    std::array<TColor, 256> p{};
    static constexpr TColor first[10] = {MakeColor(0, 0, 0),       MakeColor(128, 0, 0),
                                         MakeColor(0, 128, 0),     MakeColor(128, 128, 0),
                                         MakeColor(0, 0, 128),     MakeColor(128, 0, 128),
                                         MakeColor(0, 128, 128),   MakeColor(192, 192, 192),
                                         MakeColor(192, 220, 192), MakeColor(166, 202, 240)};
    static constexpr TColor last[10] = {MakeColor(255, 251, 240), MakeColor(160, 160, 164),
                                        MakeColor(128, 128, 128), MakeColor(255, 0, 0),
                                        MakeColor(0, 255, 0),     MakeColor(255, 255, 0),
                                        MakeColor(0, 0, 255),     MakeColor(255, 0, 255),
                                        MakeColor(0, 255, 255),   MakeColor(255, 255, 255)};
    int i = 0;
    for (TColor c : first) p[size_t(i++)] = c;
    for (int r = 0; r < 6; ++r)
      for (int g = 0; g < 6; ++g)
        for (int b = 0; b < 6; ++b) p[size_t(i++)] = MakeColor(51 * r, 51 * g, 51 * b);
    for (int k = 1; k <= 20; ++k) p[size_t(i++)] = MakeColor(k * 12, k * 12, k * 12);
    for (TColor c : last) p[size_t(i++)] = c;
    return p;
  }();
  return palette;
}

namespace {

void FillCube(TPaletteRecord& pal, int first, bool halved) {
  static constexpr int levels[4] = {0, 128, 192, 255};
  for (int i = 0; i < 64; ++i) {
    int r = levels[(i >> 4) & 3], g = levels[(i >> 2) & 3], b = levels[i & 3];
    if (halved) r /= 2, g /= 2, b /= 2;
    pal.SetColor(first + i, MakeColor(r, g, b));
  }
}

}  // namespace

void FillDefaultPalette(TPaletteRecord& pal, int bitCount) {
  if (bitCount > 8 || bitCount < 1) {
    FillDefaultPalette264(pal);
    return;
  }
  static constexpr TColor vga16[16] = {
      MakeColor(0, 0, 0),      MakeColor(0, 0, 128),     MakeColor(0, 128, 0),
      MakeColor(0, 128, 128),  MakeColor(128, 0, 0),     MakeColor(128, 0, 128),
      MakeColor(128, 128, 0),  MakeColor(192, 192, 192), MakeColor(128, 128, 128),
      MakeColor(0, 0, 255),    MakeColor(0, 255, 0),     MakeColor(0, 255, 255),
      MakeColor(255, 0, 0),    MakeColor(255, 0, 255),   MakeColor(255, 255, 0),
      MakeColor(255, 255, 255)};
  pal = TPaletteRecord{};
  pal.Count = uint16_t(1 << bitCount);
  switch (bitCount) {
    case 1:
      pal.SetColor(0, clBlack);
      pal.SetColor(1, clWhite);
      break;
    case 2:
      pal.SetColor(0, MakeColor(0, 0, 0));
      pal.SetColor(1, MakeColor(0, 0, 255));
      pal.SetColor(2, MakeColor(255, 0, 0));
      pal.SetColor(3, MakeColor(255, 255, 255));
      break;
    case 3:
      for (int i = 0; i < 8; ++i)
        pal.SetColor(i, MakeColor(i & 4 ? 255 : 0, i & 2 ? 255 : 0, i & 1 ? 255 : 0));
      break;
    case 4:
      for (int i = 0; i < 16; ++i) pal.SetColor(i, vga16[i]);
      break;
    case 5:
      for (int h = 0; h < 8; ++h)
        for (int s = 0; s < 4; ++s) pal.SetColor(4 * h + s, HlsToRgb(30 * h, 120, 60 * (s + 1)));
      break;
    case 6:
      FillCube(pal, 0, false);
      break;
    case 7:
      FillCube(pal, 0, true);
      FillCube(pal, 64, false);
      break;
    case 8:
      for (int i = 0; i < 256; ++i) pal.SetColor(i, SystemPalette256()[size_t(i)]);
      break;
  }
}

void ReadPaletteBytes(const uint8_t* data, size_t size, TPaletteRecord& pal) {
  // Every palette file is written with the record's version; another one is not a palette file
  // of ours, or a damaged one.
  if (size < 4 || (data[0] | (data[1] << 8)) != PaletteVersion)
    throw EVelmoraError("The palette file is damaged.");
  const int count = data[2] | (data[3] << 8);
  if (count > MaxPaletteEntries)
    throw EVelmoraError("The palette file holds more than 264 colors.");
  if (size < 4 + 4 * size_t(count)) throw EVelmoraError("The palette file is damaged.");
  TPaletteRecord next = pal;
  next.Version = uint16_t(data[0] | (data[1] << 8));
  next.Count = uint16_t(count);
  for (int i = 0; i < count; ++i) {
    const uint8_t* e = data + 4 + 4 * size_t(i);
    next.Entries[size_t(i)] = {e[0], e[1], e[2], e[3]};
  }
  pal = next;
}

void ReadPalette(const std::string& fileName, TPaletteRecord& pal) {
  std::error_code ec;
  if (fileName.empty() || !std::filesystem::is_regular_file(fileName, ec)) {
    FillDefaultPalette264(pal);
    return;
  }
  // Text palettes with named colours are larger than the record, but none needs more than
  // MaxPaletteFileSize, so a huge file is never loaded.
  std::ifstream in(fileName, std::ios::binary);
  if (!in) throw EVelmoraError("Cannot read the palette file.");
  std::vector<uint8_t> bytes(MaxPaletteFileSize + 1);
  in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
  if (in.bad()) throw EVelmoraError("Cannot read the palette file.");
  const size_t size = size_t(in.gcount());
  if (size > MaxPaletteFileSize) throw EVelmoraError("The palette file is too large.");
  ReadAnyPaletteBytes(bytes.data(), size, fileName, pal);
}

TPaletteRecord ReadPaletteOrDefault(const std::string& fileName) {
  TPaletteRecord pal;
  try {
    ReadPalette(fileName, pal);
  } catch (const EVelmoraError&) {
    FillDefaultPalette264(pal);
  }
  return pal;
}

std::string PaletteFileBytes(const TPaletteRecord& pal) {
  const int count = std::min<int>(pal.Count, MaxPaletteEntries);
  std::string out;
  out.reserve(4 + 4 * size_t(count));
  out += char(pal.Version & 0xFF);
  out += char(pal.Version >> 8);
  out += char(count & 0xFF);
  out += char(count >> 8);
  for (int i = 0; i < count; ++i) {
    const TPaletteEntry& e = pal.Entries[size_t(i)];
    out += char(e.Red);
    out += char(e.Green);
    out += char(e.Blue);
    out += char(e.Flags);
  }
  return out;
}

std::vector<TColor> PaletteColors(const TPaletteRecord& pal, int limit) {
  const int count = std::min({int(pal.Count), MaxPaletteEntries, limit});
  std::vector<TColor> colors;
  colors.reserve(size_t(std::max(count, 0)));
  for (int i = 0; i < count; ++i) colors.push_back(pal.Color(i));
  return colors;
}

int NearestPaletteIndex(TColor c, const TPaletteRecord& pal) {
  const int count = std::min<int>(pal.Count, MaxPaletteEntries);
  if (count < 2) return 0;
  const int r = RedOf(c), g = GreenOf(c), b = BlueOf(c);
  // Squared integer distances order the entries exactly as the Euclidean distances do.
  int best = 0;
  int bestDist = 1 << 30;
  for (int i = 0; i < count; ++i) {
    const TPaletteEntry& e = pal.Entries[size_t(i)];
    const int dr = e.Red - r, dg = e.Green - g, db = e.Blue - b;
    const int d = dr * dr + dg * dg + db * db;
    if (d < bestDist) {
      bestDist = d;
      best = i;
      if (d == 0) break;
    }
  }
  return best;
}

TColor NearestPaletteColor(TColor c, const TPaletteRecord& pal) {
  return pal.Color(NearestPaletteIndex(c, pal));
}
