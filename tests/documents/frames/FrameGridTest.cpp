#include <QAccessible>
#include <QContextMenuEvent>
#include <QScrollBar>

#include "documents/DocWinFixture.h"
#include "documents/NewImageForm.h"
#include "documents/frames/FrameGrid.h"
#include "windows/MoviePlayer.h"
#include "windows/OptionsForm.h"

namespace {

class FrameGridTest : public DocWinTest {
 protected:
  static TGroupPreviewGrid& Grid(TMainForm& form) { return *form.Frames().GroupPreview; }

  // Gives the centre area (where the grid shows) this width.
  static void SetCentreWidth(TMainForm& form, int width) {
    const int total = form.MainSplitter->width() - form.MainSplitter->handleWidth();
    form.MainSplitter->setSizes({width, total - width});
    Settle();
  }

  static QPoint CellCentre(TMainForm& form, int col, int row) {
    return Grid(form).CellRect(col, row).center();
  }
};

TEST_F(FrameGridTest, CellsFitTheFramesAndColumnsTheWidth) {
  auto form = Start();
  ASSERT_TRUE(form->Files().TryOpenFile(MakeAnimation("five.gif", 5, 32, 32)));
  SetCentreWidth(*form, 200);
  TGroupPreviewGrid& grid = Grid(*form);
  ASSERT_TRUE(form->Frames().isVisible());
  ASSERT_LE(grid.width(), 200);
  EXPECT_EQ(grid.ColCount(), 4);  // the header and three frame columns
  EXPECT_EQ(grid.RowCount(), 3);  // the header and two frame rows
  EXPECT_EQ(grid.ColWidth(0), 16);
  EXPECT_EQ(grid.RowHeight(0), 16);
  EXPECT_EQ(grid.ColWidth(1), 48);
  EXPECT_EQ(grid.RowHeight(2), 48);
  EXPECT_EQ(grid.PictureList.size(), 5u);
  EXPECT_EQ(grid.CurrentFrame(), 0);
  EXPECT_EQ(grid.GetCellIndex(1, 2), 3);
  EXPECT_EQ(grid.GetCellIndex(3, 2), -1);
  // Widening the centre lays the same frames out again, keeping the current one.
  form->Frames().SelectFrame(4);
  SetCentreWidth(*form, 600);
  EXPECT_EQ(grid.ColCount(), 6);
  EXPECT_EQ(grid.RowCount(), 2);
  EXPECT_EQ(grid.CurrentFrame(), 4);
  EXPECT_EQ(grid.horizontalScrollBar()->maximum(), 0);

  // One frame: a header and one column; it cannot be deleted. (A one-frame GIF opens as a
  // single picture, so this group is an icon.)
  ASSERT_TRUE(form->Files().TryOpenFile(MakeIcon("one.ico", {{8, 4}})));
  EXPECT_EQ(grid.ColCount(), 2);
  EXPECT_EQ(grid.RowCount(), 2);
  form->UpdateActions();
  EXPECT_FALSE(form->Act("DelFrameAct").isEnabled());
  EXPECT_TRUE(form->Act("InsertFrameAct").isEnabled());

  // Large frames are shown scaled in cells of 272 x 208.
  ASSERT_TRUE(form->Files().TryOpenFile(MakeAnimation("big.gif", 2, 400, 300)));
  EXPECT_EQ(grid.ColWidth(1), 272);
  EXPECT_EQ(grid.RowHeight(1), 208);
  EXPECT_EQ(TPicDrawGrid::FitPicture({400, 300}, grid.CellRect(1, 1).adjusted(3, 3, -3, -3)).size(),
            QSize(266, 199));
}

TEST_F(FrameGridTest, ThumbnailsShowTheFramesWithTheirTransparency) {
  auto form = Start();
  ASSERT_TRUE(form->Files().TryOpenFile(MakeIcon("i.ico", {{16, 4}, {48, 24}})));
  TGroupPreviewGrid& grid = Grid(*form);
  ASSERT_EQ(grid.PictureList.size(), 2u);
  // The cells fit the largest sub-icon.
  EXPECT_EQ(grid.ColWidth(1), 64);
  const QImage& small = grid.PictureList[0].Image;
  EXPECT_EQ(small.size(), QSize(16, 16));
  EXPECT_EQ(qAlpha(small.pixel(0, 0)), 0);  // the icon's transparent pixel
  EXPECT_EQ(qAlpha(small.pixel(1, 0)), 255);
  EXPECT_EQ(grid.PictureList[1].Image.size(), QSize(48, 48));
  // The grid is painted with the first cell framed: no empty grey box.
  const QImage shot = grid.viewport()->grab().toImage();
  const QRect cell = grid.CellRect(1, 1);
  EXPECT_NE(shot.pixelColor(cell.center()), QColor(192, 192, 192));
}

TEST_F(FrameGridTest, InsertingAndDeletingKeepTheNodesNumbered) {
  auto form = Start();
  ASSERT_TRUE(form->Files().TryOpenFile(MakeAnimation("four.gif", 4)));
  TImageGroup* group = form->Editor().Session().CurrentGroup();
  ASSERT_NE(group, nullptr);
  TWorkFrame* oldSecond = group->GetFrame(2);
  form->Frames().SelectFrame(2);
  Trigger(*form, "InsertFrameAct");
  EXPECT_EQ(NodeTexts(*form),
            (QStringList{"four.gif", "Frame0", "Frame1", "Frame2", "Frame3", "Frame4"}));
  ASSERT_EQ(group->Count(), 5);
  EXPECT_EQ(NodeImage(Node(*form, 0, 2)), group->GetFrame(2));
  EXPECT_EQ(NodeImage(Node(*form, 0, 3)), oldSecond);
  EXPECT_EQ(group->GetFrame(2)->Width(), 8);
  EXPECT_TRUE(group->IsModified());
  EXPECT_EQ(Grid(*form).PictureList.size(), 5u);
  EXPECT_EQ(form->Frames().CurrentFrame(), 2);  // the new frame
  // The new frame is blank in a colour of the palette.
  const TColor blank = PixelToColor(group->GetFrame(2)->Image().Pixel(3, 3));
  EXPECT_EQ(group->GetFrame(2)->NearestColor(blank), blank);

  Trigger(*form, "AddFrameAct");
  ASSERT_EQ(group->Count(), 6);
  EXPECT_EQ(Node(*form, 0, 5)->text(0), "Frame5");
  EXPECT_EQ(NodeImage(Node(*form, 0, 5)), group->GetFrame(5));

  // Deleting asks first while warnings are on; No keeps the frame.
  form->Frames().SelectFrame(1);
  dialogs_.Answers = {TAnswer::No};
  Trigger(*form, "DelFrameAct");
  EXPECT_EQ(dialogs_.Shown("question"), QStringList{"Do you really want to delete the frame?"});
  EXPECT_EQ(group->Count(), 6);
  TWorkFrame* third = group->GetFrame(2);
  dialogs_.Answers = {TAnswer::Yes};
  Trigger(*form, "DelFrameAct");
  ASSERT_EQ(group->Count(), 5);
  EXPECT_EQ(NodeImage(Node(*form, 0, 1)), third);
  EXPECT_EQ(NodeTexts(*form).mid(1),
            (QStringList{"Frame0", "Frame1", "Frame2", "Frame3", "Frame4"}));
  // Without warnings it deletes at once.
  form->OptionsForm().WarnBoxes->setChecked(false);
  form->Frames().SelectFrame(4);
  Trigger(*form, "DelFrameAct");
  EXPECT_EQ(group->Count(), 4);
  EXPECT_EQ(dialogs_.Shown("question").size(), 2);
  EXPECT_EQ(form->Frames().CurrentFrame(), 3);
  EXPECT_EQ(Node(*form, 0)->childCount(), 4);
}

TEST_F(FrameGridTest, NewSubIconAsksForSizeAndDepthAndCancelChangesNothing) {
  auto form = Start();
  ASSERT_TRUE(form->Files().TryOpenFile(MakeIcon("i.ico", {{32, 8}})));
  TImageGroup* group = form->Editor().Session().CurrentGroup();
  Trigger(*form, "AddFrameAct");  // no script: the dialog is cancelled
  EXPECT_EQ(dialogs_.Shown("dialog"), QStringList{"NewSubIconForm"});
  EXPECT_EQ(group->Count(), 1);
  EXPECT_EQ(Node(*form, 0)->childCount(), 1);
  EXPECT_FALSE(group->IsModified());

  QString caption, mode;
  dialogs_.DialogScripts.push_back([&](QDialog& dialog) {
    auto& sub = static_cast<TNewImageForm&>(dialog);
    caption = sub.windowTitle();
    mode = sub.ColorModeText();
    EXPECT_EQ(sub.ImageWidth(), 16);
    EXPECT_FALSE(sub.gbImageType->isVisible());
    sub.rbLarge->click();
    return int(QDialog::Accepted);
  });
  Trigger(*form, "AddFrameAct");
  EXPECT_EQ(caption, "New sub icon");
  EXPECT_TRUE(mode.startsWith("32 bit")) << mode.toStdString();
  ASSERT_EQ(group->Count(), 2);
  EXPECT_EQ(group->GetFrame(1)->Width(), 64);
  EXPECT_EQ(group->GetFrame(1)->GetBitCount(), 32);
  EXPECT_EQ(Node(*form, 0, 1)->text(0), "SubIcon1");
  EXPECT_EQ(Grid(*form).ColWidth(1), 80);  // cells grew for the larger sub-icon
}

TEST_F(FrameGridTest, OpeningAFrameAndGoingBackToTheGrid) {
  auto form = Start();
  ASSERT_TRUE(form->Files().TryOpenFile(MakeAnimation("three.gif", 3)));
  TImageGroup* group = form->Editor().Session().CurrentGroup();
  QWidget* viewport = Grid(*form).viewport();
  // A double click begins with a click, which makes the cell current.
  QTest::mouseClick(viewport, Qt::LeftButton, {}, CellCentre(*form, 2, 1));
  QTest::mouseDClick(viewport, Qt::LeftButton, {}, CellCentre(*form, 2, 1));
  Settle();
  EXPECT_EQ(form->Editor().Session().CurrentImage(), group->GetFrame(1));
  EXPECT_EQ(form->Navigator->Selected(), Node(*form, 0, 1));
  EXPECT_FALSE(form->Frames().isVisible());
  // Ctrl+Backspace goes back with the keyboard on the grid.
  QTest::keyClick(form.get(), Qt::Key_Backspace, Qt::ControlModifier);
  Settle();
  EXPECT_EQ(form->Editor().Session().CurrentGroup(), group);
  EXPECT_TRUE(Grid(*form).hasFocus());
  form->UpdateActions();
  EXPECT_FALSE(form->Act("GoParentAct").isEnabled());
  // Enter opens the current frame; the arrow keys move over frames only.
  QTest::keyClick(&Grid(*form), Qt::Key_Right);
  QTest::keyClick(&Grid(*form), Qt::Key_Right);
  QTest::keyClick(&Grid(*form), Qt::Key_Right);  // no frame beyond the third
  EXPECT_EQ(Grid(*form).CurrentFrame(), 2);
  QTest::keyClick(&Grid(*form), Qt::Key_Return);
  EXPECT_EQ(form->Editor().Session().CurrentImage(), group->GetFrame(2));
}

TEST_F(FrameGridTest, ContextMenuOpensOnCellsOnly) {
  auto form = Start();
  ASSERT_TRUE(form->Files().TryOpenFile(MakeAnimation("three.gif", 3)));
  TGroupPreviewGrid& grid = Grid(*form);
  QMenu* menu = form->Frames().GroupPopup;
  const auto rightClick = [&](const QPoint& at) {
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, grid.viewport()->mapToGlobal(at));
    QApplication::sendEvent(grid.viewport(), &event);
  };
  rightClick(CellCentre(*form, 2, 0));  // header row
  EXPECT_FALSE(menu->isVisible());
  rightClick(CellCentre(*form, 3, 1));
  EXPECT_TRUE(menu->isVisible());
  EXPECT_EQ(grid.CurrentFrame(), 2);
  menu->hide();
  QStringList items;
  for (QAction* a : menu->actions()) items << (a->isSeparator() ? "-" : a->text());
  EXPECT_EQ(items, (QStringList{"Cu&t", "&Copy", "&Paste", "-", "&Add new frame",
                                "&Insert new frame", "&Delete frame"}));
}

TEST_F(FrameGridTest, GridCellsAndFrameButtonsHaveAccessibleNames) {
  auto form = Start();
  ASSERT_TRUE(form->Files().TryOpenFile(MakeAnimation("three.gif", 3)));
  QAccessibleInterface* grid = QAccessible::queryAccessibleInterface(&Grid(*form));
  ASSERT_NE(grid, nullptr);
  EXPECT_EQ(grid->role(), QAccessible::Table);
  EXPECT_EQ(grid->text(QAccessible::Name), "Frames");
  ASSERT_EQ(grid->childCount(), 3);
  QAccessibleInterface* cell = grid->child(2);
  ASSERT_NE(cell, nullptr);
  EXPECT_EQ(cell->role(), QAccessible::Cell);
  EXPECT_EQ(cell->text(QAccessible::Name), "Frame2");
  EXPECT_EQ(grid->indexOfChild(cell), 2);
  EXPECT_FALSE(cell->state().selected);
  form->Frames().SelectFrame(2);
  EXPECT_TRUE(cell->state().selected);
  QStringList names;
  for (QAction* action : form->Frames().FrameToolBar->actions()) {
    QWidget* button = form->Frames().FrameToolBar->widgetForAction(action);
    if (action->isSeparator() || !button) continue;
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(button);
    EXPECT_EQ(face->role(), QAccessible::Button);
    names << face->text(QAccessible::Name);
  }
  EXPECT_EQ(names, (QStringList{"Add new frame", "Insert new frame", "Delete frame", "Play"}));
}

TEST_F(FrameGridTest, NewAnimationShowsItsFrameNodeAndGrid) {
  auto form = Start();
  for (int i = 0; i < 30; ++i)
    ASSERT_TRUE(form->Files().TryOpenFile(MakeBitmap(QString("b%1.bmp").arg(i), 2, 2)));
  ASSERT_TRUE(form->Files().TryOpenFile(MakeAnimation("last.gif", 2)));
  Settle();
  QTreeWidget* tree = form->Navigator->PicTree;
  const QRect visible = tree->viewport()->rect();
  EXPECT_TRUE(visible.contains(tree->visualItemRect(Node(*form, 30))));
  EXPECT_TRUE(visible.contains(tree->visualItemRect(Node(*form, 30, 1))));
  EXPECT_TRUE(form->Frames().isVisible());
  EXPECT_EQ(Grid(*form).PictureList.size(), 2u);
}

TEST_F(FrameGridTest, PlayShowsTheGroupInThePlayerWhereItWasLast) {
  auto form = Start();
  ASSERT_TRUE(form->Files().TryOpenFile(MakeAnimation("walk.gif", 3)));
  QString caption;
  int frames = 0;
  QPoint shownAt;
  QSize shownSize;
  const auto script = [&](QDialog& dialog) {
    auto& player = static_cast<TfrmPlayer&>(dialog);
    caption = player.windowTitle();
    frames = player.GroupPreview->FrameCount();
    shownAt = player.geometry().topLeft();
    shownSize = player.size();
    player.setGeometry(120, 130, 500, 400);
    return int(QDialog::Rejected);
  };
  dialogs_.DialogScripts.push_back(script);
  Trigger(*form, "MovieAct");
  EXPECT_EQ(caption, "walk.gif");
  EXPECT_EQ(frames, 3);
  EXPECT_EQ(shownSize, TfrmPlayer::InitialSize);
  // The next player opens where this one was, at its first size.
  dialogs_.DialogScripts.push_back(script);
  Trigger(*form, "MovieAct");
  EXPECT_EQ(shownAt, QPoint(120, 130));
  EXPECT_EQ(shownSize, TfrmPlayer::InitialSize);
  EXPECT_EQ(
      TIniFile(Local(FilePath("Velmora.ini"))).ReadInteger(TfrmPlayer::Section, "FormVersion", 0),
      1);
  EXPECT_TRUE(dialogs_.Shown("error").isEmpty());
}

}  // namespace
