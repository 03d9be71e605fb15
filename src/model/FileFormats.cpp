#include "model/FileFormats.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <unordered_set>

#include "model/Colors.h"
#include "model/codecs/CodecBytes.h"
#include "model/codecs/PngCodec.h"

namespace {

// An icon or cursor directory: reserved 0, a resource type of 1 or 2, at least one entry, and a
// first entry whose data starts inside the file after the directory.
bool LooksLikeIcon(const uint8_t* data, size_t size) {
  if (size < 22 || GetLE16(data) != 0) return false;
  const uint16_t type = GetLE16(data + 2), count = GetLE16(data + 4);
  if ((type != 1 && type != 2) || count == 0) return false;
  const uint64_t offset = GetLE32(data + 6 + 12);
  return offset >= 6 + 16 * uint64_t(count) && offset < size;
}

// A device-independent bitmap without the BMP file header, as the clipboard holds them: a known
// header size, one plane, a known depth and a size.
bool LooksLikeDib(const uint8_t* data, size_t size) {
  if (size < 16) return false;
  const uint32_t header = GetLE32(data);
  if (header == 12) return GetLE16(data + 8) == 1 && GetLE16(data + 10) <= 32;
  static constexpr uint32_t kSizes[] = {40, 52, 56, 64, 108, 124};
  if (std::find(std::begin(kSizes), std::end(kSizes), header) == std::end(kSizes) || size < 40)
    return false;
  const uint16_t bits = GetLE16(data + 14);
  return GetLE32Signed(data + 4) > 0 && GetLE32Signed(data + 8) != 0 && GetLE16(data + 12) == 1 &&
         (bits == 1 || bits == 4 || bits == 8 || bits == 16 || bits == 24 || bits == 32);
}

}  // namespace

void AddBmpFileHeader(TBytes& bytes) {
  if (!LooksLikeDib(bytes.data(), bytes.size())) return;
  // A data offset of 0 makes the reader take the pixels to start right after the palette.
  TBytes header = {'B', 'M'};
  AppendLE32(header, uint32_t(std::min<size_t>(bytes.size() + 14, UINT32_MAX)));
  AppendLE32(header, 0);
  AppendLE32(header, 0);
  bytes.insert(bytes.begin(), header.begin(), header.end());
}

TFileFormat SniffFileFormat(const uint8_t* data, size_t size) {
  if (size >= 2 && data[0] == 'B' && data[1] == 'M') return TFileFormat::Bmp;
  if (LooksLikeDib(data, size)) return TFileFormat::Bmp;
  if (size >= 6 && (std::memcmp(data, "GIF87a", 6) == 0 || std::memcmp(data, "GIF89a", 6) == 0))
    return TFileFormat::Gif;
  if (size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF) return TFileFormat::Jpeg;
  if (HasPngSignature(data, size)) return TFileFormat::Png;
  if (LooksLikeIcon(data, size)) return TFileFormat::Ico;
  return TFileFormat::Unknown;
}

TFileFormat FormatOfExtension(const std::string& extension) {
  if (extension == ".bmp") return TFileFormat::Bmp;
  if (extension == ".gif") return TFileFormat::Gif;
  if (extension == ".ico") return TFileFormat::Ico;
  if (extension == ".jpg" || extension == ".jpeg") return TFileFormat::Jpeg;
  if (extension == ".png") return TFileFormat::Png;
  return TFileFormat::Unknown;
}

TDecodedPicture DecodePngPicture(const uint8_t* data, size_t size) {
  const TRgbaImage png = ReadPng(data, size);
  TDecodedPicture picture;
  picture.Image = TSurface(png.Width, png.Height);
  std::unordered_set<TPixel> opaque;
  const size_t n = size_t(png.Width) * size_t(png.Height);
  const uint8_t* p = png.Rgba.data();
  for (size_t i = 0; i < n; ++i, p += 4)
    if (p[3] >= 128) opaque.insert(TPixel(p[2]) | (TPixel(p[1]) << 8) | (TPixel(p[0]) << 16));
  TColor key = IconTransparentColor;
  while (opaque.count(ColorToPixel(key))) key = (key + 1) & 0xFFFFFF;
  p = png.Rgba.data();
  TPixel* out = picture.Image.Bits();
  for (size_t i = 0; i < n; ++i, p += 4) {
    const bool clear = p[3] < 128;
    picture.Transparent |= clear;
    out[i] = clear ? ColorToPixel(key) : TPixel(p[2]) | (TPixel(p[1]) << 8) | (TPixel(p[0]) << 16);
  }
  picture.TransparentColor = key;
  return picture;
}
