#pragma once
// A shown main window with the real navigator on its own settings file, scripted dialogs, and
// picture files written by the model's own writers into a temporary folder.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <memory>

#include "documents/ActionList.h"
#include "documents/ImageBrowseFrm.h"
#include "documents/MainForm.h"
#include "documents/MainFormFixture.h"
#include "model/Clipboard.h"
#include "model/Groups.h"
#include "model/SelectBitmap.h"
#include "model/WorkImages.h"
#include "windows/ScriptedDialogs.h"

// Readable failure messages for texts.
inline void PrintTo(const QString& text, std::ostream* os) {
  *os << '"' << text.toStdString() << '"';
}

class DocWinTest : public ::testing::Test {
 protected:
  // Runs a command as the user would: its state is brought up to date first, as the idle pass
  // does before any click or key.
  static void Trigger(TMainForm& form, const char* name) {
    form.UpdateActions();
    form.Act(name).trigger();
  }

  // The main window, shown at a fixed size, with its layout settled.
  std::unique_ptr<TMainForm> Start(QStringList arguments = {}) {
    TMainFormContext context;
    context.SettingsPath = dir_.filePath("Velmora.ini");
    context.Dialogs = &dialogs_;
    context.Clipboard = &clipboard_;
    context.Arguments = std::move(arguments);
    auto form = std::make_unique<TMainForm>(std::move(context));
    form->setGeometry(50, 50, 1000, 720);
    form->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    Settle();
    return form;
  }

  // Lets layouts, resizes and posted events run.
  static void Settle() {
    for (int i = 0; i < 4; ++i) {
      QApplication::processEvents();
      QApplication::sendPostedEvents();
    }
  }

  QString FilePath(const QString& name) const { return dir_.filePath(name); }
  static std::string Local(const QString& path) { return QFile::encodeName(path).toStdString(); }

  // A bitmap whose pixel (x, y) has the colour `paint(x, y)`.
  template <typename Doc = TWorkBitmap, typename Paint>
  QString MakeImage(const QString& name, int w, int h, int bits, Paint paint) {
    Doc doc;
    doc.InitImage(w, h, nullptr, bits);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        doc.EditImage().SetPixel(x, y, ColorToPixel(doc.NearestColor(paint(x, y))));
    doc.SaveToFile(Local(FilePath(name)));
    return FilePath(name);
  }

  QString MakeBitmap(const QString& name, int w, int h, int bits = 24, TColor c = clWhite) {
    return MakeImage(name, w, h, bits, [c](int, int) { return c; });
  }

  // An animation of `frames` w x h frames on the default 16-colour palette, frame i filled with
  // palette entry 9 + i (modulo 6).
  QString MakeAnimation(const QString& name, int frames, int w = 8, int h = 8) {
    TGifImageGroup g;
    g.SetBitCount(4);
    FillDefaultPalette(g.Palette, 4);
    for (int i = 0; i < frames; ++i) g.AddFrame();
    g.SetWidth(w);
    g.SetHeight(h);
    for (int i = 0; i < frames; ++i)
      g.GetFrame(i)->EditImage().Fill(ColorToPixel(g.Palette.Color(9 + i % 6)));
    g.SaveToFile(Local(FilePath(name)));
    return FilePath(name);
  }

  // An icon with sub-icons of the given sizes and depths.
  QString MakeIcon(const QString& name, std::vector<std::pair<int, int>> sizesAndBits) {
    TIconGroup icon;
    for (const auto& [size, bits] : sizesAndBits) {
      TWorkFrame* f = icon.AddFrame();
      f->InitImage(size, size, nullptr, bits);
      f->EditImage().Fill(ColorToPixel(f->GetPalette().Color(2)));
      f->EditImage().SetPixel(0, 0, ColorToPixel(IconTransparentColor));
    }
    icon.SaveToFile(Local(FilePath(name)));
    return FilePath(name);
  }

  QTreeWidgetItem* Node(TMainForm& form, int top, int child = -1) {
    QTreeWidgetItem* node = form.Navigator->PicTree->topLevelItem(top);
    return child < 0 || !node ? node : node->child(child);
  }

  QStringList NodeTexts(TMainForm& form) {
    QStringList texts;
    for (QTreeWidgetItem* node : form.Navigator->AllNodes()) texts << node->text(0);
    return texts;
  }

  QTemporaryDir dir_;
  TScriptedDialogs dialogs_;
  TMemoryClipboard clipboard_;
};
