#include "model/Document.h"

#include "model/Errors.h"
#include "model/FileIO.h"
#include "model/Groups.h"
#include "model/ReadBudget.h"
#include "model/WorkImages.h"
#include "model/GifBuilder.h"

const std::vector<TDocumentFormat>& DocumentFormats() {
  static const std::vector<TDocumentFormat> formats = {
      {".bmp", TDocumentKind::Bitmap, TDocumentKind::Bitmap},
      {".jpg", TDocumentKind::Jpeg, TDocumentKind::Jpeg},
      {".jpeg", TDocumentKind::Jpeg, TDocumentKind::Jpeg},
      {".gif", TDocumentKind::GifImage, TDocumentKind::GifAnimation},
      {".ico", TDocumentKind::Icon, TDocumentKind::Icon},
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

bool IsMultiImageFile(const std::string& path) {
  if (LowerExtension(path) != ".gif") return false;
  const TReadBudget budget;  // counting the images decodes them all
  const TBytes bytes = ReadFileBytes(path);
  return GifImageCount(bytes.data(), bytes.size()) > 1;
}

TDocument OpenDocument(const std::string& path) {
  TDocument doc = CreateDocumentForFile(path, IsMultiImageFile(path));
  doc.LoadFromFile(path);
  return doc;
}
