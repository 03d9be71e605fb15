#include "documents/files/DocumentReader.h"

#include <QFile>

#include "documents/WaitCursor.h"

TDocument ReadDocumentFile(const QString& path) {
  const std::string file = QFile::encodeName(path).toStdString();
  bool multi = false;
  {
    TWaitCursor wait;
    multi = IsMultiImageFile(file);
  }
  TDocument document = CreateDocumentForFile(file, multi);
  {
    TWaitCursor wait;
    document.LoadFromFile(file);
  }
  return document;
}
