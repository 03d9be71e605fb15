#pragma once
// Reads a picture file into a new document, as the editor opens it: the class follows from the
// extension (and, for GIF files, from how many images the file holds), with the wait cursor shown
// while the file is read. Throws EVelmoraError when the file cannot be read.

#include <QString>
#include <functional>

#include "model/Document.h"

TDocument ReadDocumentFile(const QString& path);

// How the open command reads a file; tests replace it with a scripted reader.
using TDocumentReader = std::function<TDocument(const QString& path)>;
