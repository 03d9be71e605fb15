#include "model/WorkImages.h"

#include "model/FileFormats.h"
#include "model/FileIO.h"
#include "model/GifBuilder.h"
#include "model/GraphUtils.h"
#include "model/ReadBudget.h"
#include "model/codecs/BmpCodec.h"
#include "model/codecs/GifCodec.h"
#include "model/codecs/JpegCodec.h"
#include "model/codecs/PngCodec.h"

namespace {

// A copy of the document with any floating layer merged: files always hold the merged picture
// while the document keeps floating.
template <typename Doc>
std::unique_ptr<Doc> MergedCopy(const Doc& doc) {
  auto copy = std::make_unique<Doc>();
  copy->Assign(doc);
  copy->DropLayer();
  return copy;
}

}  // namespace

// ---- TWorkBitmap ----

std::unique_ptr<TSelectBitmap> TWorkBitmap::Create() const {
  return std::make_unique<TWorkBitmap>();
}

std::string TWorkBitmap::GetColorModes() const {
  return JoinColorModes({1, 4, 8, 16, 24, 32});
}

void TWorkBitmap::Assign(const TSelectBitmap& source) {
  TWorkImage::Assign(source);
  if (auto* bitmap = dynamic_cast<const TWorkBitmap*>(&source))
    HighColorLayout = bitmap->HighColorLayout;
}

void TWorkBitmap::LoadFromFile(const std::string& name) {
  const TReadBudget budget;
  TBytes bytes = ReadFileBytes(name);
  AddBmpFileHeader(bytes);
  const TDecodedPicture picture = HasPngSignature(bytes.data(), bytes.size())
                                      ? DecodePngPicture(bytes.data(), bytes.size())
                                      : ReadBmp(bytes.data(), bytes.size());
  AssignPicture(picture);
  HighColorLayout = picture.ChannelMasks[0] ? picture.ChannelMasks : Rgb555Masks;
  FinishLoading(name);
}

void TWorkBitmap::SaveToFile(const std::string& name) {
  const auto copy = MergedCopy(*this);
  const std::vector<TColor> palette = PaletteColors(copy->GetPalette());
  WriteFileAtomic(
      name, WriteBmp(copy->Image(), copy->GetBitCount(), palette.data(), int(palette.size()),
                     &HighColorLayout));
  TWorkImage::SaveToFile(name);
}

// ---- TWorkJpeg ----

void TWorkJpeg::Assign(const TSelectBitmap& source) {
  TWorkImage::Assign(source);
  if (auto* jpeg = dynamic_cast<const TWorkJpeg*>(&source))
    Quality = jpeg->Quality;
  else if (dynamic_cast<const TWorkImage*>(&source))
    Quality = 90;
}

std::unique_ptr<TSelectBitmap> TWorkJpeg::Create() const {
  return std::make_unique<TWorkJpeg>();
}

std::string TWorkJpeg::GetColorModes() const {
  return ColorModeName(24);
}

void TWorkJpeg::LoadFromFile(const std::string& name) {
  const TReadBudget budget;
  const TBytes bytes = ReadFileBytes(name);
  AssignPicture(HasPngSignature(bytes.data(), bytes.size())
                    ? DecodePngPicture(bytes.data(), bytes.size())
                    : ReadJpeg(bytes.data(), bytes.size()));
  Quality = 90;  // reading never tells the quality a file was written with
  FinishLoading(name);
}

void TWorkJpeg::SaveToFile(const std::string& name) {
  const auto copy = MergedCopy(*this);
  WriteFileAtomic(name, WriteJpeg(copy->Image(), Quality));
  TWorkImage::SaveToFile(name);
}

// ---- TWorkGifImage ----

TWorkGifImage::TWorkGifImage() : compression_(DefaultGifCompression()) {}

void TWorkGifImage::Assign(const TSelectBitmap& source) {
  TWorkImage::Assign(source);
  if (auto* gif = dynamic_cast<const TWorkGifImage*>(&source)) {
    SetComments(gif->Comments());
    interlaced_ = gif->interlaced_;
    compression_ = gif->compression_;
  } else if (dynamic_cast<const TWorkImage*>(&source)) {
    SetComments({});
  }
}

std::unique_ptr<TSelectBitmap> TWorkGifImage::Create() const {
  return std::make_unique<TWorkGifImage>();
}

std::string TWorkGifImage::GetColorModes() const {
  return JoinColorModes({1, 2, 3, 4, 5, 6, 7, 8});
}

void TWorkGifImage::SetCompression(uint8_t value) {
  if (value == compression_) return;
  compression_ = value;
  SetModified(true);
}

void TWorkGifImage::SetInterlaced(bool value) {
  interlaced_ = value;
  SetModified(true);
}

void TWorkGifImage::SetComments(const std::vector<std::string>& lines) {
  if (lines == comments_) return;
  comments_ = lines;
  SetModified(true);
}

void TWorkGifImage::LoadFromFile(const std::string& name) {
  const TReadBudget budget;
  const TBytes bytes = ReadFileBytes(name);
  TGifPictureExtras extras;
  AssignPicture(DecodeGifPicture(bytes.data(), bytes.size(), &extras));
  SetInterlaced(extras.Interlaced);
  comments_ = extras.Comments;
  FinishLoading(name);
}

void TWorkGifImage::SaveToFile(const std::string& name) {
  const auto copy = MergedCopy(*this);
  WriteFileAtomic(name, EncodeGifPicture(*copy, comments_, interlaced_, compression_));
  TWorkImage::SaveToFile(name);
}

// ---- TWorkPng ----

std::unique_ptr<TSelectBitmap> TWorkPng::Create() const { return std::make_unique<TWorkPng>(); }

std::string TWorkPng::GetColorModes() const { return JoinColorModes({1, 4, 8, 24, 32}); }

void TWorkPng::LoadFromFile(const std::string& name) {
  const TReadBudget budget;
  const TBytes bytes = ReadFileBytes(name);
  AssignPicture(ReadPngPicture(bytes.data(), bytes.size()));
  FinishLoading(name);
}

void TWorkPng::SaveToFile(const std::string& name) {
  const auto copy = MergedCopy(*this);
  TPngPicture png;
  png.Image = &copy->Image();
  png.BitCount = copy->GetBitCount();
  if (png.BitCount <= 8) png.Palette = PaletteColors(copy->GetPalette());
  if (png.BitCount != 32 && copy->GetTransparent()) png.Key = copy->GetTransparentColor();
  WriteFileAtomic(name, WritePngPicture(png));
  TWorkImage::SaveToFile(name);
}
