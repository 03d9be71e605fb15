// The select tool and the magic wand: the four modes and Shift, the exact-colour region, moving
// the selection as a floating layer and merging it when the tool is left.

#include "editor/ToolFixture.h"
#include "windows/OptionsForm.h"

namespace {

QStringList Without(QStringList all, const QStringList& remove) {
  for (const QString& s : remove) all.removeAll(s);
  return all;
}

QStringList Sorted(QStringList list) {
  list.removeDuplicates();
  list.sort();
  return list;
}

class SelectToolTest : public ToolTest {
 protected:
  // The selected pixels of the image, sorted; compare with Sorted(...).
  static QStringList Mask(TMainForm& form) {
    QStringList found = Selected(form.Editor().Session().CurrentImage()->Mask());
    found.sort();
    return found;
  }

  // White, with a blue 3 x 3 block at (2..4, 2..4), a lone blue pixel at (8, 8) and one pixel of
  // the colour icons use for transparency at (15, 15).
  std::unique_ptr<TMainForm> OpenBlocks() {
    return OpenAt800(MakeImage("blocks.bmp", 20, 20, 24, [](int x, int y) {
      if (x >= 2 && x <= 4 && y >= 2 && y <= 4) return Blue;
      if (x == 8 && y == 8) return Blue;
      if (x == 15 && y == 15) return IconTransparentColor;
      return clWhite;
    }));
  }
};

TEST_F(SelectToolTest, NormalModeReplacesUnlessShiftIsHeld) {
  auto form = OpenWhite();
  ASSERT_TRUE(form->Editor().Tools().SelectBtn->Down());
  EXPECT_TRUE(form->Editor().Tools().SelModeBar->isVisibleTo(form->Editor().Tools().ToolPanel));
  Press(*form, {1, 1});
  Move(*form, {2, 1});
  Move(*form, {3, 2});
  EXPECT_EQ(form->StatusText(2), "W: 3      H: 2");
  EXPECT_EQ(form->StatusText(1), "X: 3  Y: 2");
  Release(*form, {3, 2});
  EXPECT_EQ(form->StatusText(2), "");
  EXPECT_EQ(Mask(*form), Sorted(Block(1, 1, 3, 2)));
  Drag(*form, {6, 6}, {7, 7});
  EXPECT_EQ(Mask(*form), Sorted(Block(6, 6, 7, 7)));
  Drag(*form, {10, 10}, {10, 11}, Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_EQ(Mask(*form), Sorted(Block(6, 6, 7, 7) + Block(10, 10, 10, 11)));
  EXPECT_EQ(UndoDepth(*form), 3);
  // A selection alone is no change to save.
  EXPECT_FALSE(form->Editor().Session().CurrentImage()->IsModified());
}

TEST_F(SelectToolTest, AdditiveSubtractiveAndXorRectangles) {
  auto form = OpenWhite();
  Drag(*form, {1, 1}, {4, 4});
  form->Editor().Tools().AddSelBtn->SetDown(true);
  Drag(*form, {10, 1}, {11, 2});
  EXPECT_EQ(Mask(*form), Sorted(Block(1, 1, 4, 4) + Block(10, 1, 11, 2)));
  form->Editor().Tools().SubSelBtn->SetDown(true);
  Drag(*form, {2, 2}, {3, 3});
  EXPECT_EQ(Mask(*form),
            Sorted(Without(Block(1, 1, 4, 4), Block(2, 2, 3, 3)) + Block(10, 1, 11, 2)));
  // XOR over an overlap: the overlap is deselected and the rest selected, borders included.
  form->Editor().Tools().PoorSelBtn->SetDown(true);
  Drag(*form, {1, 10}, {4, 13});
  form->Editor().Tools().XorSelBtn->SetDown(true);
  Drag(*form, {3, 12}, {6, 15});
  const QStringList a = Block(1, 10, 4, 13), b = Block(3, 12, 6, 15), both = Block(3, 12, 4, 13);
  EXPECT_EQ(Mask(*form), Sorted(Without(a, both) + Without(b, both)));
  // Shift does not change the XOR mode: the overlap comes back.
  Drag(*form, {3, 12}, {4, 13}, Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_EQ(Mask(*form), Sorted(a + b));
}

TEST_F(SelectToolTest, WandSelectsTheConnectedAreaOfExactlyOneColour) {
  auto form = OpenBlocks();
  Trigger(*form, "Magicwand1");
  EXPECT_TRUE(form->Editor().Tools().SelModeBar->isVisibleTo(form->Editor().Tools().ToolPanel));
  Click(*form, {8, 8});  // a pixel with no neighbour of its colour
  EXPECT_EQ(Mask(*form), QStringList{"8,8"});
  Click(*form, {3, 3});
  EXPECT_EQ(Mask(*form), Sorted(Block(2, 2, 4, 4)));
  // The white area does not take in pixels of any other colour, the icons' transparent colour
  // included.
  Click(*form, {0, 0});
  QStringList white = Block(0, 0, 19, 19);
  white = Without(Without(white, Block(2, 2, 4, 4)), {"8,8", "15,15"});
  EXPECT_EQ(Mask(*form), Sorted(white));
  Click(*form, {15, 15});
  EXPECT_EQ(Mask(*form), QStringList{"15,15"});
  EXPECT_EQ(UndoDepth(*form), 4);  // each click is committed at the press
  // Shift adds, whatever the mode.
  form->Editor().Tools().SubSelBtn->SetDown(true);
  Click(*form, {8, 8}, Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_EQ(Mask(*form), Sorted({"8,8", "15,15"}));
}

TEST_F(SelectToolTest, SubtractiveAndXorWand) {
  auto form = OpenBlocks();
  Drag(*form, {0, 0}, {5, 5});
  Trigger(*form, "Magicwand1");
  form->Editor().Tools().SubSelBtn->SetDown(true);
  Click(*form, {3, 3});
  EXPECT_EQ(Mask(*form), Sorted(Without(Block(0, 0, 5, 5), Block(2, 2, 4, 4))));
  form->Editor().Tools().XorSelBtn->SetDown(true);
  Click(*form, {2, 4});
  EXPECT_EQ(Mask(*form), Sorted(Block(0, 0, 5, 5)));
  Click(*form, {8, 8});
  EXPECT_EQ(Mask(*form), Sorted(Block(0, 0, 5, 5) + QStringList{"8,8"}));
}

TEST_F(SelectToolTest, MovingWithClearUnderSelectionLeavesTheRightColour) {
  auto form = OpenBlocks();
  form->Editor().Colors().ApplyRightColor(Green);
  Drag(*form, {2, 2}, {4, 4});
  Drag(*form, {3, 3}, {8, 3}, Qt::RightButton);
  ASSERT_TRUE(form->Editor().Session().CurrentImage()->HasLayer());
  EXPECT_EQ(form->Editor().Session().CurrentImage()->LayerLeft, 5);
  EXPECT_EQ(form->Editor().Session().CurrentImage()->LayerTop, 0);
  EXPECT_EQ(PixelsOf(*form, Green), Block(2, 2, 4, 4));
  // A second move goes on from where the layer was left, without filling again.
  form->Editor().Colors().ApplyRightColor(Red);
  Drag(*form, {8, 3}, {8, 6}, Qt::RightButton);
  EXPECT_EQ(form->Editor().Session().CurrentImage()->LayerLeft, 5);
  EXPECT_EQ(form->Editor().Session().CurrentImage()->LayerTop, 3);
  EXPECT_TRUE(PixelsOf(*form, Red).isEmpty());
  EXPECT_EQ(UndoDepth(*form), 3);
  // Choosing another tool merges the moved pixels as one undo step.
  Trigger(*form, "Pencil1");
  EXPECT_FALSE(form->Editor().Session().CurrentImage()->HasLayer());
  EXPECT_EQ(PixelsOf(*form, Blue), Block(7, 5, 9, 7) + QStringList{"8,8"});
  EXPECT_EQ(Mask(*form), Sorted(Block(7, 5, 9, 7)));
  EXPECT_EQ(UndoDepth(*form), 4);
}

TEST_F(SelectToolTest, MovingWithoutClearingMovesACopy) {
  auto form = OpenBlocks();
  form->OptionsForm().LayerCutCheck->setChecked(false);
  Drag(*form, {2, 2}, {4, 4});
  EXPECT_FALSE(form->Editor().Session().CurrentImage()->IsModified());
  Drag(*form, {3, 3}, {13, 3}, Qt::RightButton);
  EXPECT_EQ(PixelsOf(*form, Blue), Block(2, 2, 4, 4) + QStringList{"8,8"});
  // The copy lands elsewhere when the picture is saved: that is a change to keep.
  EXPECT_TRUE(form->Editor().Session().CurrentImage()->IsModified());
  Trigger(*form, "Fill1");
  EXPECT_EQ(PixelsOf(*form, Blue).size(), 19);
}

TEST_F(SelectToolTest, WandPressMergesAFloatingLayerFirst) {
  auto form = OpenBlocks();
  Drag(*form, {2, 2}, {4, 4});
  Drag(*form, {3, 3}, {3, 13}, Qt::RightButton);
  Trigger(*form, "Magicwand1");  // leaving the select tool merges
  EXPECT_FALSE(form->Editor().Session().CurrentImage()->HasLayer());
  Drag(*form, {3, 12}, {13, 12}, Qt::RightButton);  // the wand moves with the other buttons
  ASSERT_TRUE(form->Editor().Session().CurrentImage()->HasLayer());
  Click(*form, {0, 0});
  EXPECT_FALSE(form->Editor().Session().CurrentImage()->HasLayer());
  EXPECT_EQ(ImagePixel(*form, 13, 12), Blue);
  EXPECT_TRUE(Mask(*form).contains("3,12"));  // the white left behind
  EXPECT_FALSE(Mask(*form).contains("13,12"));
}

TEST_F(SelectToolTest, WandMovesWithShiftKeepToAStraightLine) {
  auto form = OpenBlocks();
  Trigger(*form, "Magicwand1");
  Click(*form, {3, 3});
  Press(*form, {3, 3}, Qt::RightButton);
  Move(*form, {9, 4}, Qt::ShiftModifier);
  EXPECT_EQ(form->Editor().Session().WorkingCopy()->LayerLeft, 6);
  EXPECT_EQ(form->Editor().Session().WorkingCopy()->LayerTop, 0);
  Move(*form, {8, 9}, Qt::ShiftModifier);
  EXPECT_EQ(form->Editor().Session().WorkingCopy()->LayerLeft, 6);
  EXPECT_EQ(form->Editor().Session().WorkingCopy()->LayerTop, 6);
  Release(*form, {8, 9}, Qt::RightButton);
  EXPECT_EQ(form->Editor().Session().CurrentImage()->LayerTop, 6);
}

TEST_F(SelectToolTest, PressWithoutSelectionStillRecordsAnUndoStep) {
  auto form = OpenBlocks();
  const TSurface before = form->Editor().Session().CurrentImage()->Image();
  Click(*form, {3, 3}, Qt::RightButton);
  EXPECT_TRUE(form->Editor().Session().CurrentImage()->Image() == before);
  EXPECT_FALSE(form->Editor().Session().CurrentImage()->HasLayer());
  EXPECT_EQ(UndoDepth(*form), 1);
}

TEST_F(SelectToolTest, MovesBeyondTheBoxArriveAndStopAtTheImage) {
  auto form = OpenWhite();
  // Events go through the window as the desktop delivers them: while the button is held the
  // zoom box gets the moves over the grey panel around it.
  QWindow* window = form->windowHandle();
  const auto at = [&](QPoint p) { return form->Editor().View().ZoomBox->mapTo(form.get(), p); };
  const QPoint outside(form->Editor().View().ZoomBox->width() + 20,
                       form->Editor().View().ZoomBox->height() + 20);
  ASSERT_EQ(form->childAt(at(outside)), form->Editor().View().ZoomPanel);
  QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, at(Cell(1, 1)));
  QTest::mouseMove(window, at(Cell(2, 2)));
  QTest::mouseMove(window, at(outside));
  EXPECT_EQ(form->StatusText(2), "W: 19     H: 19");
  QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, at(outside));
  EXPECT_FALSE(form->Editor().Tools().ActiveTool()->Dragging());
  EXPECT_EQ(Mask(*form), Sorted(Block(1, 1, 19, 19)));
}

TEST_F(SelectToolTest, ChangingToolDuringADragEndsIt) {
  auto form = OpenBlocks();
  Drag(*form, {2, 2}, {4, 4});
  Press(*form, {3, 3}, Qt::RightButton);
  Move(*form, {5, 5});
  Trigger(*form, "Pencil1");  // a shortcut while the button is still held
  EXPECT_FALSE(form->Editor().Tools().ActiveTool()->Dragging());
  EXPECT_FALSE(form->Editor().Session().CurrentImage()->HasLayer());
  EXPECT_EQ(ImagePixel(*form, 6, 6), Blue);
  Release(*form, {5, 5}, Qt::RightButton);
  Trigger(*form, "Magicwand1");
  Click(*form, {0, 0});  // the wand works: no move is left hanging
  EXPECT_FALSE(Mask(*form).isEmpty());
}

}  // namespace
