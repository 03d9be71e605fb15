#include "palettes/ColorChoiceDlg.h"

#include <gtest/gtest.h>

#include <QTest>

#include "PaletteTestFolder.h"
#include "windows/ScriptedDialogs.h"

namespace {

class ColorChoiceDlgTest : public ::testing::Test {
 protected:
  void Script(std::function<void(TfrmColorChoice&)> work) {
    dialogs_.DialogScripts.push_back([work](QDialog& d) {
      auto& dlg = dynamic_cast<TfrmColorChoice&>(d);
      work(dlg);
      return dlg.result();
    });
  }
  static void ClickCell(TfrmColorChoice& dlg, int index) {
    const int cols = dlg.ColorGrid->ColCount();
    QTest::mouseClick(dlg.ColorGrid->viewport(), Qt::LeftButton, {},
                      dlg.ColorGrid->CellRect(index % cols, index / cols).center());
  }

  TScriptedDialogs dialogs_;
};

TEST_F(ColorChoiceDlgTest, FourBitPaletteShowsTwoColumnsAndOnlyPaletteColours) {
  TPaletteRecord pal;
  FillDefaultPalette(pal, 4);
  Script([](TfrmColorChoice& dlg) {
    EXPECT_EQ(dlg.windowTitle(), "Choice color");
    EXPECT_EQ(dlg.ColorGrid->ColCount(), 2);
    EXPECT_EQ(dlg.ColorGrid->RowCount(), 8);
    EXPECT_FALSE(dlg.btnMore->isEnabled());
    ClickCell(dlg, 12);  // red
    QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
  });
  EXPECT_EQ(PickPaletteColor(dialogs_, nullptr, pal, clBlack, false), MakeColor(255, 0, 0));
}

TEST_F(ColorChoiceDlgTest, InitialColourOutsideThePaletteIsReturnedUnchanged) {
  TPaletteRecord pal;
  FillDefaultPalette(pal, 1);
  const TColor initial = MakeColor(12, 34, 56);
  Script([&](TfrmColorChoice& dlg) {
    EXPECT_EQ(dlg.pnlColor->Color(), QColor(12, 34, 56));
    EXPECT_EQ(dlg.lblRGBL->text(), "12, 34, 56");
    EXPECT_EQ(dlg.lblHTMLL->text(), "#0C2238");
    // No cell is outlined: entry 0 is not what the dialog holds.
    const QImage image = dlg.ColorGrid->viewport()->grab().toImage();
    EXPECT_EQ(PixelOf(image, 0, 0), clBlack);
    QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
  });
  EXPECT_EQ(PickPaletteColor(dialogs_, nullptr, pal, initial, false), initial);
}

TEST_F(ColorChoiceDlgTest, CancelReturnsNothing) {
  TPaletteRecord pal;
  FillDefaultPalette(pal, 4);
  Script([](TfrmColorChoice& dlg) {
    ClickCell(dlg, 3);
    QTest::mouseClick(dlg.CancelBtn, Qt::LeftButton);
  });
  EXPECT_EQ(PickPaletteColor(dialogs_, nullptr, pal, clWhite, true), std::nullopt);
  EXPECT_EQ(PickPaletteColor(dialogs_, nullptr, pal, clWhite, true), std::nullopt);  // closed
}

TEST_F(ColorChoiceDlgTest, SelectedCellShowsItsRgbAndHtmlText) {
  TPaletteRecord pal;
  FillDefaultPalette264(pal);  // entry 129 is orange (255, 128, 0)
  ASSERT_EQ(pal.Color(129), MakeColor(255, 128, 0));
  Script([](TfrmColorChoice& dlg) {
    EXPECT_EQ(dlg.ColorGrid->ColCount(), 8);
    EXPECT_EQ(dlg.ColorGrid->RowCount(), 33);
    ClickCell(dlg, 129);
    EXPECT_EQ(dlg.lblRGBL->text(), "255, 128, 0");
    EXPECT_EQ(dlg.lblHTMLL->text(), "#FF8000");
    const QImage image = dlg.ColorGrid->viewport()->grab().toImage();
    const QRect cell = dlg.ColorGrid->CellRect(1, 16);
    EXPECT_EQ(PixelOf(image, cell.left(), cell.top()), MakeColor(0, 0, 255));
    QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
  });
  EXPECT_EQ(PickPaletteColor(dialogs_, nullptr, pal, clWhite, true), MakeColor(255, 128, 0));
}

TEST_F(ColorChoiceDlgTest, TheCurrentCellAndTheColourPickerCanBeChosen) {
  TPaletteRecord pal;
  FillDefaultPalette(pal, 2);
  Script([](TfrmColorChoice& dlg) {
    ClickCell(dlg, 0);  // already the current cell: still chosen
    EXPECT_EQ(dlg.ChosenColor, clBlack);
    QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
  });
  EXPECT_EQ(PickPaletteColor(dialogs_, nullptr, pal, MakeColor(9, 9, 9), false), clBlack);
  dialogs_.Colors.push_back(QColor(1, 2, 3));
  Script([](TfrmColorChoice& dlg) {
    QTest::mouseClick(dlg.btnMore, Qt::LeftButton);
    EXPECT_EQ(dlg.lblHTMLL->text(), "#010203");
    QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
  });
  EXPECT_EQ(PickPaletteColor(dialogs_, nullptr, pal, clBlack, true), MakeColor(1, 2, 3));
  EXPECT_EQ(dialogs_.Shown("color"), QStringList("#000000"));
}

TEST_F(ColorChoiceDlgTest, CellsPastTheEndOfThePaletteHoldNoColour) {
  TPaletteRecord pal = TPaletteTestFolder::Ramp(17);  // 4 x 5: three cells past the end
  Script([](TfrmColorChoice& dlg) {
    ClickCell(dlg, 16);
    ClickCell(dlg, 18);
    EXPECT_EQ(dlg.ChosenColor, MakeColor(16, 32, 48));
    QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
  });
  EXPECT_EQ(PickPaletteColor(dialogs_, nullptr, pal, clWhite, false), MakeColor(16, 32, 48));
  pal.Count = 1000;  // a wild count shows the record's 264 entries and no more
  Script([](TfrmColorChoice& dlg) {
    EXPECT_EQ(dlg.ColorGrid->RowCount(), 33);
    ClickCell(dlg, 263);
    QTest::mouseClick(dlg.OKBtn, Qt::LeftButton);
  });
  EXPECT_EQ(PickPaletteColor(dialogs_, nullptr, pal, clWhite, false), clBlack);
}

}  // namespace
