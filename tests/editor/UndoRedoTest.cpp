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
  form->ApplyLeftColor(Red);
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
  EXPECT_TRUE(form->WorkingCopy->Image() == form->CurrentImage->Image());
  EXPECT_EQ(PixelToColor(form->ViewBitmap.Pixel(8 + 4, 4)), clWhite);
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
  form->ApplyLeftColor(Red);
  form->ApplyRightColor(Blue);
  Click(*form, {1, 1});
  form->ApplyLeftColor(Green);
  Trigger(*form, "UndoAct");
  Trigger(*form, "RedoAct");
  EXPECT_EQ(form->CurrentLeftColor(), Green);
  EXPECT_EQ(form->CurrentRightColor(), Blue);
  EXPECT_EQ(form->LeftColPanel->Color(), QColor(0, 255, 0));
}

TEST_F(UndoRedoTest, UndoAfterAMoveRestoresThePlaceBeforeIt) {
  auto form = OpenAt800(
      MakeImage("b.bmp", 10, 10, 24, [](int x, int y) { return x < 3 && y < 3 ? Blue : clWhite; }));
  Drag(*form, {0, 0}, {2, 2});
  Drag(*form, {1, 1}, {6, 6}, Qt::RightButton);
  Trigger(*form, "UndoAct");
  EXPECT_FALSE(form->CurrentImage->HasLayer());
  EXPECT_EQ(PixelsOf(*form, Blue), Block(0, 0, 2, 2));
  EXPECT_EQ(Selected(form->CurrentImage->Mask()), Block(0, 0, 2, 2));
}

TEST_F(UndoRedoTest, UndoBringsBackAMergedLayerAndPressesTheSelectTool) {
  auto form = OpenAt800(
      MakeImage("b.bmp", 10, 10, 24, [](int x, int y) { return x < 3 && y < 3 ? Blue : clWhite; }));
  Drag(*form, {0, 0}, {2, 2});
  Drag(*form, {1, 1}, {6, 6}, Qt::RightButton);
  Trigger(*form, "Pencil1");  // merges the moved pixels
  ASSERT_FALSE(form->CurrentImage->HasLayer());
  Trigger(*form, "UndoAct");
  EXPECT_TRUE(form->SelectBtn->Down());
  ASSERT_TRUE(form->CurrentImage->HasLayer());
  EXPECT_TRUE(form->WorkingCopy->HasLayer());
  EXPECT_EQ(form->WorkingCopy->LayerLeft, 5);
  // The restored layer moves on at once.
  Drag(*form, {6, 6}, {7, 6}, Qt::RightButton);
  EXPECT_EQ(form->CurrentImage->LayerLeft, 6);
}

TEST_F(UndoRedoTest, EachFrameKeepsItsOwnHistory) {
  auto form = Start();
  form->ZoomCombo->setCurrentIndex(3);
  ASSERT_TRUE(form->TryOpenFile(MakeAnimation("anim.gif", 2)));
  Settle();
  form->Navigator->Select(Node(*form, 0, 0));
  Settle();
  TWorkImage* first = form->CurrentImage;
  ASSERT_NE(first, nullptr);
  Trigger(*form, "Pencil1");
  Click(*form, {1, 1});
  Click(*form, {2, 2});
  form->Navigator->Select(Node(*form, 0, 1));
  Settle();
  TWorkImage* second = form->CurrentImage;
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
  EXPECT_FALSE(form->CurrentImage->IsModified());  // back to what the file holds
  Trigger(*form, "RedoAct");
  EXPECT_TRUE(form->CurrentImage->IsModified());
  Trigger(*form, "SaveAct");
  ASSERT_FALSE(form->CurrentImage->IsModified());
  // The file now holds the stroke; taking it back must not look saved.
  Trigger(*form, "UndoAct");
  EXPECT_TRUE(form->CurrentImage->IsModified());
  EXPECT_TRUE(Enabled(*form, "SaveAct"));
}

TEST_F(UndoRedoTest, UndoDuringAStrokeTakesBackTheWholeStroke) {
  auto form = OpenWhite();
  Trigger(*form, "Pencil1");
  form->ApplyLeftColor(Red);
  Click(*form, {0, 0});
  Press(*form, {1, 1});
  Move(*form, {4, 1});
  Trigger(*form, "UndoAct");  // Ctrl+Z with the button still held
  EXPECT_FALSE(form->Dragging);
  EXPECT_EQ(PixelsOf(*form, Red), QStringList{"0,0"});
  EXPECT_TRUE(form->WorkingCopy->Image() == form->CurrentImage->Image());
  Release(*form, {4, 1});
  EXPECT_EQ(PixelsOf(*form, Red), QStringList{"0,0"});
  EXPECT_EQ(UndoDepth(*form), 1);
}

}  // namespace
