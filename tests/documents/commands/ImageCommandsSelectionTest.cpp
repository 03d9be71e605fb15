// The Edit menu's clipboard and selection commands, driven through the window's commands.

#include "editor/ToolFixture.h"
#include "windows/OptionsForm.h"

namespace {

constexpr TColor Yellow = MakeColor(255, 255, 0);

class SelectionCommandsTest : public ToolTest {
 protected:
  // Every pixel its own colour, so that moved pixels can be told apart.
  static TColor Shade(int x, int y) { return MakeColor(x * 2, y * 2, 100); }

  std::unique_ptr<TMainForm> OpenShaded(int w, int h) {
    return OpenAt800(MakeImage("shaded.bmp", w, h, 24, Shade));
  }

  static TWorkImage& Current(TMainForm& form) { return *form.Editor().Session().CurrentImage(); }

  // Selects the 2 x 2 block at (2, 2) with the select tool.
  static void SelectBlock(TMainForm& form) {
    Trigger(form, "Select1");
    Drag(form, {2, 2}, {3, 3});
  }

  // An L: the columns 2..3 of rows 2..7 and the rows 6..7 of columns 2..6.
  static QStringList LShape(int dx = 0, int dy = 0) {
    QStringList l;
    for (int y = 2; y <= 7; ++y)
      for (int x = 2; x <= 6; ++x)
        if (x <= 3 || y >= 6) l << QString("%1,%2").arg(x + dx).arg(y + dy);
    return l;
  }
};

TEST_F(SelectionCommandsTest, CopyAndPasteOfAnLShapeFloatsItAtTheFirstPixelInView) {
  auto form = OpenShaded(100, 100);
  Drag(*form, {2, 2}, {3, 7});
  Drag(*form, {2, 6}, {6, 7}, Qt::LeftButton, Qt::ShiftModifier);
  ASSERT_EQ(Selected(Current(*form).Mask()), LShape());
  const int depth = UndoDepth(*form);
  Trigger(*form, "CopyAct");
  EXPECT_EQ(UndoDepth(*form), depth);  // a copy changes nothing

  // The bounding box goes to the clipboard, the key colour outside the L.
  const std::optional<TSurface> copied = clipboard_.GetBitmap();
  ASSERT_TRUE(copied.has_value());
  ASSERT_EQ(copied->Width(), 5);
  ASSERT_EQ(copied->Height(), 6);
  EXPECT_EQ(PixelToColor(copied->Pixel(0, 0)), Shade(2, 2));
  EXPECT_EQ(PixelToColor(copied->Pixel(4, 5)), Shade(6, 7));
  EXPECT_EQ(copied->Pixel(4, 0), ClipboardKeyColor);
  EXPECT_EQ(copied->Pixel(2, 3), ClipboardKeyColor);

  Trigger(*form, "Pencil1");
  form->Editor().View().HScr->setValue(20);
  form->Editor().View().VScr->setValue(15);
  Settle();
  Trigger(*form, "PasteAct");
  TWorkImage& image = Current(*form);
  ASSERT_TRUE(image.HasLayer());
  EXPECT_EQ(image.LayerLeft, 20);
  EXPECT_EQ(image.LayerTop, 15);
  EXPECT_EQ(Selected(image.Mask()), LShape(-2, -2));
  EXPECT_TRUE(form->Editor().Tools().SelectBtn->Down());
  EXPECT_TRUE(image.IsModified());
  EXPECT_EQ(UndoDepth(*form), depth + 1);

  // Merged, the L lands at the view's corner and the pixels under the box's gap stay.
  Trigger(*form, "UnselectAct");
  EXPECT_FALSE(image.HasLayer());
  EXPECT_EQ(Selected(image.Mask()), QStringList());
  EXPECT_EQ(ImagePixel(*form, 20, 15), Shade(2, 2));
  EXPECT_EQ(ImagePixel(*form, 24, 20), Shade(6, 7));
  EXPECT_EQ(ImagePixel(*form, 24, 15), Shade(24, 15));
  EXPECT_TRUE(image.IsModified());  // the merge is a change like the paste was
}

TEST_F(SelectionCommandsTest, CutFillsAPlainSelectionAndTakesAFloatingLayerAway) {
  auto form = OpenShaded(20, 20);
  form->Editor().Colors().ApplyRightColor(Yellow);
  SelectBlock(*form);
  Trigger(*form, "CutAct");
  EXPECT_EQ(PixelsOf(*form, Yellow), Block(2, 2, 3, 3));
  EXPECT_EQ(Selected(Current(*form).Mask()), Block(2, 2, 3, 3));
  EXPECT_TRUE(form->Editor().View().SelectionExists());
  EXPECT_EQ(PixelToColor(clipboard_.GetBitmap()->Pixel(1, 1)), Shade(3, 3));

  // A moved selection is cut as it floats: layer and outline go, the lift's fill stays.
  Drag(*form, {5, 5}, {8, 8});
  Drag(*form, {6, 6}, {9, 6}, Qt::RightButton);
  ASSERT_TRUE(Current(*form).HasLayer());
  Trigger(*form, "CutAct");
  EXPECT_FALSE(Current(*form).HasLayer());
  EXPECT_EQ(Selected(Current(*form).Mask()), QStringList());
  EXPECT_FALSE(form->Editor().View().SelectionExists());
  QStringList yellow = Block(2, 2, 3, 3) + Block(5, 5, 8, 8);
  yellow.sort();
  QStringList found = PixelsOf(*form, Yellow);
  found.sort();
  EXPECT_EQ(found, yellow);
  EXPECT_EQ(PixelToColor(clipboard_.GetBitmap()->Pixel(0, 0)), Shade(5, 5));
  EXPECT_EQ(ImagePixel(*form, 8, 5), Yellow);  // nothing was merged where the layer floated

  Trigger(*form, "UndoAct");
  EXPECT_TRUE(Current(*form).HasLayer());
  EXPECT_EQ(Current(*form).LayerLeft, 3);
}

TEST_F(SelectionCommandsTest, FillAndDeletePaintTheWorkingColoursOrDropTheLayer) {
  auto form = OpenShaded(20, 20);
  form->Editor().Colors().ApplyLeftColor(Blue);
  form->Editor().Colors().ApplyRightColor(Yellow);
  SelectBlock(*form);
  Trigger(*form, "FillSelectionAct");
  EXPECT_EQ(PixelsOf(*form, Blue), Block(2, 2, 3, 3));
  EXPECT_EQ(Selected(Current(*form).Mask()), Block(2, 2, 3, 3));
  Trigger(*form, "DelSelctionAct");
  EXPECT_EQ(PixelsOf(*form, Yellow), Block(2, 2, 3, 3));
  EXPECT_EQ(Selected(Current(*form).Mask()), Block(2, 2, 3, 3));

  // On a floating layer, Delete removes only the layer: its old place keeps the lift's fill.
  form->Editor().Colors().ApplyRightColor(Red);
  Drag(*form, {2, 2}, {6, 2}, Qt::RightButton);
  ASSERT_TRUE(Current(*form).HasLayer());
  Trigger(*form, "DelSelctionAct");
  EXPECT_FALSE(Current(*form).HasLayer());
  EXPECT_EQ(Selected(Current(*form).Mask()), QStringList());
  EXPECT_EQ(PixelsOf(*form, Red), Block(2, 2, 3, 3));
  EXPECT_EQ(ImagePixel(*form, 6, 2), Shade(6, 2));
  EXPECT_EQ(UndoDepth(*form), 5);  // select, fill, delete, move, delete
}

TEST_F(SelectionCommandsTest, FillOnAPaletteImagePaintsThePaletteColourNearestTheLeftColour) {
  auto form = OpenAt800(MakeBitmap("sixteen.bmp", 10, 10, 4));
  form->Editor().Colors().ApplyLeftColor(MakeColor(0, 0, 200));
  SelectBlock(*form);
  Trigger(*form, "FillSelectionAct");
  EXPECT_EQ(PixelsOf(*form, Blue), Block(2, 2, 3, 3));
}

TEST_F(SelectionCommandsTest, SelectAllAndUnselectKeepTheSavedStateUnlessTheyMerge) {
  auto form = OpenShaded(20, 20);
  Trigger(*form, "SelectAllAct");
  EXPECT_EQ(Selected(Current(*form).Mask()).size(), 400);
  EXPECT_FALSE(Current(*form).IsModified());
  Trigger(*form, "UnselectAct");
  EXPECT_EQ(Selected(Current(*form).Mask()), QStringList());
  EXPECT_FALSE(Current(*form).IsModified());
  EXPECT_EQ(UndoDepth(*form), 2);

  // Nothing left to unselect: a click on the grey margin adds no empty undo step.
  QWidget* margin = form->Editor().View().ZoomPanel;
  QTest::mouseClick(margin, Qt::LeftButton, Qt::NoModifier, QPoint(margin->width() - 2, 2));
  EXPECT_EQ(UndoDepth(*form), 2);

  // A layer lifted without clearing beneath it floats on an unmodified image; merging it by
  // either command is a change.
  form->OptionsForm().LayerCutCheck->setChecked(false);
  for (const char* merge : {"UnselectAct", "SelectAllAct"}) {
    SelectBlock(*form);
    Click(*form, {2, 2}, Qt::RightButton);
    Trigger(*form, "SaveAct");
    ASSERT_TRUE(Current(*form).HasLayer());
    ASSERT_FALSE(Current(*form).IsModified());
    if (merge == QString("UnselectAct"))
      QTest::mouseClick(margin, Qt::LeftButton, Qt::NoModifier, QPoint(margin->width() - 2, 2));
    else
      Trigger(*form, merge);
    EXPECT_FALSE(Current(*form).HasLayer()) << merge;
    EXPECT_TRUE(Current(*form).IsModified()) << merge;
  }
}

TEST_F(SelectionCommandsTest, ASelectionOutOfViewCanStillBeCopied) {
  auto form = OpenShaded(100, 100);
  form->UpdateActions();
  EXPECT_FALSE(form->Act("CopyAct").isEnabled());
  EXPECT_FALSE(form->Act("DelSelctionAct").isEnabled());
  SelectBlock(*form);
  form->Editor().View().HScr->setValue(60);
  Settle();
  ASSERT_FALSE(form->Editor().View().SelectionExists());  // no edge in view
  form->UpdateActions();
  for (const char* name : {"CutAct", "CopyAct", "FillSelectionAct", "DelSelctionAct"})
    EXPECT_TRUE(form->Act(name).isEnabled()) << name;
}

TEST_F(SelectionCommandsTest, PastesOfLargeOrForeignPicturesAndPastesWithoutImage) {
  auto form = Start();
  TSurface big(30, 30);
  big.Fill(ColorToPixel(MakeColor(0, 0, 200)));
  clipboard_.SetBitmap(big);
  form->UpdateActions();
  EXPECT_TRUE(form->Act("PasteAct").isEnabled());
  Trigger(*form, "PasteAct");  // enabled, but there is nothing to paste into
  EXPECT_EQ(form->Editor().Session().CurrentImage(), nullptr);

  // A picture larger than the image is cut to it; all of it is selected.
  ASSERT_TRUE(form->Files().TryOpenFile(MakeBitmap("small.bmp", 20, 20, 4)));
  Settle();
  Trigger(*form, "PasteAct");
  const TWorkImage& image = Current(*form);
  ASSERT_TRUE(image.HasLayer());
  EXPECT_EQ(image.Layer()->Width(), 20);
  EXPECT_EQ(Selected(image.Mask()).size(), 400);
  // Into a 16-colour image the piece comes in the palette's colours.
  EXPECT_EQ(PixelToColor(image.Layer()->Pixel(5, 5)), Blue);

  clipboard_.Clear();
  form->UpdateActions();
  EXPECT_FALSE(form->Act("PasteAct").isEnabled());
}

}  // namespace
