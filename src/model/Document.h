#pragma once
// An open document, a single image or a multi-frame group, and the one table that ties file
// extensions to document classes. Which class a file opens as follows from its content (and, for
// GIF files, from how many images it holds); each class always writes its own format.

#include <memory>
#include <string>
#include <vector>

#include "model/ImageGroup.h"
#include "model/WorkImage.h"

enum class TDocumentKind : uint8_t { Bitmap, Jpeg, GifImage, GifAnimation, Icon, ImageList, Png };

struct TDocumentFormat {
  const char* Extension;        // lower case, with its dot
  TDocumentKind Single;         // the class of a file holding one image
  TDocumentKind Multi;          // the class of a file holding several images
};

// Every extension the program reads and writes, in one place.
const std::vector<TDocumentFormat>& DocumentFormats();

struct TDocument {
  std::unique_ptr<TWorkImage> Image;   // a single image, or
  std::unique_ptr<TImageGroup> Group;  // a multi-frame document

  bool IsGroup() const { return Group != nullptr; }
  std::string ClassName() const;
  std::string FileName() const;
  bool IsModified() const;
  void LoadFromFile(const std::string& name);
  void SaveToFile(const std::string& name);
};

TDocument CreateDocument(TDocumentKind kind);
// The document class for a path's extension; `multi` picks the group class of GIF files.
// Fails with "Unknown extension type" for other extensions.
TDocument CreateDocumentForFile(const std::string& path, bool multi);
// The document class a file opens as: by its first bytes when they name a format (a GIF holding
// several images opens as an animation; a PNG in the class its .bmp, .jpg or .ico extension
// names, otherwise as a PNG picture), by its extension when they name none. Reading never depends on the
// extension; saving still writes the format of the class.
TDocument CreateDocumentToOpen(const std::string& path);
// Opens a file as the editor does: CreateDocumentToOpen, then loaded.
TDocument OpenDocument(const std::string& path);
