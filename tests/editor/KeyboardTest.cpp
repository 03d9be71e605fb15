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
    TSelectBitmap& copy = *form_.Editor().Session().WorkingCopy();
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
  ASSERT_TRUE(form->Editor().Tools().PencilBtn->Down());
  EXPECT_EQ(form->Editor().View().ZoomCursor(), Pictures::crPen);
  QTest::keyPress(form.get(), Qt::Key_Control);
  EXPECT_EQ(form->Editor().View().ZoomCursor(), Pictures::crPick);
  EXPECT_EQ(form->Editor().SavedCursor, Pictures::crPen);
  QTest::keyPress(form.get(), Qt::Key_Control);  // auto-repeat changes nothing
  EXPECT_EQ(form->Editor().SavedCursor, Pictures::crPen);
  QTest::keyRelease(form.get(), Qt::Key_Control);
  EXPECT_EQ(form->Editor().View().ZoomCursor(), Pictures::crPen);
  EXPECT_EQ(form->Editor().SavedCursor, TEditor::NoSavedCursor);
  // A tool chosen while Ctrl is held keeps its own cursor after the release.
  QTest::keyPress(form.get(), Qt::Key_Control);
  QTest::keyClick(form.get(), Qt::Key_F, Qt::ControlModifier);
  EXPECT_TRUE(form->Editor().Tools().FillBtn->Down());
  QTest::keyRelease(form.get(), Qt::Key_Control);
  EXPECT_EQ(form->Editor().View().ZoomCursor(), Pictures::crFill);
  EXPECT_EQ(form->Editor().View().ZoomBox->cursor().shape(), Qt::BitmapCursor);
}

TEST_F(KeyboardTest, WithoutAnImageCtrlLeavesTheCursor) {
  auto form = Active(Start());
  QTest::keyPress(form.get(), Qt::Key_Control);
  EXPECT_EQ(form->Editor().View().ZoomCursor(), Pictures::crSelect);
  EXPECT_EQ(form->Editor().SavedCursor, TEditor::NoSavedCursor);
  QTest::keyRelease(form.get(), Qt::Key_Control);
}

TEST_F(KeyboardTest, ToolShortcutsPressTheirButtons) {
  auto form = Active(OpenWhite());
  const std::tuple<Qt::Key, Qt::KeyboardModifiers, TAdvSpeedButton*, int> table[] = {
      {Qt::Key_W, Qt::ControlModifier, form->Editor().Tools().WandBtn, Pictures::crWand},
      {Qt::Key_L, Qt::ControlModifier, form->Editor().Tools().LineBtn, Pictures::crCross},
      {Qt::Key_R, Qt::ControlModifier, form->Editor().Tools().RectBtn, Pictures::crCross},
      {Qt::Key_E, Qt::ControlModifier, form->Editor().Tools().EllipseBtn, Pictures::crCross},
      {Qt::Key_R, Qt::ControlModifier | Qt::AltModifier, form->Editor().Tools().CenterRectBtn,
       Pictures::crCross},
      {Qt::Key_E, Qt::ControlModifier | Qt::AltModifier, form->Editor().Tools().CenterEllipseBtn,
       Pictures::crCross},
      {Qt::Key_T, Qt::ControlModifier, form->Editor().Tools().TextBtn, TZoomView::crSizeAll},
      {Qt::Key_B, Qt::ControlModifier, form->Editor().Tools().SetTransparentBtn,
       Pictures::crPickTransp},
      {Qt::Key_Escape, Qt::NoModifier, form->Editor().Tools().SelectBtn, Pictures::crSelect}};
  for (const auto& [key, modifiers, button, cursor] : table) {
    QTest::keyClick(form.get(), key, modifiers);
    EXPECT_TRUE(button->Down()) << button->objectName().toStdString();
    EXPECT_EQ(form->Editor().View().ZoomCursor(), cursor) << button->objectName().toStdString();
  }
  EXPECT_EQ(form->Editor().View().ZoomBox->cursor().shape(), Qt::BitmapCursor);
  QTest::keyClick(form.get(), Qt::Key_T, Qt::ControlModifier);
  EXPECT_EQ(form->Editor().View().ZoomBox->cursor().shape(), Qt::SizeAllCursor);
}

TEST_F(KeyboardTest, EscMergesTheTextAsOneUndoStep) {
  auto form = Active(OpenWhite(200, 200));
  TFakeTextPad pad(*form);
  form->Editor().SetTextPad(&pad);
  form->Editor().View().HScr->setValue(5);  // the text starts at the visible top-left corner
  const int left = form->Editor().View().HScr->value(), top = form->Editor().View().VScr->value();
  QTest::keyClick(form.get(), Qt::Key_T, Qt::ControlModifier);
  EXPECT_TRUE(pad.Shown);
  ASSERT_TRUE(form->Editor().Session().WorkingCopy()->HasLayer());
  EXPECT_EQ(form->Editor().Session().WorkingCopy()->LayerLeft, left);
  EXPECT_EQ(UndoDepth(*form), 0);
  QTest::keyClick(form.get(), Qt::Key_Escape);
  EXPECT_TRUE(form->Editor().Tools().SelectBtn->Down());
  EXPECT_FALSE(pad.Shown);
  EXPECT_FALSE(form->Editor().Session().CurrentImage()->HasLayer());
  EXPECT_EQ(PixelsOf(*form, Red), QStringList{QString("%1,%2").arg(left).arg(top)});
  EXPECT_EQ(UndoDepth(*form), 1);
  Trigger(*form, "UndoAct");
  EXPECT_TRUE(PixelsOf(*form, Red).isEmpty());
  form->Editor().SetTextPad(nullptr);
}

TEST_F(KeyboardTest, TheTextLayerMovesWithAnyButton) {
  auto form = OpenWhite();
  TFakeTextPad pad(*form);
  form->Editor().SetTextPad(&pad);
  Trigger(*form, "Text1");
  Drag(*form, {0, 0}, {4, 3});
  EXPECT_EQ(form->Editor().Session().CurrentImage()->LayerLeft, 4);
  EXPECT_EQ(form->Editor().Session().CurrentImage()->LayerTop, 3);
  Trigger(*form, "Pencil1");
  EXPECT_EQ(PixelsOf(*form, Red), QStringList{"4,3"});
  form->Editor().SetTextPad(nullptr);
}

}  // namespace

TEST_F(KeyboardTest, ZoomKeysNeverReachTheNavigator) {
  auto form = Start();
  ASSERT_TRUE(form->Files().TryOpenFile(MakeBitmap("a.bmp", 4, 4)));
  ASSERT_TRUE(form->Files().TryOpenFile(MakeBitmap("b.bmp", 4, 4)));
  form = Active(std::move(form));
  TWorkImage* current = form->Editor().Session().CurrentImage();
  form->Editor().View().ZoomCombo->setCurrentIndex(form->Editor().View().ZoomCombo->count() - 1);
  form->Navigator->PicTree->setFocus();
  Settle();
  QTest::keyClick(form->Navigator->PicTree, Qt::Key_PageUp);  // Zoom In is disabled here
  Settle();
  EXPECT_EQ(form->Editor().Session().CurrentImage(), current);
  form->Editor().View().ZoomCombo->setCurrentIndex(0);
  form->Navigator->PicTree->setFocus();
  QTest::keyClick(form->Navigator->PicTree, Qt::Key_PageDown);
  QTest::keyClick(form->Navigator->PicTree, Qt::Key_PageUp, Qt::KeypadModifier);
  Settle();
  EXPECT_EQ(form->Editor().Session().CurrentImage(), current);
}
