#include "documents/files/DocumentReader.h"

#include <QFile>

#include "documents/WaitCursor.h"

TDocument ReadDocumentFile(const QString& path) {
  const std::string file = QFile::encodeName(path).toStdString();
  TDocument document;
  {
    TWaitCursor wait;
    document = CreateDocumentToOpen(file);
  }
  {
    TWaitCursor wait;
    document.LoadFromFile(file);
  }
  return document;
}
