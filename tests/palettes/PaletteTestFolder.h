#pragma once
// A private palette folder for a GUI test: the store's environment variable points at it while
// the object lives, so frames and dialogs list only what the test writes there.

#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <string>

#include "model/PaletteStore.h"

class TPaletteTestFolder {
 public:
  TPaletteTestFolder() {
    old_ = qgetenv(PaletteFolderEnvironmentVariable);
    qputenv(PaletteFolderEnvironmentVariable, QFile::encodeName(dir_.path()));
  }
  ~TPaletteTestFolder() { qputenv(PaletteFolderEnvironmentVariable, old_); }

  QString Folder() const { return dir_.path() + "/"; }
  QString Path(const QString& name) const { return Folder() + name; }

  // Stores `pal` as `name` (a full file name with its extension).
  void Write(const QString& name, const TPaletteRecord& pal) const {
    WritePalette(QFile::encodeName(Path(name)).toStdString(), pal,
                 [](const std::string&) { return true; });
  }
  // Stores `pal` under a name given as the file system's bytes (which need not be UTF-8); returns
  // the name as the lists show it.
  QString WriteLocal(const std::string& name, const TPaletteRecord& pal) const {
    WritePalette(QFile::encodeName(Folder()).toStdString() + name, pal,
                 [](const std::string&) { return true; });
    return QFile::decodeName(QByteArray::fromStdString(name));
  }
  void WriteRaw(const QString& name, const QByteArray& bytes) const {
    QFile f(Path(name));
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
  }
  QByteArray ReadRaw(const QString& name) const {
    QFile f(Path(name));
    f.open(QIODevice::ReadOnly);
    return f.readAll();
  }

  // A palette of `count` entries whose entry i is (i, 2i, 3i) modulo 256.
  static TPaletteRecord Ramp(int count) {
    TPaletteRecord pal;
    pal.Count = uint16_t(count);
    for (int i = 0; i < count; ++i) pal.SetColor(i, MakeColor(i, 2 * i, 3 * i));
    return pal;
  }

 private:
  QTemporaryDir dir_;
  QByteArray old_;
};

// Whether two palettes have the same count and the same entries up to it (the rest of a record
// is whatever it held before a file was read into it).
inline ::testing::AssertionResult SameEntries(const TPaletteRecord& a, const TPaletteRecord& b) {
  if (a.Count != b.Count)
    return ::testing::AssertionFailure() << "counts " << a.Count << " and " << b.Count;
  for (int i = 0; i < a.Count; ++i)
    if (!(a.Entries[size_t(i)] == b.Entries[size_t(i)]))
      return ::testing::AssertionFailure() << "entry " << i << " differs";
  return ::testing::AssertionSuccess();
}

// The colour of one pixel of a widget's picture.
inline TColor PixelOf(const QImage& image, int x, int y) {
  const QRgb p = image.pixel(x, y);
  return MakeColor(qRed(p), qGreen(p), qBlue(p));
}
