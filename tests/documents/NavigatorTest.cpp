#include <QElapsedTimer>
#include <QScrollBar>

#include "controls/Pictures.h"
#include "documents/DocWinFixture.h"
#include "documents/ImageHint.h"

namespace {

TEST(NavigatorHint, PicturesFitTheHintKeepingTheirShape) {
  EXPECT_EQ(TImageBrowseFrm::HintPictureRect({200, 100}), QRect(0, 12, 96, 48));
  EXPECT_EQ(TImageBrowseFrm::HintPictureRect({50, 200}), QRect(39, 0, 18, 72));
  EXPECT_EQ(TImageBrowseFrm::HintPictureRect({16, 16}), QRect(40, 28, 16, 16));
  EXPECT_EQ(TImageBrowseFrm::HintPictureRect({96, 72}), QRect(0, 0, 96, 72));
  EXPECT_EQ(TImageBrowseFrm::HintPictureRect({192, 144}), QRect(0, 0, 96, 72));
  EXPECT_EQ(TImageBrowseFrm::HintPictureRect({97, 10}), QRect(0, 31, 96, 10));
}

TEST_F(DocWinTest, NodeIconsShowKindAndFloatingLayer) {
  auto form = Start();
  ASSERT_TRUE(form->Files().TryOpenFile(MakeBitmap("a.bmp", 4, 4)));
  ASSERT_TRUE(form->Files().TryOpenFile(
      MakeImage<TWorkJpeg>("b.jpg", 4, 4, 24, [](int, int) { return clWhite; })));
  ASSERT_TRUE(form->Files().TryOpenFile(MakeAnimation("c.gif", 1)));
  ASSERT_TRUE(form->Files().TryOpenFile(MakeAnimation("d.gif", 2)));
  ASSERT_TRUE(form->Files().TryOpenFile(MakeIcon("e.ico", {{16, 4}})));
  const auto index = [&](int top, int child = -1) {
    return static_cast<TNavigatorNode*>(Node(*form, top, child))->ImageIndex();
  };
  EXPECT_EQ(index(0), 4);
  EXPECT_EQ(index(1), 2);
  EXPECT_EQ(index(2), 5);
  EXPECT_EQ(index(3), 1);
  EXPECT_EQ(index(3, 0), 0);  // animation frames have the plain picture
  EXPECT_EQ(index(4), 6);
  EXPECT_EQ(index(4, 0), 6);
  // A floating layer marks the node; the tree draws the marked icon.
  TWorkImage* bitmap = NodeImage(Node(*form, 0));
  bitmap->EditMask().SetSelected(1, 1, true);
  bitmap->LiftSelection(false, clWhite);
  EXPECT_EQ(index(0), 4 + Pictures::FloatingNodeOffset);
  const QIcon shown = Node(*form, 0)->icon(0);
  EXPECT_EQ(shown.cacheKey(), form->Navigator->PicIcons[4 + Pictures::FloatingNodeOffset].cacheKey());
}

TEST_F(DocWinTest, FramesShowTheViewAndGroupsTheFrameGrid) {
  auto form = Start();
  ASSERT_TRUE(form->Files().TryOpenFile(MakeIcon("i.ico", {{16, 4}, {32, 8}})));
  EXPECT_TRUE(form->Frames().isVisible());
  EXPECT_FALSE(form->Splitter1->isVisible());
  EXPECT_FALSE(form->Editor().Tools().ToolPanel->isVisible());
  EXPECT_EQ(form->Editor().Colors().MColor->Color(), QColor(192, 192, 192));
  form->Navigator->Select(Node(*form, 0, 1));
  Settle();
  TWorkImage* frame = NodeImage(Node(*form, 0, 1));
  EXPECT_EQ(form->Editor().Session().CurrentImage(), frame);
  EXPECT_EQ(form->Editor().Session().CurrentGroup(), nullptr);
  EXPECT_TRUE(form->Editor().View().ZoomBox->isVisible());
  EXPECT_TRUE(form->Editor().Colors().Panel4->isVisible());
  EXPECT_FALSE(form->Frames().isVisible());
  EXPECT_EQ(form->Editor().Session().WorkingCopy()->Width(), 32);
  EXPECT_EQ(form->Editor().View().ViewImg->size(), QSize(32, 32));
  EXPECT_EQ(form->Editor().Colors().ColorGrid->ColCount(), 8);
  EXPECT_EQ(form->Editor().Colors().ColorGrid->RowCount(), 32);
  EXPECT_EQ(form->windowTitle(), "Velmora: " + FilePath("i.ico"));
  // Back on the icon's own node, the frame grid shows and the working copy goes.
  form->Navigator->Select(Node(*form, 0));
  EXPECT_EQ(form->Editor().Session().CurrentGroup(), NodeGroup(Node(*form, 0)));
  EXPECT_EQ(form->Editor().Session().WorkingCopy(), nullptr);
  EXPECT_EQ(form->Editor().View().ZoomBox->size(), QSize(0, 0));
  EXPECT_TRUE(form->Editor().View().HScr->isHidden());
}

TEST_F(DocWinTest, LeavingAnImageForAGroupKeepsPendingChangesAsOneUndoStep) {
  auto form = Start();
  ASSERT_TRUE(form->Files().TryOpenFile(MakeBitmap("a.bmp", 4, 4)));
  ASSERT_TRUE(form->Files().TryOpenFile(MakeAnimation("b.gif", 2)));
  form->Navigator->Select(Node(*form, 0));
  TWorkImage* image = form->Editor().Session().CurrentImage();
  form->Editor().Session().WorkingCopy()->EditImage().SetPixel(0, 0, ColorToPixel(clBlack));
  image->SetModified(true);
  form->Navigator->Select(Node(*form, 1));
  EXPECT_EQ(PixelToColor(image->Image().Pixel(0, 0)), clBlack);
  EXPECT_TRUE(image->CanUndo());
  // With nothing pending no step is added.
  form->Navigator->Select(Node(*form, 0));
  form->Navigator->Select(Node(*form, 1));
  image->Undo();
  EXPECT_FALSE(image->CanUndo());
}

TEST_F(DocWinTest, HintAppearsAfterTheDelayBesideThePointer) {
  auto form = Start();
  ASSERT_TRUE(form->Files().TryOpenFile(
      MakeImage("wide.bmp", 200, 100, 24, [](int, int) { return MakeColor(255, 0, 0); })));
  ASSERT_TRUE(form->Files().TryOpenFile(MakeAnimation("anim.gif", 3)));
  QWidget* viewport = form->Navigator->PicTree->viewport();
  const QTreeWidget* tree = form->Navigator->PicTree;
  const QPoint first = tree->visualItemRect(Node(*form, 0)).center();
  QTest::mouseMove(viewport, first);
  RunEventLoop(300);
  EXPECT_EQ(form->Navigator->Hint(), nullptr);
  ASSERT_TRUE(WaitUntil([&] { return form->Navigator->Hint() != nullptr; }, 1500));
  TImageHint* hint = form->Navigator->Hint();
  EXPECT_EQ(hint->geometry(), QRect(viewport->mapToGlobal(first) + QPoint(20, 20), QSize(96, 72)));
  EXPECT_EQ(hint->Picture->geometry(), QRect(0, 12, 96, 48));
  EXPECT_EQ(hint->Node, Node(*form, 0));
  // Another node closes it; the group's hint plays its animation.
  QTest::mouseMove(viewport, tree->visualItemRect(Node(*form, 1)).center());
  EXPECT_EQ(form->Navigator->Hint(), nullptr);
  ASSERT_TRUE(WaitUntil([&] { return form->Navigator->Hint() != nullptr; }, 1500));
  QMovie* movie = form->Navigator->Hint()->Movie();
  ASSERT_NE(movie, nullptr);
  EXPECT_TRUE(movie->isValid());
  EXPECT_EQ(movie->frameCount(), 3);
  EXPECT_EQ(form->Navigator->Hint()->Picture->geometry(), QRect(44, 32, 8, 8));
  // Without "Thumbnail hint" nothing appears.
  form->Navigator->cbHints->setChecked(false);
  EXPECT_EQ(form->Navigator->Hint(), nullptr);
  QTest::mouseMove(viewport, first);
  RunEventLoop(1000);
  EXPECT_EQ(form->Navigator->Hint(), nullptr);
}

TEST_F(DocWinTest, TheHintGoesWhenTheTreeScrollsAnotherNodeUnderThePointer) {
  auto form = Start();
  for (int i = 0; i < 30; ++i)
    ASSERT_TRUE(form->Files().TryOpenFile(MakeBitmap(QString("b%1.bmp").arg(i), 4, 4)));
  QTreeWidget* tree = form->Navigator->PicTree;
  tree->scrollToTop();
  Settle();
  ASSERT_GT(tree->verticalScrollBar()->maximum(), 0);
  const QPoint at = tree->visualItemRect(Node(*form, 1)).center();
  QTest::mouseMove(tree->viewport(), at);
  ASSERT_TRUE(WaitUntil([&] { return form->Navigator->Hint() != nullptr; }, 1500));
  EXPECT_EQ(form->Navigator->Hint()->Node, Node(*form, 1));
  tree->verticalScrollBar()->setValue(tree->verticalScrollBar()->value() + 3);
  EXPECT_EQ(form->Navigator->Hint(), nullptr);
  // The node now under the pointer gets its own hint after the delay.
  ASSERT_TRUE(WaitUntil([&] { return form->Navigator->Hint() != nullptr; }, 1500));
  EXPECT_EQ(form->Navigator->Hint()->Node, tree->itemAt(at));
}

TEST_F(DocWinTest, ClosingTheSelectedDocumentSelectsANeighbour) {
  auto form = Start();
  for (const char* name : {"a.bmp", "b.bmp", "c.bmp"})
    ASSERT_TRUE(form->Files().TryOpenFile(MakeBitmap(name, 3, 3)));
  form->Navigator->Select(Node(*form, 1));
  Trigger(*form, "CloseAct");
  EXPECT_EQ(NodeTexts(*form), (QStringList{"a.bmp", "c.bmp"}));
  ASSERT_NE(form->Navigator->Selected(), nullptr);
  EXPECT_TRUE(form->Navigator->Selected()->isSelected());
  EXPECT_EQ(form->Editor().Session().CurrentImage(), NodeImage(form->Navigator->Selected()));
  EXPECT_EQ(form->Editor().Session().WorkingCopy()->Width(), 3);
}

}  // namespace
