// The drawing tools driven through the zoom box: strokes, rubber bands, metrics, the Shift
// constraint, the shape styles, flood fill, the transparent colour and Ctrl picking.

#include "editor/ToolFixture.h"
#include "editor/tools/SetTransparentTool.h"
#include "model/FileIO.h"
#include "model/codecs/PngCodec.h"

namespace {

class DrawToolTest : public ToolTest {};

TEST_F(DrawToolTest, PencilClickSetsOnePixelAsOneUndoStep) {
  auto form = OpenWhite();
  Trigger(*form, "Pencil1");
  ASSERT_TRUE(form->Editor().Tools().PencilBtn->Down());
  form->Editor().Colors().ApplyLeftColor(Red);
  Click(*form, {3, 4});
  EXPECT_EQ(PixelsOf(*form, Red), QStringList{"3,4"});
  EXPECT_EQ(UndoDepth(*form), 1);
  EXPECT_TRUE(form->Editor().Session().CurrentImage()->IsModified());
  EXPECT_FALSE(form->Editor().Tools().ActiveTool()->Dragging());
  // The moves of a stroke join without gaps; the right button paints the right colour.
  form->Editor().Colors().ApplyRightColor(Blue);
  Drag(*form, {0, 10}, {6, 10}, Qt::RightButton);
  EXPECT_EQ(PixelsOf(*form, Blue), Block(0, 10, 6, 10));
  EXPECT_EQ(UndoDepth(*form), 2);
}

TEST_F(DrawToolTest, LineShowsItsMetricsAndRepairsTheRubberBand) {
  auto form = OpenWhite();
  Trigger(*form, "Line1");
  form->Editor().Colors().ApplyLeftColor(Red);
  Press(*form, {2, 2});
  Move(*form, {15, 12});
  Move(*form, {7, 4});
  EXPECT_EQ(form->StatusText(1), "X: 7      Y: 4");
  EXPECT_EQ(form->StatusText(2), "W: 6      H: 3 L: 7");
  // Until the release the document holds the state before the stroke.
  EXPECT_TRUE(PixelsOf(*form, Red).isEmpty());
  Release(*form, {7, 4});
  EXPECT_EQ(form->StatusText(2), "");
  EXPECT_EQ(PixelsOf(*form, Red), (QStringList{"2,2", "3,2", "4,3", "5,3", "6,4", "7,4"}));
  EXPECT_EQ(UndoDepth(*form), 1);
}

TEST_F(DrawToolTest, ShiftSnapsTheLineToDiagonalsSlopesAndAxes) {
  auto form = OpenWhite();
  Trigger(*form, "Line1");
  form->Editor().Colors().ApplyLeftColor(Red);
  const std::pair<TPoint, TPoint> cases[] = {
      {{10, 3}, {10, 5}}, {{10, 1}, {10, 0}}, {{9, 8}, {9, 9}}};
  for (const auto& [pointer, end] : cases) {
    Press(*form, {0, 0}, Qt::LeftButton, Qt::ShiftModifier);
    Move(*form, pointer, Qt::ShiftModifier);
    Release(*form, pointer, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(ImagePixel(*form, end.X, end.Y), Red) << end.X << "," << end.Y;
    EXPECT_EQ(int(PixelsOf(*form, Red).size()), std::max(end.X, end.Y) + 1);
    Trigger(*form, "UndoAct");
  }
}

TEST_F(DrawToolTest, CentreRectangleIsMirroredAboutItsAnchor) {
  auto form = OpenWhite();
  Trigger(*form, "CenterRectAct1");
  EXPECT_TRUE(form->Editor().Tools().ClosedStyleBar->isVisibleTo(form->Editor().Tools().ToolPanel));
  form->Editor().Colors().ApplyLeftColor(Red);
  form->Editor().Colors().ApplyRightColor(Blue);
  Press(*form, {10, 10});
  Move(*form, {11, 11});
  Move(*form, {12, 13});
  EXPECT_EQ(form->StatusText(2), "W: 5      H: 7");
  Release(*form, {12, 13});
  // Fill and outline: the left colour outlines, the right one fills.
  QStringList painted = PixelsOf(*form, Red) + PixelsOf(*form, Blue);
  painted.sort();
  QStringList expected = Block(8, 7, 12, 13);
  expected.sort();
  EXPECT_EQ(painted, expected);
  EXPECT_EQ(PixelsOf(*form, Blue), Block(9, 8, 11, 12));
}

TEST_F(DrawToolTest, ShapesDraggedEitherWayAreTheSame) {
  auto form = OpenWhite();
  for (const char* tool : {"Rectangle1", "Ellipse1"}) {
    Trigger(*form, tool);
    Drag(*form, {3, 3}, {12, 9});
    const TSurface downRight = form->Editor().Session().CurrentImage()->Image();
    Trigger(*form, "UndoAct");
    Drag(*form, {12, 9}, {3, 3});
    EXPECT_TRUE(form->Editor().Session().CurrentImage()->Image() == downRight) << tool;
    Trigger(*form, "UndoAct");
  }
  Trigger(*form, "Ellipse1");
  Press(*form, {3, 3});
  Move(*form, {12, 9});
  EXPECT_EQ(form->StatusText(2), "Dx: 10     Dy: 7");
  Release(*form, {12, 9});
}

TEST_F(DrawToolTest, StyleButtonsChooseOutlineAndFill) {
  auto form = OpenWhite();
  Trigger(*form, "Rectangle1");
  form->Editor().Colors().ApplyLeftColor(Red);
  form->Editor().Colors().ApplyRightColor(Blue);
  // Fill only with the right button: outline and inside in the right colour.
  form->Editor().Tools().ctFillOnlyBtn->SetDown(true);
  Drag(*form, {2, 2}, {6, 5}, Qt::RightButton);
  EXPECT_EQ(PixelsOf(*form, Blue), Block(2, 2, 6, 5));
  EXPECT_TRUE(PixelsOf(*form, Red).isEmpty());
  // Outline only leaves the inside as it was.
  form->Editor().Tools().ctOutlineBtn->SetDown(true);
  Drag(*form, {1, 1}, {7, 6});
  EXPECT_EQ(PixelsOf(*form, Red).size(), 22);
  EXPECT_EQ(PixelsOf(*form, Blue), Block(2, 2, 6, 5));
  // With every style button up the shape is filled and outlined.
  form->Editor().Tools().ctOutlineBtn->SetDown(false);
  Drag(*form, {10, 10}, {12, 12});
  EXPECT_EQ(ImagePixel(*form, 11, 11), Blue);
  EXPECT_EQ(ImagePixel(*form, 10, 10), Red);
}

TEST_F(DrawToolTest, FloodFillFollowsTheColourNotTheSelection) {
  // A black wall at column 5 splits the white picture.
  auto form = OpenAt800(
      MakeImage("wall.bmp", 12, 6, 24, [](int x, int) { return x == 5 ? clBlack : clWhite; }));
  Drag(*form, {0, 0}, {1, 1});  // a small selection with the select tool
  ASSERT_EQ(Selected(form->Editor().Session().CurrentImage()->Mask()).size(), 4);
  Trigger(*form, "Fill1");
  form->Editor().Colors().ApplyLeftColor(Red);
  Click(*form, {2, 3});
  EXPECT_EQ(PixelsOf(*form, Red), Block(0, 0, 4, 5));
  EXPECT_EQ(PixelsOf(*form, clWhite).size(), 6 * 6);
  EXPECT_EQ(UndoDepth(*form), 2);
}

TEST_F(DrawToolTest, FillReachesEveryPixelOfALargeSpiral) {
  // A one-pixel path through the whole picture defeats any recursive fill.
  const int n = 301;
  auto form = OpenAt800(MakeImage("maze.bmp", n, n, 24, [](int x, int y) {
    return (y % 2 == 1 && x != (y % 4 == 1 ? n - 1 : 0)) ? clBlack : clWhite;
  }));
  Trigger(*form, "Fill1");
  form->Editor().Colors().ApplyLeftColor(Red);
  Click(*form, {0, 0});
  EXPECT_EQ(ImagePixel(*form, n - 1, n - 1), Red);
  EXPECT_EQ(PixelsOf(*form, clWhite).size(), 0);
}

TEST_F(DrawToolTest, SetTransparentTogglesWithOneUndoStepPerClick) {
  auto form = OpenAt800(
      MakeImage("t.bmp", 6, 6, 24, [](int x, int y) { return x == 2 && y == 2 ? Red : clWhite; }));
  ASSERT_FALSE(form->Editor().Session().CurrentImage()->GetTransparent());
  Trigger(*form, "Settransparentcolor1");
  Click(*form, {2, 2});
  EXPECT_TRUE(form->Editor().Session().CurrentImage()->GetTransparent());
  EXPECT_EQ(form->Editor().Session().CurrentImage()->GetTransparentColor(), Red);
  EXPECT_TRUE(form->Editor().Session().CurrentImage()->IsModified());
  Click(*form, {2, 2});
  EXPECT_FALSE(form->Editor().Session().CurrentImage()->GetTransparent());
  EXPECT_EQ(UndoDepth(*form), 2);
  Trigger(*form, "UndoAct");
  EXPECT_TRUE(form->Editor().Session().CurrentImage()->GetTransparent());
  EXPECT_TRUE(form->Editor().Session().WorkingCopy()->GetTransparent());
  Trigger(*form, "UndoAct");
  EXPECT_FALSE(form->Editor().Session().CurrentImage()->GetTransparent());
}

TEST_F(DrawToolTest, OnA32BitImagePixelsArePaintedOpaqueAndUndoKeepsAlpha) {
  std::vector<uint8_t> rgba(6 * 6 * 4, 255);
  rgba[(1 * 6 + 1) * 4 + 3] = 100;  // a half-transparent white pixel at (1, 1)
  rgba[(4 * 6 + 4) * 4 + 0] = 0;    // a cyan pixel at (4, 4)
  WriteFileAtomic(Local(FilePath("a.png")), WritePng(6, 6, rgba.data()));
  auto form = OpenAt800(FilePath("a.png"));
  TWorkImage* image = form->Editor().Session().CurrentImage();
  ASSERT_EQ(image->GetBitCount(), 32);
  const TSurface before = image->Image();
  Trigger(*form, "Pencil1");
  form->Editor().Colors().ApplyLeftColor(Red);
  Drag(*form, {0, 1}, {3, 1});
  EXPECT_EQ(image->Image().Pixel(1, 1), ColorToPixel(Red));
  Trigger(*form, "UndoAct");
  EXPECT_EQ(image->Image(), before);
  // Setting the transparent colour clears every pixel of that colour, whatever its alpha.
  Trigger(*form, "Settransparentcolor1");
  Click(*form, {3, 3});
  EXPECT_EQ(image->Image().Pixel(3, 3), WithAlpha(0xFFFFFF, 0));
  EXPECT_EQ(image->Image().Pixel(1, 1), WithAlpha(0xFFFFFF, 0));
  EXPECT_EQ(image->Image().Pixel(4, 4), ColorToPixel(MakeColor(0, 255, 255)));
  EXPECT_FALSE(image->GetTransparent());
  EXPECT_EQ(form->Editor().Session().WorkingCopy()->Image(), image->Image());
}

TEST_F(DrawToolTest, SetTransparentOnASubIconSaysWhyNothingHappens) {
  auto form = Start();
  ASSERT_TRUE(form->Files().TryOpenFile(MakeIcon("i.ico", {{8, 4}})));
  form->Navigator->Select(Node(*form, 0, 0));
  Settle();
  ASSERT_TRUE(form->Editor().Session().CurrentImage());
  form->Editor().View().ZoomCombo->setCurrentIndex(3);
  Settle();
  Trigger(*form, "Settransparentcolor1");
  Click(*form, {2, 2});
  EXPECT_EQ(form->StatusText(2), TSetTransparentTool::NoTransparentColorText);
  EXPECT_FALSE(form->Editor().Session().CurrentImage()->IsModified());
  EXPECT_EQ(UndoDepth(*form), 0);
}

TEST_F(DrawToolTest, TheToolsMenuChecksTheActiveTool) {
  auto form = OpenWhite();
  const auto checked = [&] {
    QStringList names;
    for (const char* name : {"Select1", "Pencil1", "Text1", "Fill1"})
      if (form->Act(name).isChecked()) names << name;
    return names;
  };
  EXPECT_EQ(checked(), QStringList{"Select1"});
  Trigger(*form, "Pencil1");
  EXPECT_EQ(checked(), QStringList{"Pencil1"});
  Trigger(*form, "Pencil1");  // choosing the active tool again keeps it
  EXPECT_EQ(checked(), QStringList{"Pencil1"});
  QTest::mouseClick(form->Editor().Tools().TextBtn, Qt::LeftButton);  // the button itself
  EXPECT_EQ(checked(), QStringList{"Text1"});
  Trigger(*form, "Select1");
  EXPECT_EQ(checked(), QStringList{"Select1"});
}

TEST_F(DrawToolTest, CtrlPicksInsteadOfDrawing) {
  auto form = OpenAt800(
      MakeImage("p.bmp", 8, 8, 24, [](int x, int y) { return x == 5 && y == 5 ? Blue : clWhite; }));
  for (const char* tool : {"Pencil1", "Fill1", "Line1", "Rectangle1", "Magicwand1", "Select1"}) {
    Trigger(*form, tool);
    form->Editor().Colors().ApplyLeftColor(Red);
    form->Editor().Colors().ApplyRightColor(Red);
    Click(*form, {5, 5}, Qt::LeftButton, Qt::ControlModifier);
    Click(*form, {1, 1}, Qt::RightButton, Qt::ControlModifier);
    EXPECT_EQ(form->Editor().Colors().CurrentLeftColor(), Blue) << tool;
    EXPECT_EQ(form->Editor().Colors().CurrentRightColor(), clWhite) << tool;
    EXPECT_EQ(PixelsOf(*form, Blue), QStringList{"5,5"});
    EXPECT_EQ(UndoDepth(*form), 0) << tool;
    EXPECT_FALSE(form->Editor().Tools().ActiveTool()->Dragging());
  }
}

TEST_F(DrawToolTest, ClicksOnTheClosingLineStayOnTheImage) {
  auto form = OpenWhite(4, 4);
  Trigger(*form, "Pencil1");
  form->Editor().Colors().ApplyLeftColor(Red);
  QTest::mouseClick(form->Editor().View().ZoomBox, Qt::LeftButton, Qt::NoModifier, {32, 32});
  EXPECT_EQ(PixelsOf(*form, Red), QStringList{"3,3"});
}

}  // namespace
