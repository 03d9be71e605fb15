// The keyboard: the picker cursor while Ctrl is held, tool shortcuts, and Esc leaving the text
// tool with its text merged.

#include "controls/Pictures.h"
#include "editor/ToolFixture.h"
#include "editor/ToolWindows.h"

namespace {

// A text pad whose text is one red pixel at the layer's top-left corner.
class TFakeTextPad : public ITextPad {
 public:
  explicit TFakeTextPad(TMainForm& form) : form_(form) {}
  void Show() override { Shown = true; }
  void Hide() override { Shown = false; }
  void TextPadChange() override {
    TSelectBitmap& copy = *form_.WorkingCopy;
    copy.ClearSelection();
    copy.ClearLayer();
    copy.EditLayer()->SetPixel(0, 0, ColorToPixel(Red));
    copy.EditMask().SetSelected(0, 0, true);
  }
  bool Shown = false;

 private:
  TMainForm& form_;
};

class KeyboardTest : public ToolTest {
 protected:
  std::unique_ptr<TMainForm> Active(std::unique_ptr<TMainForm> form) {
    form->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
    return form;
  }
};

TEST_F(KeyboardTest, CtrlShowsThePickerAndBringsBackTheToolsCursor) {
  auto form = Active(OpenWhite());
  QTest::keyClick(form.get(), Qt::Key_P, Qt::ControlModifier);
  ASSERT_TRUE(form->PencilBtn->Down());
  EXPECT_EQ(form->ZoomCursor(), Pictures::crPen);
  QTest::keyPress(form.get(), Qt::Key_Control);
  EXPECT_EQ(form->ZoomCursor(), Pictures::crPick);
  EXPECT_EQ(form->SavedCursor, Pictures::crPen);
  QTest::keyPress(form.get(), Qt::Key_Control);  // auto-repeat changes nothing
  EXPECT_EQ(form->SavedCursor, Pictures::crPen);
  QTest::keyRelease(form.get(), Qt::Key_Control);
  EXPECT_EQ(form->ZoomCursor(), Pictures::crPen);
  EXPECT_EQ(form->SavedCursor, TMainForm::NoSavedCursor);
  // A tool chosen while Ctrl is held keeps its own cursor after the release.
  QTest::keyPress(form.get(), Qt::Key_Control);
  QTest::keyClick(form.get(), Qt::Key_F, Qt::ControlModifier);
  EXPECT_TRUE(form->FillBtn->Down());
  QTest::keyRelease(form.get(), Qt::Key_Control);
  EXPECT_EQ(form->ZoomCursor(), Pictures::crFill);
  EXPECT_EQ(form->ZoomBox->cursor().shape(), Qt::BitmapCursor);
}

TEST_F(KeyboardTest, WithoutAnImageCtrlLeavesTheCursor) {
  auto form = Active(Start());
  QTest::keyPress(form.get(), Qt::Key_Control);
  EXPECT_EQ(form->ZoomCursor(), Pictures::crSelect);
  EXPECT_EQ(form->SavedCursor, TMainForm::NoSavedCursor);
  QTest::keyRelease(form.get(), Qt::Key_Control);
}

TEST_F(KeyboardTest, ToolShortcutsPressTheirButtons) {
  auto form = Active(OpenWhite());
  const std::tuple<Qt::Key, Qt::KeyboardModifiers, TAdvSpeedButton*, int> table[] = {
      {Qt::Key_W, Qt::ControlModifier, form->WandBtn, Pictures::crWand},
      {Qt::Key_L, Qt::ControlModifier, form->LineBtn, Pictures::crCross},
      {Qt::Key_R, Qt::ControlModifier, form->RectBtn, Pictures::crCross},
      {Qt::Key_E, Qt::ControlModifier, form->EllipseBtn, Pictures::crCross},
      {Qt::Key_R, Qt::ControlModifier | Qt::AltModifier, form->CenterRectBtn, Pictures::crCross},
      {Qt::Key_E, Qt::ControlModifier | Qt::AltModifier, form->CenterEllipseBtn, Pictures::crCross},
      {Qt::Key_T, Qt::ControlModifier, form->TextBtn, TMainForm::crSizeAll},
      {Qt::Key_B, Qt::ControlModifier, form->SetTransparentBtn, Pictures::crPickTransp},
      {Qt::Key_Escape, Qt::NoModifier, form->SelectBtn, Pictures::crSelect}};
  for (const auto& [key, modifiers, button, cursor] : table) {
    QTest::keyClick(form.get(), key, modifiers);
    EXPECT_TRUE(button->Down()) << button->objectName().toStdString();
    EXPECT_EQ(form->ZoomCursor(), cursor) << button->objectName().toStdString();
  }
  EXPECT_EQ(form->ZoomBox->cursor().shape(), Qt::BitmapCursor);
  QTest::keyClick(form.get(), Qt::Key_T, Qt::ControlModifier);
  EXPECT_EQ(form->ZoomBox->cursor().shape(), Qt::SizeAllCursor);
}

TEST_F(KeyboardTest, EscMergesTheTextAsOneUndoStep) {
  auto form = Active(OpenWhite(200, 200));
  TFakeTextPad pad(*form);
  form->TextPad = &pad;
  form->HScr->setValue(5);  // the text starts at the visible top-left corner
  const int left = form->HScr->value(), top = form->VScr->value();
  QTest::keyClick(form.get(), Qt::Key_T, Qt::ControlModifier);
  EXPECT_TRUE(pad.Shown);
  ASSERT_TRUE(form->WorkingCopy->HasLayer());
  EXPECT_EQ(form->WorkingCopy->LayerLeft, left);
  EXPECT_EQ(UndoDepth(*form), 0);
  QTest::keyClick(form.get(), Qt::Key_Escape);
  EXPECT_TRUE(form->SelectBtn->Down());
  EXPECT_FALSE(pad.Shown);
  EXPECT_FALSE(form->CurrentImage->HasLayer());
  EXPECT_EQ(PixelsOf(*form, Red), QStringList{QString("%1,%2").arg(left).arg(top)});
  EXPECT_EQ(UndoDepth(*form), 1);
  Trigger(*form, "UndoAct");
  EXPECT_TRUE(PixelsOf(*form, Red).isEmpty());
  form->TextPad = nullptr;
}

TEST_F(KeyboardTest, TheTextLayerMovesWithAnyButton) {
  auto form = OpenWhite();
  TFakeTextPad pad(*form);
  form->TextPad = &pad;
  Trigger(*form, "Text1");
  Drag(*form, {0, 0}, {4, 3});
  EXPECT_EQ(form->CurrentImage->LayerLeft, 4);
  EXPECT_EQ(form->CurrentImage->LayerTop, 3);
  Trigger(*form, "Pencil1");
  EXPECT_EQ(PixelsOf(*form, Red), QStringList{"4,3"});
  form->TextPad = nullptr;
}

}  // namespace
