// The Image menu's rotations, mirrors and filters, driven through the window's commands.

#include "editor/ToolFixture.h"
#include "palettes/ColorChoiceDlg.h"

namespace {

class TransformCommandsTest : public ToolTest {
 protected:
  static TWorkImage& Current(TMainForm& form) { return *form.Editor().Session().CurrentImage(); }
  static QSize Preview(TMainForm& form) { return form.Editor().View().ViewImg->size(); }
};

TEST_F(TransformCommandsTest, QuarterTurnsOfSixteenByThirtyTwoAndBack) {
  auto form = OpenAt800(MakeImage("tall.bmp", 16, 32, 24, [](int x, int y) {
    return x == 0 && y == 0 ? Red : x == 15 && y == 31 ? Blue : clWhite;
  }));
  const TSurface before = Current(*form).Image();
  Trigger(*form, "Rotate90Act");
  ASSERT_EQ(Current(*form).Width(), 32);
  EXPECT_EQ(Current(*form).Height(), 16);
  EXPECT_EQ(Preview(*form), QSize(32, 16));
  EXPECT_EQ(form->Editor().Session().WorkingCopy()->Width(), 32);
  EXPECT_EQ(ImagePixel(*form, 31, 0), Red);
  EXPECT_EQ(ImagePixel(*form, 0, 15), Blue);
  EXPECT_TRUE(Current(*form).IsModified());
  Trigger(*form, "Rotate90ccwAct");
  EXPECT_EQ(Preview(*form), QSize(16, 32));
  EXPECT_TRUE(Current(*form).Image() == before);
  Trigger(*form, "Rotate90ccwAct");
  EXPECT_EQ(ImagePixel(*form, 0, 15), Red);
  EXPECT_EQ(ImagePixel(*form, 31, 0), Blue);
  // Undo takes the turn back, size and preview included.
  Trigger(*form, "UndoAct");
  EXPECT_EQ(Preview(*form), QSize(16, 32));
  EXPECT_TRUE(Current(*form).Image() == before);
}

TEST_F(TransformCommandsTest, CounterClockwiseTurnOfTwoByOnePutsTheRightPixelOnTop) {
  auto form = OpenAt800(MakeImage("pair.bmp", 2, 1, 24, [](int x, int) { return x ? Blue : Red; }));
  Trigger(*form, "Rotate90ccwAct");
  ASSERT_EQ(Current(*form).Width(), 1);
  EXPECT_EQ(ImagePixel(*form, 0, 0), Blue);
  EXPECT_EQ(ImagePixel(*form, 0, 1), Red);
}

TEST_F(TransformCommandsTest, UndoAfterATransformTakesBackOnlyTheTransform) {
  auto form = OpenWhite(10, 6);
  form->Editor().Colors().ApplyLeftColor(Red);
  Trigger(*form, "Pencil1");
  Click(*form, {1, 1});
  Trigger(*form, "HMirrorAct");
  EXPECT_EQ(PixelsOf(*form, Red), QStringList{"8,1"});
  Trigger(*form, "VMirrorAct");
  EXPECT_EQ(PixelsOf(*form, Red), QStringList{"8,4"});
  Trigger(*form, "Rotate180Act");
  EXPECT_EQ(PixelsOf(*form, Red), QStringList{"1,1"});
  EXPECT_EQ(UndoDepth(*form), 4);
  Trigger(*form, "UndoAct");
  EXPECT_EQ(PixelsOf(*form, Red), QStringList{"8,4"});
  Trigger(*form, "UndoAct");
  Trigger(*form, "UndoAct");
  EXPECT_EQ(PixelsOf(*form, Red), QStringList{"1,1"});  // the stroke is still there
}

TEST_F(TransformCommandsTest, QuarterTurnsOfAFrameKeepTheOtherFramesWhole) {
  TGifImageGroup gif;
  gif.SetBitCount(4);
  FillDefaultPalette(gif.Palette, 4);
  gif.AddFrame();
  gif.AddFrame();
  gif.SetWidth(8);
  gif.SetHeight(4);
  gif.SaveToFile(Local(FilePath("wide.gif")));
  auto form = Start();
  ASSERT_TRUE(form->Files().TryOpenFile(FilePath("wide.gif")));
  form->Navigator->Select(Node(*form, 0, 0));
  Settle();
  ASSERT_NE(form->Editor().Session().CurrentImage(), nullptr);
  form->UpdateActions();
  // Every frame has the animation's size: turning one would crop the others.
  EXPECT_FALSE(form->Act("Rotate90Act").isEnabled());
  EXPECT_FALSE(form->Act("Rotate90ccwAct").isEnabled());
  EXPECT_TRUE(form->Act("Rotate180Act").isEnabled());
  // The filters need more than 256 colours.
  EXPECT_FALSE(form->Act("GrayscaleAct").isEnabled());
  EXPECT_FALSE(form->Act("GrayAndBlendAct").isEnabled());
}

TEST_F(TransformCommandsTest, GrayscaleWeighsRedTwiceAndChangesOnlyTheSelection) {
  const TColor colours[] = {Red, Green, clWhite, Red};
  auto form = OpenAt800(MakeImage("rgb.bmp", 4, 1, 24, [&](int x, int) { return colours[x]; }));
  Drag(*form, {0, 0}, {2, 0});
  const int depth = UndoDepth(*form);
  Trigger(*form, "GrayscaleAct");
  EXPECT_EQ(ImagePixel(*form, 0, 0), MakeColor(127, 127, 127));
  EXPECT_EQ(ImagePixel(*form, 1, 0), MakeColor(63, 63, 63));
  EXPECT_EQ(ImagePixel(*form, 2, 0), clWhite);
  EXPECT_EQ(ImagePixel(*form, 3, 0), Red);
  EXPECT_EQ(UndoDepth(*form), depth + 1);
  EXPECT_TRUE(Current(*form).IsModified());
}

TEST_F(TransformCommandsTest, MakeDisabledFadesThreeColumnsTowardsTheChosenColour) {
  const TColor own = MakeColor(200, 100, 50);
  auto form = OpenAt800(MakeBitmap("button.bmp", 5, 2, 24, own));
  Drag(*form, {1, 0}, {3, 1});
  const int depth = UndoDepth(*form);

  // Cancelled: nothing changes and no undo step is left behind.
  Trigger(*form, "GrayAndBlendAct");
  EXPECT_EQ(dialogs_.Shown("dialog").size(), 1);
  EXPECT_EQ(UndoDepth(*form), depth);
  EXPECT_EQ(PixelsOf(*form, own).size(), 10);

  dialogs_.DialogScripts.push_back([](QDialog& dialog) {
    auto& choice = dynamic_cast<TfrmColorChoice&>(dialog);
    EXPECT_EQ(choice.ChosenColor, clSilver);
    EXPECT_TRUE(choice.btnMore->isEnabled());
    choice.SetChosenColor(clBlack);
    return int(QDialog::Accepted);
  });
  Trigger(*form, "GrayAndBlendAct");
  for (int y = 0; y < 2; ++y) {
    EXPECT_EQ(ImagePixel(*form, 0, y), own);
    EXPECT_EQ(ImagePixel(*form, 1, y), own);
    EXPECT_EQ(ImagePixel(*form, 2, y), MakeColor(100, 50, 25));
    EXPECT_EQ(ImagePixel(*form, 3, y), clBlack);
    EXPECT_EQ(ImagePixel(*form, 4, y), own);
  }
  EXPECT_EQ(UndoDepth(*form), depth + 1);
}

}  // namespace
