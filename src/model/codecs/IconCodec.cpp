#include "model/codecs/IconCodec.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

#include "model/Errors.h"
#include "model/ReadBudget.h"
#include "model/codecs/CodecBytes.h"
#include "model/codecs/DibRows.h"
#include "model/codecs/PngCodec.h"

namespace {

constexpr size_t IconHeaderSize = 6;
constexpr size_t EntrySize = 16;
constexpr size_t InfoHeaderSize = 40;
constexpr int MaxIconWidth = 1024;

[[noreturn]] void Damaged() {
  throw EVelmoraError("The icon file is damaged.");
}

bool AndBit(const uint8_t* row, int x) {
  return (row[x >> 3] >> (7 - (x & 7))) & 1;
}

// Overwrites the palette index of pixel `x` in a packed row of 1, 4 or 8 bits.
void PutIndex(uint8_t* row, int x, int bits, int index) {
  const int perByte = 8 / bits;
  const int shift = 8 - bits * (x % perByte + 1);
  const int mask = ((1 << bits) - 1) << shift;
  uint8_t& b = row[x / perByte];
  b = uint8_t((b & ~mask) | (index << shift));
}

// ---- Reading ----

struct TDibEntry {
  int Width = 0;
  int Height = 0;
  int Bits = 0;
  std::vector<TColor> Palette;
  size_t XorOffset = 0;  // within the entry
  bool HasAnd = true;
  bool TopDown = false;
  uint32_t Masks[3] = {0, 0, 0};
  bool HasMasks = false;
};

// The bitmap's height counts its colour and AND rows together; a negative one stores the rows top
// first, and then often counts the picture alone, which the directory's height tells.
TDibEntry ReadDibHeader(const uint8_t* block, size_t bytes, int directoryHeight) {
  if (bytes < InfoHeaderSize) Damaged();
  const uint32_t headerSize = GetLE32(block);
  if (headerSize < InfoHeaderSize || headerSize > bytes) Damaged();
  TDibEntry e;
  const int32_t width = GetLE32Signed(block + 4);
  const int32_t height = GetLE32Signed(block + 8);
  e.TopDown = height < 0 && height != INT32_MIN;
  const int32_t rows = e.TopDown ? -height : height;
  if (width < 1 || width > MaxIconWidth || rows < 1 || (rows < 2 && !e.TopDown))
    throw EVelmoraError("The icon file has an invalid image size.");
  e.Width = width;
  e.Height = e.TopDown && rows == directoryHeight ? rows : rows / 2;
  // A single top-first row that the directory does not vouch for halves to no picture at all,
  // which could be opened but never saved.
  if (e.Height < 1) throw EVelmoraError("The icon file has an invalid image size.");
  e.Bits = GetLE16(block + 14);
  if (e.Bits != 1 && e.Bits != 2 && e.Bits != 4 && e.Bits != 8 && e.Bits != 16 && e.Bits != 24 &&
      e.Bits != 32)
    throw EVelmoraError("Unsupported icon format.");
  const uint32_t compression = GetLE32(block + 16);
  size_t tableOffset = headerSize;
  if (compression == 3 && (e.Bits == 16 || e.Bits == 32)) {
    // Channel masks: inside a longer header, or right after a 40-byte one.
    if (headerSize < InfoHeaderSize + 12) tableOffset += 12;
    if (tableOffset > bytes) Damaged();
    for (int i = 0; i < 3; ++i) e.Masks[i] = GetLE32(block + InfoHeaderSize + 4 * i);
    e.HasMasks = true;
  } else if (compression != 0) {
    throw EVelmoraError("Unsupported icon compression.");
  }
  if (e.Bits <= 8) {
    const uint32_t full = 1u << e.Bits;
    const uint32_t used = GetLE32(block + 32);
    const size_t count = used > 0 && used < full ? used : full;
    const size_t present = std::min(count, (bytes - tableOffset) / 4);
    for (size_t i = 0; i < present; ++i) {
      const uint8_t* p = block + tableOffset + 4 * i;
      e.Palette.push_back(MakeColor(p[2], p[1], p[0]));
    }
    tableOffset += 4 * count;
  }
  e.XorOffset = tableOffset;
  return e;
}

// Checks that the pixel rows lie inside the entry; 32-bit images may leave out the AND rows.
void CheckRows(TDibEntry& e, size_t bytes) {
  const uint64_t xorBytes = uint64_t(DibStride(e.Width, e.Bits)) * uint64_t(e.Height);
  const uint64_t andBytes = uint64_t(DibStride(e.Width, 1)) * uint64_t(e.Height);
  if (e.XorOffset + xorBytes > bytes) Damaged();
  e.HasAnd = e.XorOffset + xorBytes + andBytes <= bytes;
  if (!e.HasAnd && e.Bits != 32) Damaged();
}

TDibRowDecoder MakeDecoder(const TDibEntry& e) {
  if (e.Bits <= 8) return TDibRowDecoder::Indexed(e.Bits, e.Palette.data(), int(e.Palette.size()));
  if (e.Bits == 24) return TDibRowDecoder::Bgr24();
  if (e.HasMasks) return TDibRowDecoder::Masked(e.Bits, e.Masks[0], e.Masks[1], e.Masks[2]);
  if (e.Bits == 16) return TDibRowDecoder::Masked(16, 0x7C00, 0x03E0, 0x001F);
  return TDibRowDecoder::Masked(32, 0xFF0000, 0xFF00, 0xFF);
}

bool AnyAlpha(const uint8_t* xorRows, size_t bytes) {
  for (size_t i = 3; i < bytes; i += 4)
    if (xorRows[i] != 0) return true;
  return false;
}

// Combines the colour and the AND bit of one pixel into the model's representation.
TPixel ComposeMasked(TPixel color, bool andBit) {
  if (!andBit) return color;
  return color == 0 ? IconTransparentColor : IconInvertColor;
}

TIconImage ReadDibEntry(const uint8_t* block, size_t bytes, int directoryHeight, int64_t& budget) {
  TDibEntry e = ReadDibHeader(block, bytes, directoryHeight);
  CheckRows(e, bytes);
  if (int64_t(e.Width) * e.Height > budget) throw EVelmoraError("The icon file is too large.");
  budget -= int64_t(e.Width) * e.Height;

  const TDibRowDecoder decoder = MakeDecoder(e);
  const size_t xorStride = size_t(DibStride(e.Width, e.Bits));
  const size_t andStride = size_t(DibStride(e.Width, 1));
  const uint8_t* xorRows = block + e.XorOffset;
  const uint8_t* andRows = xorRows + xorStride * size_t(e.Height);
  const bool alpha = e.Bits == 32 && !e.HasMasks && AnyAlpha(xorRows, xorStride * e.Height);

  TIconImage icon;
  icon.Image = TSurface(e.Width, e.Height);
  for (int r = 0; r < e.Height; ++r) {  // stored bottom row first unless top-down
    TPixel* row = icon.Image.Row(e.TopDown ? r : e.Height - 1 - r);
    const uint8_t* src = xorRows + xorStride * r;
    decoder.DecodeRow(src, e.Width, row);
    for (int x = 0; x < e.Width; ++x) {
      if (alpha)
        row[x] = WithAlpha(row[x], src[4 * x + 3]);
      else
        row[x] = ComposeMasked(row[x], e.HasAnd && AndBit(andRows + andStride * r, x));
    }
  }
  icon.BitCount = uint8_t(alpha ? 32 : e.Bits == 2 ? 4 : e.Bits >= 24 ? 24 : e.Bits);
  if (icon.BitCount <= 8) {
    icon.Palette = std::move(e.Palette);
    icon.Palette.resize(size_t(1) << icon.BitCount, clBlack);
  }
  return icon;
}

TIconImage ReadPngEntry(const uint8_t* block, size_t bytes, int64_t& budget) {
  TDecodedPicture png = ReadPngPicture(block, bytes, budget);
  if (png.Image.Width() > MaxIconWidth)
    throw EVelmoraError("The icon file has an invalid image size.");
  budget -= int64_t(png.Image.Width()) * png.Image.Height();
  // Whatever the PNG stores, the sub-icon holds it as 32 bits with alpha.
  if (png.BitCount != 32 && png.Transparent && png.TransparentColor) {
    const TPixel key = ColorToPixel(*png.TransparentColor);
    for (int y = 0; y < png.Image.Height(); ++y)
      for (TPixel *p = png.Image.Row(y), *end = p + png.Image.Width(); p < end; ++p)
        if (*p == key) *p = WithAlpha(*p, 0);
  }
  TIconImage icon;
  icon.Image = std::move(png.Image);
  icon.BitCount = 32;
  icon.Png = true;
  return icon;
}

// The pixel count an entry announces, read from its header alone (0 when it has none that
// makes sense; decoding the entry then reports the problem).
// The result is capped just above the budget so that sums cannot overflow.
int64_t AnnouncedPixels(const uint8_t* block, size_t bytes) {
  uint64_t width = 0, height = 0;
  if (HasPngSignature(block, bytes)) {
    if (bytes < 24) return 0;
    const uint8_t* ihdr = block + 16;  // width and height of the first chunk, big-endian
    width = uint32_t(ihdr[0]) << 24 | uint32_t(ihdr[1]) << 16 | uint32_t(ihdr[2]) << 8 | ihdr[3];
    height = uint32_t(ihdr[4]) << 24 | uint32_t(ihdr[5]) << 16 | uint32_t(ihdr[6]) << 8 | ihdr[7];
  } else if (bytes >= InfoHeaderSize && GetLE32Signed(block + 4) > 0 &&
             GetLE32Signed(block + 8) > 0) {
    width = uint32_t(GetLE32Signed(block + 4));
    height = uint32_t(GetLE32Signed(block + 8) / 2);
  }
  return int64_t(std::min<uint64_t>(width * height, uint64_t(MaxSurfacePixels) + 1));
}

}  // namespace

std::vector<TIconImage> ReadIcon(const uint8_t* data, size_t size) {
  if (HasPngSignature(data, size)) {  // a PNG saved under an icon's name: one sub-icon
    int64_t budget = MaxSurfacePixels;
    return {ReadPngEntry(data, size, budget)};
  }
  if (size < IconHeaderSize) throw EVelmoraError("Not an icon file.");
  // The resource type (1 icon, 2 cursor) is not examined: the entries say what they hold.
  if (GetLE16(data) != 0) throw EVelmoraError("Not an icon file.");
  const size_t count = GetLE16(data + 4);
  if (count == 0) throw EVelmoraError("The icon file holds no images.");
  if (IconHeaderSize + EntrySize * count > size) throw EVelmoraError("The icon file is truncated.");

  // Every entry is checked before any is decoded, so a file that asks for too much fails at once.
  // Each entry becomes a sub-icon of its own (pixels and selection mask), also when several
  // entries share one picture.
  int64_t announced = 0;
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* entry = data + IconHeaderSize + EntrySize * i;
    // A byte count beyond the end of the file is no reason to refuse what the entry holds.
    const uint64_t offset = GetLE32(entry + 12);
    if (offset >= size) throw EVelmoraError("The icon file is truncated.");
    announced += AnnouncedPixels(data + offset, size - offset);
    if (announced > MaxSurfacePixels) throw EVelmoraError("The icon file is too large.");
  }
  RequireReadBudget(announced * 4 + announced / 8);  // pixel words and selection mask bits
  // An entry is read from its offset on, as far as its picture needs: some writers store a
  // byte count in the directory that is smaller than the picture they wrote. Entries that
  // point at a picture already read take a copy of it instead of decoding it again.
  std::vector<TIconImage> icons;
  std::unordered_map<size_t, size_t> decodedAt;  // offset -> index in icons
  int64_t budget = MaxSurfacePixels;
  for (size_t i = 0; i < count; ++i) {
    const uint8_t* entry = data + IconHeaderSize + EntrySize * i;
    const size_t offset = GetLE32(entry + 12);
    const auto [seen, added] = decodedAt.try_emplace(offset, icons.size());
    if (!added) {
      icons.push_back(icons[seen->second]);
      continue;
    }
    const size_t bytes = size - offset;
    const uint8_t* block = data + offset;
    const int directoryHeight = entry[1] ? entry[1] : 256;
    if (HasPngSignature(block, bytes))
      icons.push_back(ReadPngEntry(block, bytes, budget));
    else
      icons.push_back(ReadDibEntry(block, bytes, directoryHeight, budget));
  }
  return icons;
}

// ---- Writing ----

namespace {

void AppendInfoHeader(TBytes& out, const TSurface& image, int storedBits) {
  AppendLE32(out, InfoHeaderSize);
  AppendLE32(out, uint32_t(image.Width()));
  AppendLE32(out, uint32_t(2 * image.Height()));  // XOR and AND rows together
  AppendLE16(out, 1);
  AppendLE16(out, uint32_t(storedBits));
  for (int i = 0; i < 6; ++i) AppendLE32(out, 0);  // compression .. colours important
}

// The colour table of a palette sub-icon as written, and every pixel's index into it.
struct TIconTable {
  std::vector<TColor> Colors;
  std::vector<uint8_t> Indices;  // row-major, top row first
};

// An entry of `used` that no pixel takes, preferring the last, or -1.
int FreeEntry(const std::vector<bool>& used) {
  for (size_t i = used.size(); i-- > 0;)
    if (!used[i]) return int(i);
  return -1;
}

// Opaque pixels take their nearest palette entry. Readers tell transparent pixels (AND bit over
// black) from inverting ones (AND bit over any other colour) by the entry under the AND bit, so
// transparent pixels need a black entry and inverting ones another: a palette without one lends
// an entry no opaque pixel takes. Without a spare entry the sub-icon cannot be written at this
// depth (nullopt).
std::optional<TIconTable> PlanIconTable(const TIconImage& icon, int fileBits) {
  if (icon.Palette.empty()) throw EVelmoraError("The icon image has no palette.");
  const size_t tableSize = size_t(1) << fileBits;
  TIconTable t;
  t.Colors.assign(tableSize, clBlack);
  const size_t paletteSize = std::min(icon.Palette.size(), tableSize);
  std::copy_n(icon.Palette.begin(), paletteSize, t.Colors.begin());
  TPaletteMapper mapper(t.Colors.data(), int(paletteSize));
  const TSurface& image = icon.Image;
  t.Indices.resize(size_t(image.Width()) * size_t(image.Height()));
  std::vector<bool> used(tableSize, false);
  bool transparent = false, inverting = false;
  for (size_t i = 0; i < t.Indices.size(); ++i) {
    const TPixel p = image.Bits()[i] & 0xFFFFFF;
    transparent |= p == IconTransparentColor;
    inverting |= p == IconInvertColor;
    if (p == IconTransparentColor || p == IconInvertColor) continue;
    t.Indices[i] = uint8_t(mapper.IndexOf(p));
    used[t.Indices[i]] = true;
  }
  // Entries beyond the palette are free from the start: they hold black.
  int black = -1, other = -1;
  for (size_t k = 0; k < tableSize; ++k) {
    if (t.Colors[k] == clBlack && black < 0) black = int(k);
    if (t.Colors[k] != clBlack && (other < 0 || t.Colors[k] == clWhite)) other = int(k);
  }
  if (transparent && black < 0) {
    black = FreeEntry(used);
    if (black < 0) return std::nullopt;
    t.Colors[size_t(black)] = clBlack;
    used[size_t(black)] = true;
  }
  if (inverting && other < 0) {
    other = FreeEntry(used);
    if (other < 0) return std::nullopt;
    t.Colors[size_t(other)] = clWhite;
  }
  for (size_t i = 0; i < t.Indices.size(); ++i) {
    const TPixel p = image.Bits()[i] & 0xFFFFFF;
    if (p == IconTransparentColor) t.Indices[i] = uint8_t(black);
    if (p == IconInvertColor) t.Indices[i] = uint8_t(other);
  }
  return t;
}

// Encodes one image row: the AND bits, then the colours, for 15- to 32-bit sub-icons.
void EncodeDirectRow(const TPixel* src, int w, int fileBits, std::vector<TPixel>& colors,
                     uint8_t* xorRow, uint8_t* andRow) {
  for (int x = 0; x < w; ++x) {
    const TPixel p = src[x] & 0xFFFFFF;
    const bool transparent = p == IconTransparentColor, invert = p == IconInvertColor;
    colors[x] = transparent ? 0 : invert ? 0xFFFFFF : p;
    if (transparent || invert) andRow[x >> 3] |= uint8_t(0x80 >> (x & 7));
  }
  switch (fileBits) {
    case 15:
    case 16:
      Encode555Row(colors.data(), w, xorRow);
      break;
    case 24:
      EncodeBgrRow(colors.data(), w, xorRow);
      break;
    default:
      // Alpha-aware readers take the alpha bytes; others the AND mask, set where alpha is low.
      EncodeBgraRow(colors.data(), w, 0xFF, xorRow);
      for (int x = 0; x < w; ++x) {
        const int alpha = AndBit(andRow, x) ? 0 : AlphaOf(src[x]);
        xorRow[4 * x + 3] = uint8_t(alpha);
        if (alpha < 128) andRow[x >> 3] |= uint8_t(0x80 >> (x & 7));
      }
      break;
  }
}

void EncodeIndexRow(const TPixel* src, const uint8_t* indices, int w, int fileBits, uint8_t* xorRow,
                    uint8_t* andRow) {
  for (int x = 0; x < w; ++x) {
    const TPixel p = src[x] & 0xFFFFFF;
    if (p == IconTransparentColor || p == IconInvertColor)
      andRow[x >> 3] |= uint8_t(0x80 >> (x & 7));
    PutIndex(xorRow, x, fileBits, indices[x]);
  }
}

// Appends one sub-icon's data block: header, colour table, XOR rows and AND rows.
void AppendImageBlock(TBytes& out, const TIconImage& icon, int fileBits,
                      const std::optional<TIconTable>& table) {
  const TSurface& image = icon.Image;
  const int w = image.Width(), h = image.Height();
  const int storedBits = fileBits == 15 ? 16 : fileBits;
  AppendInfoHeader(out, image, storedBits);
  if (table)
    for (TColor c : table->Colors)
      AppendLE32(out,
                 uint32_t(BlueOf(c)) | (uint32_t(GreenOf(c)) << 8) | (uint32_t(RedOf(c)) << 16));
  const size_t xorStride = size_t(DibStride(w, storedBits));
  const size_t andStride = size_t(DibStride(w, 1));
  const size_t xorStart = out.size();
  const size_t andStart = xorStart + xorStride * size_t(h);
  out.resize(andStart + andStride * size_t(h), 0);
  std::vector<TPixel> colors(static_cast<size_t>(w));
  for (int y = 0; y < h; ++y) {  // the bottom row is stored first
    const size_t stored = size_t(h - 1 - y);
    uint8_t* xorRow = out.data() + xorStart + xorStride * stored;
    uint8_t* andRow = out.data() + andStart + andStride * stored;
    if (table)
      EncodeIndexRow(image.Row(y), table->Indices.data() + size_t(y) * size_t(w), w, fileBits,
                     xorRow, andRow);
    else
      EncodeDirectRow(image.Row(y), w, fileBits, colors, xorRow, andRow);
  }
}

void WriteEntry(uint8_t* entry, const TIconImage& icon, int fileBits, size_t offset, size_t bytes) {
  entry[0] = uint8_t(icon.Image.Width());  // 256 is written as 0
  entry[1] = uint8_t(icon.Image.Height());
  entry[2] = uint8_t(fileBits == 1 ? 2 : fileBits == 4 ? 16 : 0);
  entry[3] = 0;
  PutLE16(entry + 4, 1);
  PutLE16(entry + 6, uint32_t(fileBits == 15 ? 16 : fileBits));
  PutLE32(entry + 8, uint32_t(bytes));
  PutLE32(entry + 12, uint32_t(offset));
}

}  // namespace

TBytes WriteIcon(const std::vector<TIconImage>& images) {
  if (images.empty()) throw EVelmoraError("An icon file needs at least one image.");
  if (images.size() > 0xFFFF) throw EVelmoraError("Too many images for an icon file.");
  TBytes out(IconHeaderSize + EntrySize * images.size(), 0);
  PutLE16(out.data() + 2, 1);
  PutLE16(out.data() + 4, uint32_t(images.size()));
  for (size_t i = 0; i < images.size(); ++i) {
    const TIconImage& icon = images[i];
    if (icon.Image.IsEmpty()) throw EVelmoraError("Cannot save an empty icon image.");
    if (icon.Image.Width() > MaxIconWidth)
      throw EVelmoraError("Icon images can be at most 1024 pixels wide.");
    // A palette without room for the entries its transparent or inverting pixels need is
    // written one depth up, where there is room.
    int fileBits = DibFormatBits(icon.BitCount);
    std::optional<TIconTable> table;
    while (fileBits <= 8 && !(table = PlanIconTable(icon, fileBits)))
      fileBits = fileBits == 1 ? 4 : fileBits == 4 ? 8 : 24;
    const size_t offset = out.size();
    if (fileBits == 32 && (icon.Png || icon.Image.Width() >= 256 || icon.Image.Height() >= 256)) {
      // Large 32-bit sub-icons are stored PNG-compressed, as icon files since the 256-pixel
      // size expect, and so are those that came PNG-compressed.
      TSurface pixels = icon.Image;
      for (int y = 0; y < pixels.Height(); ++y)
        for (TPixel *p = pixels.Row(y), *end = p + pixels.Width(); p < end; ++p)
          if ((*p & 0xFFFFFF) == IconTransparentColor || (*p & 0xFFFFFF) == IconInvertColor)
            *p = WithAlpha(0, 0);
      TPngPicture png;
      png.Image = &pixels;
      png.BitCount = 32;
      const TBytes data = WritePngPicture(png);
      out.insert(out.end(), data.begin(), data.end());
    } else {
      AppendImageBlock(out, icon, fileBits, table);
    }
    if (out.size() > UINT32_MAX) throw EVelmoraError("The icon file would be too large.");
    WriteEntry(out.data() + IconHeaderSize + EntrySize * i, icon, fileBits, offset,
               out.size() - offset);
  }
  return out;
}
