#include "windows/PicturePreview.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QAbstractItemView>
#include <QCompleter>
#include <QFileDialog>
#include <QLineEdit>
#include <QTest>
#include <QTemporaryDir>
#include <QTimer>

#include "model/Groups.h"
#include "model/WorkImages.h"
#include "windows/Dialogs.h"

namespace {

QString WriteBitmap(const QTemporaryDir& dir, const QString& name, int w, int h) {
  TWorkBitmap bmp;
  bmp.InitImage(w, h, nullptr, 4);
  bmp.EditImage().Fill(ColorToPixel(bmp.GetPalette().Color(9)));
  bmp.SaveToFile(QFile::encodeName(dir.filePath(name)).toStdString());
  return dir.filePath(name);
}

TEST(PicturePreview, ShowsWhatTheEditorWouldOpen) {
  QTemporaryDir dir;
  TPicturePreview preview;
  preview.ShowFile(WriteBitmap(dir, "a.bmp", 10, 5));
  EXPECT_EQ(preview.Caption->text(), "10 x 5, 4 bit");
  // Small pictures are enlarged by a whole factor: 16 times here.
  EXPECT_EQ(preview.Picture->pixmap().size(), QSize(160, 80));
  TPaletteRecord palette;
  FillDefaultPalette(palette, 4);
  const TColor c = palette.Color(9);
  EXPECT_EQ(preview.Picture->pixmap().toImage().pixelColor(3, 3),
            QColor(RedOf(c), GreenOf(c), BlueOf(c)));
  TGifImageGroup gif;
  gif.SetBitCount(2);
  FillDefaultPalette(gif.Palette, 2);
  gif.AddFrame();
  gif.AddFrame();
  gif.SetWidth(400);
  gif.SetHeight(100);
  gif.SaveToFile(QFile::encodeName(dir.filePath("b.gif")).toStdString());
  preview.ShowFile(dir.filePath("b.gif"));
  EXPECT_EQ(preview.Caption->text(), "400 x 100, 2 bit\n2 images");
  EXPECT_EQ(preview.Picture->pixmap().size(), QSize(160, 40));
  // Files the editor cannot read say why; folders show nothing.
  QFile(dir.filePath("c.tif")).open(QIODevice::WriteOnly);
  preview.ShowFile(dir.filePath("c.tif"));
  EXPECT_EQ(preview.Caption->text(), "Unknown extension type");
  QFile(dir.filePath("c.png")).open(QIODevice::WriteOnly);
  preview.ShowFile(dir.filePath("c.png"));
  EXPECT_EQ(preview.Caption->text(), "Not a PNG image.");
  EXPECT_TRUE(preview.Picture->pixmap().isNull());
  preview.ShowFile(dir.path());
  EXPECT_EQ(preview.Caption->text(), "");
}

TEST(PicturePreview, TheOpenDialogShowsThePictureOfTheChosenFile) {
  QTemporaryDir dir;
  const QString path = WriteBitmap(dir, "pic.bmp", 7, 3);
  QString caption;
  bool found = false;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    auto* preview = dialog->findChild<TPicturePreview*>();
    found = preview != nullptr;
    dialog->selectFile(path);
    if (preview) {
      QTest::qWaitFor([&] { return !preview->Caption->text().isEmpty(); }, 2000);
      caption = preview->Caption->text();
    }
    dialog->reject();
  });
  TQtDialogs dialogs;
  TFileDialogRequest request;
  request.Title = "Open image";
  request.Filter = "Bitmaps (*.bmp)|*.bmp";
  request.InitialDir = dir.path();
  request.Preview = true;
  EXPECT_FALSE(dialogs.OpenFiles(nullptr, request).has_value());
  EXPECT_TRUE(found);
  EXPECT_EQ(caption, "7 x 3, 4 bit");
}

TEST(PicturePreview, ReadsTheFileOnlyOnceTheChoiceRests) {
  QTemporaryDir dir;
  const QString a = WriteBitmap(dir, "a.bmp", 10, 5), b = WriteBitmap(dir, "b.bmp", 3, 4);
  TPicturePreview preview;
  preview.ShowFile(a);
  preview.ShowFileSoon(b);
  EXPECT_EQ(preview.Caption->text(), "");  // the old picture goes at once, the new one waits
  preview.ShowFileSoon(a);
  preview.ShowFileSoon(b);
  EXPECT_TRUE(preview.Picture->pixmap().isNull());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !preview.Caption->text().isEmpty(); }, 2000));
  EXPECT_EQ(preview.Caption->text(), "3 x 4, 4 bit");
}

TEST(OpenDialog, AFullPathTypedWithEnterOpensThatFile) {
  QTemporaryDir dir, other;
  const QString path = WriteBitmap(other, "typed.bmp", 2, 2);
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (!dialog) return;
    auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
    if (!edit) return dialog->reject();
    edit->setFocus();
    QTest::keyClicks(edit, path);  // the completer pops up on the way
    QTest::keyClick(edit->completer() && edit->completer()->popup()->isVisible()
                        ? static_cast<QWidget*>(edit->completer()->popup())
                        : edit,
                    Qt::Key_Return);
    // Had the dialog stayed open, end it so the test fails instead of hanging.
    QTimer::singleShot(500, dialog, [dialog] { dialog->reject(); });
  });
  TQtDialogs dialogs;
  TFileDialogRequest request;
  request.Title = "Open image";
  request.Filter = "Bitmaps (*.bmp)|*.bmp";
  request.InitialDir = dir.path();
  request.MultiSelect = true;
  request.Preview = true;
  const std::optional<TFileDialogResult> result = dialogs.OpenFiles(nullptr, request);
  ASSERT_TRUE(result.has_value());
  EXPECT_EQ(result->Files, QStringList{path});
}

}  // namespace
