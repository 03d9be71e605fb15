#include "documents/NewImageForm.h"

#include <gtest/gtest.h>

#include <QTest>

#include "palettes/PaletteTestFolder.h"
#include "windows/ScriptedDialogs.h"

namespace {

class NewImageFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TPaletteRecord pal;
    for (int bits : {1, 4, 8}) {
      FillDefaultPalette(pal, bits);
      folder_.Write(QString::fromStdString(PaletteFileName("Default", 1 << bits)), pal);
    }
    folder_.Write("Anna.plt16", TPaletteTestFolder::Ramp(16));
    folder_.Write("Warm.plt256", TPaletteTestFolder::Ramp(256));
    FillDefaultPalette264(pal);
    folder_.Write("Default.plt", pal);
  }
  // Shows the form through the scripted dialogs, runs `work` on it and returns the result.
  int Show(TNewImageForm& form, std::function<void()> work) {
    dialogs_.DialogScripts.push_back([&form, work](QDialog&) {
      work();
      return form.result();
    });
    return dialogs_.Exec(form);
  }
  static void Click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton); }
  // Radio buttons take clicks on their circle and caption, at the left end.
  static void Click(QRadioButton* r) {
    QTest::mouseClick(r, Qt::LeftButton, {}, QPoint(8, r->height() / 2));
  }
  static void ChooseMode(TNewImageForm& f, const QString& text) {
    const int index = f.cbColorMode->findText(text);
    ASSERT_GE(index, 0) << text.toStdString();
    f.cbColorMode->setCurrentIndex(index);
  }
  static QString Pattern(TNewImageForm& f) { return f.ChoiceFrame->lbPalettes->Pattern(); }
  static QString Selected(TNewImageForm& f) { return f.ChoiceFrame->lbPalettes->SelectedFile(); }

  TPaletteTestFolder folder_;
  TScriptedDialogs dialogs_;
};

TEST_F(NewImageFormTest, StartsAsASmallBitmapInTheDeepestMode) {
  TNewImageForm f;
  EXPECT_EQ(f.windowTitle(), "New image");
  EXPECT_EQ(f.TypeNumber(), 0);
  EXPECT_TRUE(f.tbBitmap->Down());
  EXPECT_EQ(f.tbGIFAnimation->Caption(), " &Animated GIF (*.gif)");
  EXPECT_EQ(f.ImageWidth(), 16);
  EXPECT_EQ(f.ImageHeight(), 16);
  EXPECT_TRUE(f.rbSmall->isChecked());
  EXPECT_FALSE(f.pCustom->isVisibleTo(&f));
  EXPECT_EQ(f.cbColorMode->count(), 6);
  EXPECT_EQ(f.ColorModeText(), "32 bit (True color)");
  EXPECT_EQ(f.Bits(), 32);
  EXPECT_EQ(f.eXSize->value(), 24);
  EXPECT_EQ(f.eYSize->maximum(), TNewImageForm::MaxImageSize);
  int result = Show(f, [&] {
    EXPECT_EQ(Pattern(f), "*.plt");
    EXPECT_EQ(Selected(f), "Default.plt");
    EXPECT_TRUE(f.OKBtn->isEnabled());
    Click(f.OKBtn);
  });
  EXPECT_EQ(result, QDialog::Accepted);
  EXPECT_EQ(f.ChosenPalette().Count, 264);
}

TEST_F(NewImageFormTest, ModeIsKeptAcrossTypesWhenOfferedElseTheDeepest) {
  TNewImageForm f;
  ChooseMode(f, "24 bit (True color)");
  Click(f.tbGIFImage);
  EXPECT_EQ(f.TypeNumber(), 2);
  EXPECT_TRUE(f.tbGIFImage->Down());
  EXPECT_FALSE(f.tbBitmap->Down());
  EXPECT_EQ(f.cbColorMode->count(), 8);
  EXPECT_EQ(f.ColorModeText(), "8 bit (256colors)");
  EXPECT_EQ(Pattern(f), "*.plt256");
  EXPECT_EQ(Selected(f), "Default.plt256");
  Click(f.tbBitmap);
  EXPECT_EQ(f.TypeNumber(), 0);
  EXPECT_EQ(f.Bits(), 8);
  Click(f.tbIcon);
  EXPECT_EQ(f.TypeNumber(), 5);
  EXPECT_EQ(f.Bits(), 8);
  EXPECT_EQ(f.cbColorMode->count(), 6);
  Click(f.tbGIFAnimation);
  EXPECT_EQ(f.TypeNumber(), 3);
}

TEST_F(NewImageFormTest, JpegOffersOneModeAndUnnumberedPalettes) {
  TNewImageForm f;
  Click(f.tbJPEG);
  EXPECT_EQ(f.TypeNumber(), 1);
  ASSERT_EQ(f.cbColorMode->count(), 1);
  EXPECT_EQ(f.ColorModeText(), "24 bit (True color)");
  EXPECT_EQ(Pattern(f), "*.plt");
  EXPECT_EQ(f.ChoiceFrame->lbPalettes->FileNames(), QStringList("Default.plt"));
}

TEST_F(NewImageFormTest, PaletteChoiceFollowsTheModeWithDefaultFirst) {
  TNewImageForm f;
  Click(f.tbGIFImage);
  ChooseMode(f, "4 bit (16colors)");
  EXPECT_EQ(Pattern(f), "*.plt16");
  EXPECT_EQ(f.ChoiceFrame->lbPalettes->FileNames(), QStringList({"Anna.plt16", "Default.plt16"}));
  EXPECT_EQ(Selected(f), "Default.plt16");
  TPaletteRecord expected;
  FillDefaultPalette(expected, 4);
  EXPECT_TRUE(SameEntries(f.ChosenPalette(), expected));
  QFile::remove(folder_.Path("Default.plt16"));
  Show(f, [&] {
    EXPECT_EQ(Selected(f), "Anna.plt16");  // no Default: the first file
    EXPECT_TRUE(SameEntries(f.ChosenPalette(), TPaletteTestFolder::Ramp(16)));
    Click(f.OKBtn);
  });
}

TEST_F(NewImageFormTest, NoMatchingPaletteKeepsOkDisabled) {
  TNewImageForm f;
  Click(f.tbGIFImage);
  ChooseMode(f, "2 bit (4colors)");
  EXPECT_EQ(Pattern(f), "*.plt4");
  EXPECT_EQ(f.ChoiceFrame->lbPalettes->count(), 0);
  const int result = Show(f, [&] {
    EXPECT_FALSE(f.OKBtn->isEnabled());
    Click(f.OKBtn);
    QTest::keyClick(&f, Qt::Key_Return);
  });
  EXPECT_NE(result, QDialog::Accepted);
  ChooseMode(f, "1 bit (2colors)");
  EXPECT_TRUE(f.OKBtn->isEnabled());
}

TEST_F(NewImageFormTest, SizesFromRadioButtonsAndCustomFields) {
  TNewImageForm f;
  Show(f, [&] {
    Click(f.rbCustom);
    EXPECT_TRUE(f.pCustom->isVisible());
    EXPECT_EQ(f.ImageWidth(), 24);
    f.eXSize->selectAll();
    QTest::keyClicks(f.eXSize, "100");
    f.eYSize->selectAll();
    QTest::keyClicks(f.eYSize, "20");
    EXPECT_EQ(f.ImageWidth(), 100);
    EXPECT_EQ(f.ImageHeight(), 20);
    Click(f.rbMiddle);
    EXPECT_FALSE(f.pCustom->isVisible());
    EXPECT_EQ(f.ImageWidth(), 32);
    EXPECT_EQ(f.ImageHeight(), 32);
    f.eXSize->setValue(50);  // hidden fields no longer decide
    EXPECT_EQ(f.ImageWidth(), 32);
    Click(f.rbLarge);
    EXPECT_EQ(f.ImageHeight(), 64);
    Click(f.rbCustom);
    EXPECT_EQ(f.ImageWidth(), 50);
    EXPECT_EQ(f.ImageHeight(), 20);
    f.eXSize->selectAll();
    QTest::keyClicks(f.eXSize, "99999");
    EXPECT_LE(f.ImageWidth(), TNewImageForm::MaxImageSize);
    Click(f.CancelBtn);
  });
}

TEST_F(NewImageFormTest, KeepsItsChoicesBetweenUses) {
  TNewImageForm f;
  Show(f, [&] {
    Click(f.tbIcon);
    ChooseMode(f, "4 bit (16colors)");
    f.ChoiceFrame->lbPalettes->SelectFile("Anna.plt16");
    Click(f.rbLarge);
    Click(f.OKBtn);
  });
  EXPECT_TRUE(SameEntries(f.ChosenPalette(), TPaletteTestFolder::Ramp(16)));
  Show(f, [&] {
    EXPECT_EQ(f.TypeNumber(), 5);
    EXPECT_TRUE(f.tbIcon->Down());
    EXPECT_EQ(f.Bits(), 4);
    EXPECT_TRUE(f.rbLarge->isChecked());
    EXPECT_EQ(Selected(f), "Default.plt16");  // the palette is chosen afresh
    Click(f.CancelBtn);
  });
}

TEST_F(NewImageFormTest, SubIconVariantIsAnIconWithoutTypeChoice) {
  TNewImageForm f(nullptr, true);
  EXPECT_EQ(f.windowTitle(), "New sub icon");
  EXPECT_EQ(f.TypeNumber(), 5);
  EXPECT_FALSE(f.gbImageType->isVisibleTo(&f));
  EXPECT_EQ(f.gbColorMode->height(), 177);
  EXPECT_EQ(f.gbSize->height(), 177);
  EXPECT_EQ(f.cbColorMode->count(), 6);
  EXPECT_EQ(f.ColorModeText(), "32 bit (True color)");
  Show(f, [&] {
    EXPECT_LT(f.gbColorMode->y(), f.gbSize->y());
    Click(f.OKBtn);
  });
}

TEST(NewImageFormModes, EachTypeAsksItsDocumentClass) {
  EXPECT_EQ(ColorModesOfType(0).size(), 6);
  EXPECT_EQ(ColorModesOfType(1), QStringList("24 bit (True color)"));
  EXPECT_EQ(ColorModesOfType(2).first(), "1 bit (2colors)");
  EXPECT_EQ(ColorModesOfType(3).size(), 8);
  EXPECT_EQ(ColorModesOfType(5).last(), "32 bit (True color)");
  EXPECT_EQ(ColorModesOfType(6).join(", "),
            "1 bit (2colors), 4 bit (16colors), 8 bit (256colors), 24 bit (True color), "
            "32 bit (True color)");
}

}  // namespace
