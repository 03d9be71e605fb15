#include "model/PictureFacts.h"

#include "model/Errors.h"
#include "model/FileIO.h"
#include "model/codecs/BmpCodec.h"
#include "model/codecs/JpegCodec.h"

namespace {

// Enough for the headers, the palette and the first rows of any common bitmap.
constexpr size_t BitmapStart = 64 * 1024;

std::optional<TPictureHeader> ProbeBitmap(const std::string& path) {
  uint64_t fileSize = 0;
  const TBytes start = ReadFileStart(path, BitmapStart, &fileSize);
  if (start.size() < 2 || start[0] != 'B' || start[1] != 'M') return std::nullopt;
  try {
    return ReadBmpHeader(start.data(), start.size(), fileSize);
  } catch (const EVelmoraError&) {
    // Headers reaching past the part read: the whole file gives the verdict.
    if (start.size() < fileSize) return std::nullopt;
    throw;
  }
}

std::optional<TPictureHeader> ProbeJpeg(const std::string& path) {
  const TBytes bytes = ReadFileBytes(path);
  if (bytes.size() < 3 || bytes[0] != 0xFF || bytes[1] != 0xD8 || bytes[2] != 0xFF)
    return std::nullopt;
  return ReadJpegHeader(bytes.data(), bytes.size());
}

}  // namespace

TPictureFacts FactsOf(const TSelectBitmap& image) {
  return {image.Width(),           image.Height(),          image.GetBitCount(),
          image.GetPalette().Count, image.GetTransparent(), image.GetTransparentColor(),
          image.UsesAlpha()};
}

std::optional<TPictureFacts> ProbePictureFile(const std::string& path) {
  const std::string ext = LowerExtension(path);
  std::optional<TPictureHeader> header;
  if (ext == ".bmp")
    header = ProbeBitmap(path);
  else if (ext == ".jpg" || ext == ".jpeg")
    header = ProbeJpeg(path);
  // Whether a 32-bit picture uses alpha depends on every pixel.
  if (!header || header->BitCount == 32) return std::nullopt;
  // A one-pixel picture of the corner colour goes through the same steps as an opened picture,
  // so depth, palette and transparent colour come out as they would.
  TDecodedPicture corner;
  corner.Kind = header->Kind;
  corner.BitCount = header->BitCount;
  corner.Palette = header->Palette;
  corner.Image = TSurface(1, 1, ColorToPixel(header->CornerColor));
  TSelectBitmap stand;
  stand.AssignPicture(corner);
  TPictureFacts facts = FactsOf(stand);
  facts.Width = header->Width;
  facts.Height = header->Height;
  return facts;
}
