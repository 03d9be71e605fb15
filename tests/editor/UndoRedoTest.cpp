// Undo and redo of the main window: the eight-step depth, the refresh after a step, floating
// layers coming back, working colours staying, and one history per frame.

#include "documents/ImageBrowseFrm.h"
#include "editor/ToolFixture.h"

namespace {

class UndoRedoTest : public ToolTest {
 protected:
  static bool Enabled(TMainForm& form, const char* name) {
    form.UpdateActions();
    return form.Act(name).isEnabled();
  }
};

TEST_F(UndoRedoTest, EightStepsBackAtMost) {
  auto form = OpenWhite();
  EXPECT_FALSE(Enabled(*form, "UndoAct"));
  EXPECT_FALSE(Enabled(*form, "RedoAct"));
  Trigger(*form, "Pencil1");
  form->Editor().Colors().ApplyLeftColor(Red);
  for (int i = 0; i < 9; ++i) Click(*form, {i, 0});
  int steps = 0;
  while (Enabled(*form, "UndoAct")) {
    Trigger(*form, "UndoAct");
    ++steps;
  }
  EXPECT_EQ(steps, 8);
  EXPECT_EQ(PixelsOf(*form, Red), QStringList{"0,0"});
  EXPECT_EQ(PixelsOf(*form, Red), QStringList{"0,0"});
  // The view shows what the image holds now.
  EXPECT_TRUE(form->Editor().Session().WorkingCopy()->Image() ==
              form->Editor().Session().CurrentImage()->Image());
  EXPECT_EQ(PixelToColor(form->Editor().View().ViewBitmap.Pixel(8 + 4, 4)), clWhite);
  EXPECT_TRUE(Enabled(*form, "RedoAct"));
  Trigger(*form, "RedoAct");
  EXPECT_EQ(PixelsOf(*form, Red), (QStringList{"0,0", "1,0"}));
  // A new stroke keeps the redo history.
  Click(*form, {5, 5});
  EXPECT_TRUE(Enabled(*form, "RedoAct"));
}

TEST_F(UndoRedoTest, WorkingColoursStayThroughTheHistory) {
  auto form = OpenWhite();
  Trigger(*form, "Pencil1");
  form->Editor().Colors().ApplyLeftColor(Red);
  form->Editor().Colors().ApplyRightColor(Blue);
  Click(*form, {1, 1});
  form->Editor().Colors().ApplyLeftColor(Green);
  Trigger(*form, "UndoAct");
  Trigger(*form, "RedoAct");
  EXPECT_EQ(form->Editor().Colors().CurrentLeftColor(), Green);
  EXPECT_EQ(form->Editor().Colors().CurrentRightColor(), Blue);
  EXPECT_EQ(form->Editor().Colors().LeftColPanel->Color(), QColor(0, 255, 0));
}

TEST_F(UndoRedoTest, UndoAfterAMoveRestoresThePlaceBeforeIt) {
  auto form = OpenAt800(
      MakeImage("b.bmp", 10, 10, 24, [](int x, int y) { return x < 3 && y < 3 ? Blue : clWhite; }));
  Drag(*form, {0, 0}, {2, 2});
  Drag(*form, {1, 1}, {6, 6}, Qt::RightButton);
  Trigger(*form, "UndoAct");
  EXPECT_FALSE(form->Editor().Session().CurrentImage()->HasLayer());
  EXPECT_EQ(PixelsOf(*form, Blue), Block(0, 0, 2, 2));
  EXPECT_EQ(Selected(form->Editor().Session().CurrentImage()->Mask()), Block(0, 0, 2, 2));
}

TEST_F(UndoRedoTest, UndoBringsBackAMergedLayerAndPressesTheSelectTool) {
  auto form = OpenAt800(
      MakeImage("b.bmp", 10, 10, 24, [](int x, int y) { return x < 3 && y < 3 ? Blue : clWhite; }));
  Drag(*form, {0, 0}, {2, 2});
  Drag(*form, {1, 1}, {6, 6}, Qt::RightButton);
  Trigger(*form, "Pencil1");  // merges the moved pixels
  ASSERT_FALSE(form->Editor().Session().CurrentImage()->HasLayer());
  Trigger(*form, "UndoAct");
  EXPECT_TRUE(form->Editor().Tools().SelectBtn->Down());
  ASSERT_TRUE(form->Editor().Session().CurrentImage()->HasLayer());
  EXPECT_TRUE(form->Editor().Session().WorkingCopy()->HasLayer());
  EXPECT_EQ(form->Editor().Session().WorkingCopy()->LayerLeft, 5);
  // The restored layer moves on at once.
  Drag(*form, {6, 6}, {7, 6}, Qt::RightButton);
  EXPECT_EQ(form->Editor().Session().CurrentImage()->LayerLeft, 6);
}

TEST_F(UndoRedoTest, EachFrameKeepsItsOwnHistory) {
  auto form = Start();
  form->Editor().View().ZoomCombo->setCurrentIndex(3);
  ASSERT_TRUE(form->Files().TryOpenFile(MakeAnimation("anim.gif", 2)));
  Settle();
  form->Navigator->Select(Node(*form, 0, 0));
  Settle();
  TWorkImage* first = form->Editor().Session().CurrentImage();
  ASSERT_NE(first, nullptr);
  Trigger(*form, "Pencil1");
  Click(*form, {1, 1});
  Click(*form, {2, 2});
  form->Navigator->Select(Node(*form, 0, 1));
  Settle();
  TWorkImage* second = form->Editor().Session().CurrentImage();
  ASSERT_NE(second, first);
  EXPECT_FALSE(Enabled(*form, "UndoAct"));
  Click(*form, {3, 3});
  Trigger(*form, "UndoAct");
  EXPECT_FALSE(Enabled(*form, "UndoAct"));
  EXPECT_EQ(first->UndoStack.Count(), 2);
  // While the group itself is shown there is nothing to undo or redo.
  form->Navigator->Select(Node(*form, 0));
  Settle();
  EXPECT_FALSE(Enabled(*form, "UndoAct"));
  EXPECT_FALSE(Enabled(*form, "RedoAct"));
}

TEST_F(UndoRedoTest, UndoAfterSavingLeavesTheDocumentChanged) {
  auto form = OpenWhite();
  Trigger(*form, "Pencil1");
  Click(*form, {1, 1});
  Trigger(*form, "UndoAct");
  EXPECT_FALSE(
      form->Editor().Session().CurrentImage()->IsModified());  // back to what the file holds
  Trigger(*form, "RedoAct");
  EXPECT_TRUE(form->Editor().Session().CurrentImage()->IsModified());
  Trigger(*form, "SaveAct");
  ASSERT_FALSE(form->Editor().Session().CurrentImage()->IsModified());
  // The file now holds the stroke; taking it back must not look saved.
  Trigger(*form, "UndoAct");
  EXPECT_TRUE(form->Editor().Session().CurrentImage()->IsModified());
  EXPECT_TRUE(Enabled(*form, "SaveAct"));
}

TEST_F(UndoRedoTest, OnlyTheSavedStateLooksSavedHoweverFarTheHistoryGoes) {
  auto form = OpenWhite();
  Trigger(*form, "Pencil1");
  Click(*form, {1, 1});
  Click(*form, {3, 3});
  Trigger(*form, "SaveAct");
  TWorkImage& image = *form->Editor().Session().CurrentImage();
  ASSERT_FALSE(image.IsModified());
  Trigger(*form, "UndoAct");
  Trigger(*form, "UndoAct");
  EXPECT_EQ(ImagePixel(*form, 1, 1), clWhite);
  EXPECT_TRUE(image.IsModified()) << "the file holds both dots";
  EXPECT_TRUE(Enabled(*form, "SaveAct"));
  Trigger(*form, "RedoAct");
  EXPECT_TRUE(image.IsModified());
  Trigger(*form, "RedoAct");
  EXPECT_FALSE(image.IsModified()) << "back where the file is";
  EXPECT_FALSE(Enabled(*form, "SaveAct"));
}

TEST_F(UndoRedoTest, UndoDuringAStrokeTakesBackTheWholeStroke) {
  auto form = OpenWhite();
  Trigger(*form, "Pencil1");
  form->Editor().Colors().ApplyLeftColor(Red);
  Click(*form, {0, 0});
  Press(*form, {1, 1});
  Move(*form, {4, 1});
  Trigger(*form, "UndoAct");  // Ctrl+Z with the button still held
  EXPECT_FALSE(form->Editor().Tools().ActiveTool()->Dragging());
  EXPECT_EQ(PixelsOf(*form, Red), QStringList{"0,0"});
  EXPECT_TRUE(form->Editor().Session().WorkingCopy()->Image() ==
              form->Editor().Session().CurrentImage()->Image());
  Release(*form, {4, 1});
  EXPECT_EQ(PixelsOf(*form, Red), QStringList{"0,0"});
  EXPECT_EQ(UndoDepth(*form), 1);
}

}  // namespace
