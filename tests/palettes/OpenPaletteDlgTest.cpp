#include "palettes/OpenPaletteDlg.h"

#include <gtest/gtest.h>

#include <QTest>

#include "PaletteTestFolder.h"
#include "windows/ScriptedDialogs.h"

namespace {

class OpenPaletteDlgTest : public ::testing::Test {
 protected:
  // Queues a script that works on the dialog while it is shown.
  void Script(std::function<void(TfrmOpenPaletteDlg&)> work) {
    dialogs_.DialogScripts.push_back([work](QDialog& d) {
      auto& dlg = dynamic_cast<TfrmOpenPaletteDlg&>(d);
      work(dlg);
      return dlg.result();
    });
  }
  static void TypeName(TfrmOpenPaletteDlg& dlg, const QString& name) {
    dlg.ePaletteName->clear();
    QTest::keyClicks(dlg.ePaletteName, name);
  }
  static void ClickItem(TfrmOpenPaletteDlg& dlg, const QString& name, bool twice = false) {
    TPaletteFileList* list = dlg.frmStoredPalettes->lbPalettes;
    const auto items = list->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1);
    const QPoint at = list->visualItemRect(items[0]).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    if (twice) QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
  }

  TPaletteTestFolder folder_;
  TScriptedDialogs dialogs_;
};

TEST_F(OpenPaletteDlgTest, SaveWritesNamePlusCountExtension) {
  QString title, extension;
  Script([&](TfrmOpenPaletteDlg& dlg) {
    title = dlg.windowTitle();
    extension = dlg.lblExtension->text();
    EXPECT_EQ(dlg.ePaletteName->text(), "*");  // nothing selected: the pattern's name part
    EXPECT_FALSE(dlg.OKBtn->isEnabled());      // and no file may be called that
    TypeName(dlg, "Warm");
    QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
  });
  EXPECT_TRUE(SavePaletteAs(dialogs_, nullptr, TPaletteTestFolder::Ramp(256)));
  EXPECT_EQ(title, "Save palette");
  EXPECT_EQ(extension, ".plt256");
  const QByteArray bytes = folder_.ReadRaw("Warm.plt256");
  ASSERT_EQ(bytes.size(), 1028);
  EXPECT_EQ(bytes.left(4), QByteArray("\x00\x03\x00\x01", 4));
  EXPECT_TRUE(dialogs_.Shown("question").isEmpty());
}

TEST_F(OpenPaletteDlgTest, SaveOffersEveryFormatAndWritesTheChosenOne) {
  QStringList formats;
  Script([&](TfrmOpenPaletteDlg& dlg) {
    EXPECT_FALSE(dlg.cbFormat->isHidden());
    for (int i = 0; i < dlg.cbFormat->count(); ++i) formats << dlg.cbFormat->itemText(i);
    TypeName(dlg, "Warm");
    dlg.cbFormat->setFocus();
    QTest::keyClick(dlg.cbFormat, Qt::Key_Down);  // GIMP, the entry after the program's own
    EXPECT_EQ(dlg.lblExtension->text(), ".gpl");
    QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
  });
  EXPECT_TRUE(SavePaletteAs(dialogs_, nullptr, TPaletteTestFolder::Ramp(2)));
  EXPECT_EQ(formats,
            (QStringList{"Velmora palette (.plt)", "GIMP palette (.gpl)", "JASC-PAL palette (.pal)",
                         "RIFF palette (.pal)", "Adobe color table (.act)"}));
  EXPECT_EQ(
      folder_.ReadRaw("Warm.gpl"),
      "GIMP Palette\nName: Warm\nColumns: 8\n#\n  0   0   0\tIndex 0\n  1   2   3\tIndex 1\n");

  // The file is listed and opens like the program's own.
  Script([&](TfrmOpenPaletteDlg& dlg) {
    EXPECT_TRUE(dlg.cbFormat->isHidden());
    ClickItem(dlg, "Warm.gpl");
    EXPECT_EQ(dlg.lblExtension->text(), ".gpl");
    QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
  });
  TPaletteRecord pal;
  ASSERT_TRUE(OpenStoredPalette(dialogs_, nullptr, pal));
  EXPECT_EQ(pal, TPaletteTestFolder::Ramp(2));
}

TEST_F(OpenPaletteDlgTest, SaveTakesTheSelectedNameAndAsksBeforeReplacing) {
  folder_.Write("Warm.plt", TPaletteTestFolder::Ramp(7));
  const QByteArray old = folder_.ReadRaw("Warm.plt");
  for (TAnswer answer : {TAnswer::No, TAnswer::Cancel, TAnswer::Yes}) {
    Script([&](TfrmOpenPaletteDlg& dlg) {
      ClickItem(dlg, "Warm.plt");
      EXPECT_EQ(dlg.ePaletteName->text(), "Warm");
      EXPECT_EQ(dlg.lblExtension->text(), ".plt");  // the saved extension stays
      QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
    });
    dialogs_.Answers.push_back(answer);
    TPaletteRecord pal;
    FillDefaultPalette264(pal);
    EXPECT_EQ(SavePaletteAs(dialogs_, nullptr, pal), answer == TAnswer::Yes);
    if (answer != TAnswer::Yes) {
      EXPECT_EQ(folder_.ReadRaw("Warm.plt"), old);
    }
  }
  EXPECT_EQ(folder_.ReadRaw("Warm.plt").size(), 1060);
  const QStringList asked = dialogs_.Shown("question");
  ASSERT_EQ(asked.size(), 3);
  EXPECT_EQ(asked[0], "The palette " + folder_.Path("Warm.plt") +
                          " already exists. Do you want to overwrite it?");
}

TEST_F(OpenPaletteDlgTest, SaveRefusesNamesOutsideTheFolderAndReportsWriteErrors) {
  Script([&](TfrmOpenPaletteDlg& dlg) {
    for (const char* bad : {"", "../evil", "a/b", "x*", "."}) {
      TypeName(dlg, bad);
      EXPECT_FALSE(dlg.OKBtn->isEnabled()) << bad;
    }
    TypeName(dlg, "Fine name");
    EXPECT_TRUE(dlg.OKBtn->isEnabled());
    QTest::mouseClick(dlg.CancelBtn, Qt::LeftButton);
  });
  EXPECT_FALSE(SavePaletteAs(dialogs_, nullptr, TPaletteTestFolder::Ramp(2)));
  EXPECT_TRUE(folder_.ReadRaw("Fine name.plt2").isEmpty());
  // A file where the folder should be: the write fails and says so.
  qputenv(PaletteFolderEnvironmentVariable, QFile::encodeName(folder_.Path("plain")));
  folder_.WriteRaw("plain", "x");
  Script([&](TfrmOpenPaletteDlg& dlg) {
    TypeName(dlg, "Warm");
    QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
  });
  EXPECT_FALSE(SavePaletteAs(dialogs_, nullptr, TPaletteTestFolder::Ramp(2)));
  EXPECT_EQ(dialogs_.Shown("error").size(), 1);
}

TEST_F(OpenPaletteDlgTest, OpenSplitsTheFileNameAtTheFirstDot) {
  folder_.Write("my.warm.plt16", TPaletteTestFolder::Ramp(16));
  folder_.Write("Other.plt2", TPaletteTestFolder::Ramp(2));
  Script([&](TfrmOpenPaletteDlg& dlg) {
    EXPECT_EQ(dlg.windowTitle(), "Open palette");
    EXPECT_FALSE(dlg.ePaletteName->isEnabled());
    EXPECT_EQ(dlg.lblExtension->text(), "");
    EXPECT_EQ(dlg.ChosenExtension, QString(AllPalettesPattern).mid(1));  // the pattern after "*"
    ClickItem(dlg, "my.warm.plt16");
    EXPECT_EQ(dlg.ePaletteName->text(), "my");
    EXPECT_EQ(dlg.ChosenExtension, ".warm.plt16");
    EXPECT_EQ(dlg.lblExtension->text(), ".warm.plt16");
    EXPECT_EQ(dlg.frmStoredPalettes->Palette.Count, 16);
    QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
  });
  TPaletteRecord pal;
  ASSERT_TRUE(OpenStoredPalette(dialogs_, nullptr, pal));
  EXPECT_EQ(pal, TPaletteTestFolder::Ramp(16));
  EXPECT_TRUE(dialogs_.Shown("error").isEmpty());
}

TEST_F(OpenPaletteDlgTest, ANameThatIsNotUtf8OpensItsOwnFile) {
  const QString shown = folder_.WriteLocal("Caf\xe9.plt16", TPaletteTestFolder::Ramp(16));
  Script([&](TfrmOpenPaletteDlg& dlg) {
    // The name shows with a replacement character; the file behind it is still the one read.
    ClickItem(dlg, shown);
    EXPECT_TRUE(SameEntries(dlg.frmStoredPalettes->Palette, TPaletteTestFolder::Ramp(16)));
    QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
  });
  TPaletteRecord pal;
  ASSERT_TRUE(OpenStoredPalette(dialogs_, nullptr, pal));
  EXPECT_EQ(pal, TPaletteTestFolder::Ramp(16));
}

TEST_F(OpenPaletteDlgTest, DoubleClickOpensAndCancelKeepsThePalette) {
  folder_.Write("Other.plt2", TPaletteTestFolder::Ramp(2));
  Script([&](TfrmOpenPaletteDlg& dlg) { ClickItem(dlg, "Other.plt2", true); });
  TPaletteRecord pal;
  ASSERT_TRUE(OpenStoredPalette(dialogs_, nullptr, pal));
  EXPECT_EQ(pal.Count, 2);
  Script([&](TfrmOpenPaletteDlg& dlg) {
    ClickItem(dlg, "Other.plt2");
    QTest::mouseClick(dlg.CancelBtn, Qt::LeftButton);
  });
  TPaletteRecord untouched = TPaletteTestFolder::Ramp(5);
  EXPECT_FALSE(OpenStoredPalette(dialogs_, nullptr, untouched));
  EXPECT_EQ(untouched, TPaletteTestFolder::Ramp(5));
}

TEST_F(OpenPaletteDlgTest, OpeningWithoutAChoiceReportsThePatternNotFound) {
  folder_.Write("Other.plt2", TPaletteTestFolder::Ramp(2));
  Script([&](TfrmOpenPaletteDlg& dlg) { QTest::mouseClick(dlg.OKBtn, Qt::LeftButton); });
  TPaletteRecord pal = TPaletteTestFolder::Ramp(3);
  EXPECT_FALSE(OpenStoredPalette(dialogs_, nullptr, pal));
  EXPECT_EQ(pal, TPaletteTestFolder::Ramp(3));
  EXPECT_EQ(dialogs_.Shown("error"),
            QStringList("Error: palette \"" + folder_.Path(AllPalettesPattern) + "\" not found."));
}

}  // namespace
