#include "model/codecs/BmpCodec.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <optional>
#include <vector>

#include "model/Errors.h"
#include "model/codecs/BmpRle.h"
#include "model/codecs/CodecBytes.h"
#include "model/codecs/DibRows.h"
#include "model/codecs/JpegCodec.h"
#include "model/codecs/PngCodec.h"

namespace {

constexpr uint32_t BiRgb = 0, BiRle8 = 1, BiRle4 = 2, BiBitfields = 3, BiJpeg = 4, BiPng = 5,
                   BiAlphaBitfields = 6;
constexpr size_t FileHeaderSize = 14;
constexpr uint32_t ResolutionPerMetre = 2835;  // 72 dots per inch
// A run-length coded picture larger than this must bring at least one byte of data per
// MaxRlePixelsPerByte pixels. Real encoders write far more (a plain run covers at most 255
// pixels per two bytes); without the rule a file of a hundred bytes could demand a gigabyte.
constexpr int64_t FreeRlePixels = int64_t(1) << 22;
constexpr int64_t MaxRlePixelsPerByte = 1024;

[[noreturn]] void Truncated() {
  throw EVelmoraError("The BMP file is truncated.");
}

struct TBmpInfo {
  uint32_t HeaderSize = 0;
  int64_t Width = 0;
  int64_t Height = 0;  // always positive; TopDown tells the row order
  bool TopDown = false;
  int Bits = 0;
  uint32_t Compression = BiRgb;
  uint32_t ColorsUsed = 0;
  uint32_t SizeImage = 0;
  uint32_t Masks[3] = {0, 0, 0};
  uint32_t AlphaMask = 0;  // 16- and 32-bit images whose header names an alpha channel
  size_t PaletteOffset = 0;  // first palette entry (after any masks that follow the header)
  int PaletteEntrySize = 4;
  uint32_t DataOffset = 0;
};

// Reads the masks of BI_BITFIELDS images, inside the larger headers or right after a 40-byte one.
void ReadMasks(const uint8_t* data, size_t size, TBmpInfo& info) {
  const size_t start = FileHeaderSize + 40;
  const size_t count = info.Compression == BiAlphaBitfields ? 4 : 3;
  if (info.HeaderSize < 40 + 4 * count) {
    if (start + 4 * count > size) Truncated();
    info.PaletteOffset = start + 4 * count;
  }
  for (int i = 0; i < 3; ++i) info.Masks[i] = GetLE32(data + start + 4 * i);
  // The alpha mask follows the colour masks in BI_ALPHABITFIELDS files and in the 56-byte,
  // V4 and V5 headers (the 64-byte OS/2 header has other fields there).
  const bool hasAlpha = info.Compression == BiAlphaBitfields || info.HeaderSize == 56 ||
                        info.HeaderSize >= 108;
  if (hasAlpha && info.Bits == 32) info.AlphaMask = GetLE32(data + start + 12);
  if (hasAlpha && info.Bits == 16) info.AlphaMask = GetLE32(data + start + 12) & 0xFFFF;
}

void CheckFormat(const TBmpInfo& info) {
  if (info.Width <= 0 || info.Height <= 0 || info.Height > INT32_MAX)
    throw EVelmoraError("The BMP file has an invalid image size.");
  static constexpr int validBits[] = {1, 2, 4, 8, 16, 24, 32};
  const bool embedded = info.Compression == BiJpeg || info.Compression == BiPng;
  if (!embedded &&
      std::find(std::begin(validBits), std::end(validBits), info.Bits) == std::end(validBits))
    throw EVelmoraError("Unsupported BMP format.");
  const bool fits = (info.Compression == BiRgb) || (info.Compression == BiRle8 && info.Bits == 8) ||
                    (info.Compression == BiRle4 && info.Bits == 4) ||
                    ((info.Compression == BiBitfields || info.Compression == BiAlphaBitfields) &&
                     (info.Bits == 16 || info.Bits == 32)) ||
                    (embedded && info.Bits == 0 && info.HeaderSize >= 40);
  if (!fits) throw EVelmoraError("Unsupported BMP compression.");
}

TBmpInfo ReadInfo(const uint8_t* data, size_t size) {
  if (size < 2 || data[0] != 'B' || data[1] != 'M') throw EVelmoraError("Not a BMP file.");
  if (size < FileHeaderSize + 4) Truncated();
  TBmpInfo info;
  info.HeaderSize = GetLE32(data + FileHeaderSize);
  if (info.HeaderSize < 12 || (info.HeaderSize > 12 && info.HeaderSize < 16))
    throw EVelmoraError("Unsupported BMP header.");
  if (info.HeaderSize > size - FileHeaderSize) Truncated();
  const uint8_t* h = data + FileHeaderSize;
  info.PaletteOffset = FileHeaderSize + info.HeaderSize;
  if (info.HeaderSize == 12) {  // OS/2 core header: 16-bit sizes, palette of RGB triples
    info.Width = GetLE16(h + 4);
    info.Height = GetLE16(h + 6);
    info.Bits = GetLE16(h + 10);
    info.PaletteEntrySize = 3;
  } else {
    // Later headers share their first fields; fields past a short header count as zero.
    uint8_t fields[40] = {};
    std::copy_n(h, std::min<size_t>(info.HeaderSize, sizeof fields), fields);
    info.Width = GetLE32Signed(fields + 4);
    const int32_t height = GetLE32Signed(fields + 8);
    info.TopDown = height < 0;
    info.Height = info.TopDown ? -int64_t(height) : height;
    info.Bits = GetLE16(fields + 14);
    info.Compression = GetLE32(fields + 16);
    info.SizeImage = GetLE32(fields + 20);
    info.ColorsUsed = GetLE32(fields + 32);
  }
  CheckFormat(info);
  if (info.Compression == BiBitfields || info.Compression == BiAlphaBitfields)
    ReadMasks(data, size, info);
  info.DataOffset = GetLE32(data + 10);
  return info;
}

// The palette entries present in the file: the colours used or 2^bits, as far as the file holds.
std::vector<TColor> ReadPalette(const uint8_t* data, size_t size, TBmpInfo& info) {
  std::vector<TColor> palette;
  if (info.Bits > 8 || info.Bits == 0) return palette;
  const size_t full = size_t(1) << info.Bits;
  size_t count = info.ColorsUsed > 0 && info.ColorsUsed < full ? info.ColorsUsed : full;
  size_t end = size;
  if (info.DataOffset >= info.PaletteOffset + info.PaletteEntrySize && info.DataOffset <= size)
    end = info.DataOffset;  // some writers shorten the table; the pixel data begins there
  if (end <= info.PaletteOffset) return palette;
  count = std::min(count, (end - info.PaletteOffset) / info.PaletteEntrySize);
  const uint8_t* p = data + info.PaletteOffset;
  for (size_t i = 0; i < count; ++i, p += info.PaletteEntrySize)
    palette.push_back(MakeColor(p[2], p[1], p[0]));
  return palette;
}

// A missing or impossible data offset is taken to mean "right after the palette".
void SettleDataOffset(TBmpInfo& info, size_t paletteSize, uint64_t fileSize) {
  const size_t paletteEnd = info.PaletteOffset + paletteSize * info.PaletteEntrySize;
  if (info.DataOffset < info.PaletteOffset) info.DataOffset = uint32_t(paletteEnd);
  if (info.DataOffset >= fileSize) Truncated();
}

// Bytes of pixel data from the data offset on; the last row may lack its padding.
int64_t PixelBytesNeeded(const TBmpInfo& info) {
  return DibStride(info.Width, info.Bits) * (info.Height - 1) + (info.Width * info.Bits + 7) / 8;
}

TDibRowDecoder MakeDecoder(const TBmpInfo& info, const std::vector<TColor>& palette) {
  if (info.Bits <= 8)
    return TDibRowDecoder::Indexed(info.Bits, palette.data(), int(palette.size()));
  if (info.Bits == 24) return TDibRowDecoder::Bgr24();
  if (info.Compression == BiBitfields || info.Compression == BiAlphaBitfields)
    return TDibRowDecoder::Masked(info.Bits, info.Masks[0], info.Masks[1], info.Masks[2],
                                  info.AlphaMask);
  if (info.Bits == 16) return TDibRowDecoder::Masked(16, 0x7C00, 0x03E0, 0x001F);
  return TDibRowDecoder::Masked(32, 0xFF0000, 0xFF00, 0xFF);
}

TSurface DecodeRows(const uint8_t* data, size_t size, const TBmpInfo& info,
                    const TDibRowDecoder& decoder) {
  const int64_t stride = DibStride(info.Width, info.Bits);
  if (int64_t(info.DataOffset) + PixelBytesNeeded(info) > int64_t(size)) Truncated();
  TSurface image(int(info.Width), int(info.Height));
  const uint8_t* row = data + info.DataOffset;
  for (int64_t r = 0; r < info.Height; ++r, row += stride) {
    const int y = int(info.TopDown ? r : info.Height - 1 - r);
    decoder.DecodeRow(row, image.Width(), image.Row(y));
  }
  return image;
}

// Whether a picture decoded with alpha keeps it. Many writers name an alpha channel and leave it
// 0 everywhere; such files are meant opaque, as browsers show them, and so are files whose
// alpha is full everywhere. Clears the alpha of pictures that do not keep it.
bool SettleAlpha(TSurface& image) {
  bool anyNotOpaque = false, anyVisible = false;
  for (int y = 0; y < image.Height() && !(anyNotOpaque && anyVisible); ++y)
    for (const TPixel *p = image.Row(y), *e = p + image.Width(); p < e; ++p) {
      anyNotOpaque |= IsTranslucent(*p);
      anyVisible |= AlphaOf(*p) != 0;
    }
  if (anyNotOpaque && anyVisible) return true;
  for (int y = 0; y < image.Height(); ++y)
    for (TPixel *p = image.Row(y), *e = p + image.Width(); p < e; ++p) *p &= 0xFFFFFF;
  return false;
}

TDecodedPicture ReadEmbedded(const uint8_t* data, size_t size, const TBmpInfo& info) {
  size_t length = size - info.DataOffset;
  if (info.SizeImage > 0 && info.SizeImage < length) length = info.SizeImage;
  const uint8_t* start = data + info.DataOffset;
  TDecodedPicture picture;
  if (info.Compression == BiJpeg) {
    picture = ReadJpeg(start, length);
  } else {
    const TRgbaImage png = ReadPng(start, length);
    picture.Image = TSurface(png.Width, png.Height);
    const uint8_t* p = png.Rgba.data();
    for (int y = 0; y < png.Height; ++y)
      for (TPixel *d = picture.Image.Row(y), *e = d + png.Width; d < e; ++d, p += 4)
        *d = TPixel(p[2]) | (TPixel(p[1]) << 8) | (TPixel(p[0]) << 16);
  }
  picture.Kind = TPictureKind::Bitmap;
  picture.BitCount = 24;
  picture.Palette.clear();
  return picture;
}

}  // namespace

TDecodedPicture ReadBmp(const uint8_t* data, size_t size) {
  TBmpInfo info = ReadInfo(data, size);
  std::vector<TColor> palette = ReadPalette(data, size, info);
  SettleDataOffset(info, palette.size(), size);
  if (info.Compression == BiJpeg || info.Compression == BiPng)
    return ReadEmbedded(data, size, info);

  CheckSurfaceSize(info.Width, info.Height);
  const TDibRowDecoder decoder = MakeDecoder(info, palette);
  TDecodedPicture picture;
  picture.Kind = TPictureKind::Bitmap;
  bool alpha = false;
  if (info.Compression == BiRle8 || info.Compression == BiRle4) {
    const int64_t pixels = info.Width * info.Height;
    if (pixels > FreeRlePixels && pixels / MaxRlePixelsPerByte > int64_t(size - info.DataOffset))
      throw EVelmoraError("The BMP file is damaged.");
    picture.Image = TSurface(int(info.Width), int(info.Height), decoder.IndexColor(0));
    DecodeRle(data + info.DataOffset, size - info.DataOffset, info.Bits, decoder, info.TopDown,
              picture.Image);
  } else {
    picture.Image = DecodeRows(data, size, info, decoder);
    alpha = info.AlphaMask != 0 && SettleAlpha(picture.Image);
  }
  picture.BitCount = uint8_t(info.Bits == 2 ? 24 : info.Bits);
  // A 16-bit picture whose alpha is used opens as 32 bits, the depth that keeps alpha, so that
  // no pixel changes its look.
  if (alpha) picture.BitCount = 32;
  if (picture.BitCount <= 8) picture.Palette = std::move(palette);
  if (picture.BitCount == 16) {
    const bool named = info.Compression == BiBitfields || info.Compression == BiAlphaBitfields;
    picture.ChannelMasks = named ? std::array<uint32_t, 3>{info.Masks[0], info.Masks[1], info.Masks[2]}
                                 : Rgb555Masks;
  }
  return picture;
}

std::optional<TPictureHeader> ReadBmpHeader(const uint8_t* data, size_t size,
                                            uint64_t fileSize) {
  TBmpInfo info = ReadInfo(data, size);
  if (info.Compression != BiRgb && info.Compression != BiBitfields &&
      info.Compression != BiAlphaBitfields)
    return std::nullopt;  // run-length coded or embedded: the corner needs the whole picture
  // A 16-bit picture with an alpha mask opens as 32 bits if any pixel uses it.
  if (info.Bits == 16 && info.AlphaMask != 0) return std::nullopt;
  std::vector<TColor> palette = ReadPalette(data, size, info);
  // The same checks as reading the whole file, against the file's size.
  SettleDataOffset(info, palette.size(), fileSize);
  CheckSurfaceSize(info.Width, info.Height);
  if (int64_t(info.DataOffset) + PixelBytesNeeded(info) > int64_t(fileSize)) Truncated();
  // The bottom row comes first in the file unless the rows run top-down.
  const int64_t corner =
      info.DataOffset + (info.TopDown ? DibStride(info.Width, info.Bits) * (info.Height - 1) : 0);
  if (corner + 4 > int64_t(size)) return std::nullopt;
  TPixel pixel = 0;
  MakeDecoder(info, palette).DecodeRow(data + corner, 1, &pixel);
  TPictureHeader header;
  header.Kind = TPictureKind::Bitmap;
  header.Width = int(info.Width);
  header.Height = int(info.Height);
  header.BitCount = uint8_t(info.Bits == 2 ? 24 : info.Bits);
  if (header.BitCount <= 8) header.Palette = std::move(palette);
  header.CornerColor = PixelToColor(pixel);
  return header;
}

namespace {

// A 16-bit layout written as it is: three contiguous masks that do not overlap within 16 bits.
bool IsWritableLayout(const std::array<uint32_t, 3>& m) {
  uint32_t all = 0;
  for (uint32_t mask : m) {
    if (mask == 0 || mask > 0xFFFF || (all & mask)) return false;
    const uint32_t low = mask >> std::countr_zero(mask);
    if ((low & (low + 1)) != 0) return false;  // not contiguous
    all |= mask;
  }
  return true;
}

constexpr uint32_t V5HeaderSize = 124;
constexpr uint32_t LcsSrgb = 0x73524742;  // 'sRGB'
constexpr uint32_t LcsGmImages = 4;        // rendering intent: perceptual

// 32-bit pictures with alpha take the V5 header, which names the alpha channel; readers ignore
// the fourth byte of plain 32-bit bitmaps.
void WriteV5Fields(TBytes& out) {
  for (uint32_t mask : {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u}) AppendLE32(out, mask);
  AppendLE32(out, LcsSrgb);
  out.insert(out.end(), 36 + 12, 0);  // endpoints and gamma: unused with sRGB
  AppendLE32(out, LcsGmImages);
  AppendLE32(out, 0);  // profile data
  AppendLE32(out, 0);  // profile size
  AppendLE32(out, 0);  // reserved
}

void WriteHeaders(TBytes& out, const TSurface& image, int fileBits, int tableSize,
                  uint32_t pixelBytes, const std::array<uint32_t, 3>& layout, bool alpha) {
  const bool masks = (fileBits == 15 || fileBits == 16) && layout != Rgb555Masks;
  const uint32_t headerSize = alpha ? V5HeaderSize : 40;
  const uint32_t offBits =
      uint32_t(FileHeaderSize + headerSize + (masks ? 12 : 0) + 4 * tableSize);
  out.reserve(offBits + pixelBytes);
  out.push_back('B');
  out.push_back('M');
  AppendLE32(out, offBits + pixelBytes);
  AppendLE32(out, 0);
  AppendLE32(out, offBits);
  AppendLE32(out, headerSize);
  AppendLE32(out, uint32_t(image.Width()));
  AppendLE32(out, uint32_t(image.Height()));  // positive: rows stored bottom-up
  AppendLE16(out, 1);
  AppendLE16(out, fileBits == 15 ? 16 : uint32_t(fileBits));
  AppendLE32(out, masks || alpha ? BiBitfields : BiRgb);
  AppendLE32(out, pixelBytes);
  AppendLE32(out, ResolutionPerMetre);
  AppendLE32(out, ResolutionPerMetre);
  AppendLE32(out, uint32_t(tableSize));
  AppendLE32(out, 0);
  if (masks)
    for (uint32_t mask : layout) AppendLE32(out, mask);
  if (alpha) WriteV5Fields(out);
}

void EncodeRow(const TPixel* src, int width, int fileBits, TPaletteMapper* mapper,
               const std::array<uint32_t, 3>& layout, bool alpha, uint8_t* dst) {
  switch (fileBits) {
    case 15:
    case 16:
      EncodeMasked16Row(src, width, layout, dst);
      break;
    case 24:
      EncodeBgrRow(src, width, dst);
      break;
    case 32:
      if (alpha)
        EncodeBgraAlphaRow(src, width, dst);
      else
        EncodeBgraRow(src, width, 0xFF, dst);
      break;
    default:
      EncodeIndexedRow(src, width, fileBits, *mapper, dst);
      break;
  }
}

}  // namespace

TBytes WriteBmp(const TSurface& image, int bitCount, const TColor* palette, int paletteCount,
                const std::array<uint32_t, 3>* layout) {
  if (image.IsEmpty()) throw EVelmoraError("Cannot save an empty image.");
  const int fileBits = DibFormatBits(bitCount);
  const int tableSize = fileBits <= 8 ? 1 << fileBits : 0;
  if (tableSize > 0 && (palette == nullptr || paletteCount < 1))
    throw EVelmoraError("The image has no palette.");
  const int64_t stride = DibStride(image.Width(), fileBits == 15 ? 16 : fileBits);
  const int64_t pixelBytes = stride * image.Height();
  if (pixelBytes > INT32_MAX) throw EVelmoraError("The image is too large for a BMP file.");

  std::array<uint32_t, 3> masks = fileBits == 15 ? Rgb555Masks : Rgb565Masks;
  if (layout && IsWritableLayout(*layout)) masks = *layout;
  const bool alpha = fileBits == 32 && AnyTranslucent(image);
  TBytes out;
  WriteHeaders(out, image, fileBits, tableSize, uint32_t(pixelBytes), masks, alpha);
  const int used = std::min(paletteCount, tableSize);
  for (int i = 0; i < tableSize; ++i) {
    const TColor c = i < used ? palette[i] : clBlack;
    const uint8_t entry[4] = {uint8_t(BlueOf(c)), uint8_t(GreenOf(c)), uint8_t(RedOf(c)), 0};
    out.insert(out.end(), entry, entry + 4);
  }
  std::optional<TPaletteMapper> mapper;
  if (tableSize > 0) mapper.emplace(palette, used);
  const size_t rowsStart = out.size();
  out.resize(rowsStart + size_t(pixelBytes), 0);
  for (int y = 0; y < image.Height(); ++y) {
    uint8_t* dst = out.data() + rowsStart + size_t(stride) * (image.Height() - 1 - y);
    EncodeRow(image.Row(y), image.Width(), fileBits, mapper ? &*mapper : nullptr, masks, alpha,
              dst);
  }
  return out;
}
