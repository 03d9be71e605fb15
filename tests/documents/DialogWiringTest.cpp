// "&New" and the colour swatches run the real dialogs through the dialog seam.

#include <QTest>

#include "documents/DocWinFixture.h"
#include "documents/NewImageForm.h"
#include "palettes/ColorChoiceDlg.h"

namespace {

// The script presses the dialog's own buttons, as a user would.
int PressOk(QDialog& dialog, QAbstractButton* ok) {
  QTest::mouseClick(ok, Qt::LeftButton);
  return dialog.result();
}

}  // namespace

TEST_F(DocWinTest, NewRunsTheNewImageDialogAndCreatesTheChosenDocument) {
  auto form = Start();
  dialogs_.DialogScripts.push_back([](QDialog& dialog) {
    auto& f = static_cast<TNewImageForm&>(dialog);
    QTest::mouseClick(f.tbGIFImage, Qt::LeftButton);
    QTest::mouseClick(f.rbMiddle, Qt::LeftButton);
    return PressOk(f, f.OKBtn);
  });
  Trigger(*form, "NewImageAct");
  ASSERT_NE(form->Editor().Session().CurrentImage(), nullptr);
  EXPECT_EQ(form->Editor().Session().CurrentImage()->ClassName(), "TWorkGifImage");
  EXPECT_EQ(form->Editor().Session().CurrentImage()->Width(), 32);
  EXPECT_EQ(form->Editor().Session().CurrentImage()->GetBitCount(), 8);
  EXPECT_EQ(form->windowTitle(), "Velmora: Noname1.gif");
  EXPECT_TRUE(form->Editor().Session().CurrentImage()->IsModified());

  dialogs_.DialogScripts.push_back([](QDialog& dialog) { return int(QDialog::Rejected); });
  Trigger(*form, "NewImageAct");
  EXPECT_EQ(form->OpenDocumentCount(), 1);
}

TEST_F(DocWinTest, SwatchClicksChooseFromThePaletteDialog) {
  auto form = Start();
  form->Files().OpenFile(MakeBitmap("w.bmp", 4, 4, 24));
  dialogs_.DialogScripts.push_back([](QDialog& dialog) {
    auto& choice = static_cast<TfrmColorChoice&>(dialog);
    choice.SetChosenColor(MakeColor(10, 20, 30));
    return int(QDialog::Accepted);
  });
  form->Editor().Colors().LeftColPanelClick();
  EXPECT_EQ(form->Editor().Session().CurrentImage()->GetLeftColor(), MakeColor(10, 20, 30));
  dialogs_.DialogScripts.push_back([](QDialog&) { return int(QDialog::Rejected); });
  form->Editor().Colors().RightColPanelClick();
  EXPECT_EQ(form->Editor().Session().CurrentImage()->GetRightColor(), clWhite);
}
