#include "model/Document.h"

#include "model/Errors.h"
#include "model/FileFormats.h"
#include "model/FileIO.h"
#include "model/Groups.h"
#include "model/WorkImages.h"
#include "model/GifBuilder.h"

const std::vector<TDocumentFormat>& DocumentFormats() {
  static const std::vector<TDocumentFormat> formats = {
      {".bmp", TDocumentKind::Bitmap, TDocumentKind::Bitmap},
      {".jpg", TDocumentKind::Jpeg, TDocumentKind::Jpeg},
      {".jpeg", TDocumentKind::Jpeg, TDocumentKind::Jpeg},
      {".gif", TDocumentKind::GifImage, TDocumentKind::GifAnimation},
      {".ico", TDocumentKind::Icon, TDocumentKind::Icon},
      {".png", TDocumentKind::Png, TDocumentKind::Png},
  };
  return formats;
}

std::string TDocument::ClassName() const {
  if (Group) return Group->ClassName();
  return Image ? Image->ClassName() : "";
}

std::string TDocument::FileName() const {
  if (Group) return Group->FileName;
  return Image ? Image->GetFileName() : "";
}

bool TDocument::IsModified() const {
  if (Group) return Group->IsModified();
  return Image && Image->IsModified();
}

void TDocument::LoadFromFile(const std::string& name) {
  if (Group)
    Group->LoadFromFile(name);
  else if (Image)
    Image->LoadFromFile(name);
}

void TDocument::SaveToFile(const std::string& name) {
  if (Group)
    Group->SaveToFile(name);
  else if (Image)
    Image->SaveToFile(name);
}

TDocument CreateDocument(TDocumentKind kind) {
  TDocument doc;
  switch (kind) {
    case TDocumentKind::Bitmap: doc.Image = std::make_unique<TWorkBitmap>(); break;
    case TDocumentKind::Jpeg: doc.Image = std::make_unique<TWorkJpeg>(); break;
    case TDocumentKind::GifImage: doc.Image = std::make_unique<TWorkGifImage>(); break;
    case TDocumentKind::GifAnimation: doc.Group = std::make_unique<TGifImageGroup>(); break;
    case TDocumentKind::Icon: doc.Group = std::make_unique<TIconGroup>(); break;
    case TDocumentKind::ImageList: doc.Group = std::make_unique<TImageListGroup>(); break;
    case TDocumentKind::Png: doc.Image = std::make_unique<TWorkPng>(); break;
  }
  return doc;
}

TDocument CreateDocumentForFile(const std::string& path, bool multi) {
  const std::string ext = LowerExtension(path);
  for (const TDocumentFormat& f : DocumentFormats()) {
    if (ext != f.Extension) continue;
    TDocument doc = CreateDocument(multi ? f.Multi : f.Single);
    if (doc.Group)
      doc.Group->FileName = path;
    else
      doc.Image->SetFileName(path);
    return doc;
  }
  throw EVelmoraError("Unknown extension type");
}

namespace {

TDocumentKind KindOf(TFileFormat format, bool multi) {
  switch (format) {
    case TFileFormat::Gif: return multi ? TDocumentKind::GifAnimation : TDocumentKind::GifImage;
    case TFileFormat::Ico: return TDocumentKind::Icon;
    case TFileFormat::Jpeg: return TDocumentKind::Jpeg;
    case TFileFormat::Png: return TDocumentKind::Png;
    default: return TDocumentKind::Bitmap;
  }
}

}  // namespace

TDocument CreateDocumentToOpen(const std::string& path) {
  const TBytes bytes = ReadFileBytes(path);
  const TFileFormat content = SniffFileFormat(bytes.data(), bytes.size());
  const TFileFormat named = FormatOfExtension(LowerExtension(path));
  const bool multi =
      content == TFileFormat::Gif && GifImageCount(bytes.data(), bytes.size()) > 1;
  TFileFormat format = content;
  if (content == TFileFormat::Unknown) {
    // The reader of the named format says what is wrong with it.
    format = named;
  } else if (content == TFileFormat::Png) {
    // A PNG named as a bitmap, JPEG or icon opens in that class, which saves it in its own
    // format; any other name opens it as a PNG picture.
    const bool other =
        named == TFileFormat::Bmp || named == TFileFormat::Jpeg || named == TFileFormat::Ico;
    format = other ? named : TFileFormat::Png;
  }
  if (format == TFileFormat::Unknown) return CreateDocumentForFile(path, multi);
  TDocument doc = CreateDocument(KindOf(format, multi));
  if (doc.Group)
    doc.Group->FileName = path;
  else
    doc.Image->SetFileName(path);
  return doc;
}

TDocument OpenDocument(const std::string& path) {
  TDocument doc = CreateDocumentToOpen(path);
  doc.LoadFromFile(path);
  return doc;
}
