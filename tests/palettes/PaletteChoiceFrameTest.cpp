#include "palettes/PaletteChoiceFrame.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMimeData>
#include <QMouseEvent>
#include <QTest>

#include "PaletteTestFolder.h"
#include "palettes/PaletteGrid.h"

namespace {

class PaletteChoiceFrameTest : public ::testing::Test {
 protected:
  std::unique_ptr<TPaletteChoiceFrame> Create() {
    auto frame = std::make_unique<TPaletteChoiceFrame>();
    frame->resize(200, 400);
    frame->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    return frame;
  }
  static void ClickItem(TPaletteChoiceFrame& f, const QString& name) {
    const auto items = f.lbPalettes->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(items.size(), 1);
    QTest::mouseClick(f.lbPalettes->viewport(), Qt::LeftButton, {},
                      f.lbPalettes->visualItemRect(items[0]).center());
  }
  static QImage Picture(TPaletteChoiceFrame& f) {
    return f.ColorGrid->viewport()->grab().toImage();
  }

  TPaletteTestFolder folder_;
};

TEST_F(PaletteChoiceFrameTest, ListsTheFolderAndLoadsTheClickedFile) {
  folder_.Write("Warm.plt16", TPaletteTestFolder::Ramp(16));
  folder_.Write("Gray.plt4", TPaletteTestFolder::Ramp(4));
  folder_.WriteRaw("readme.txt", "x");
  folder_.WriteRaw("Other.gpl", "GIMP Palette\n1 2 3\n4 5 6\n");
  auto f = Create();
  EXPECT_EQ(f->PaletteFolder(), folder_.Folder());
  EXPECT_EQ(f->lbPalettes->Pattern(), AllPalettesPattern);
  EXPECT_EQ(f->lbPalettes->FileNames(), QStringList({"Gray.plt4", "Other.gpl", "Warm.plt16"}));
  EXPECT_TRUE(f->lbPalettes->IsUsable("Other.gpl"));
  EXPECT_FALSE(f->ContrastOutline());
  EXPECT_EQ(f->Palette.Count, 264);  // nothing selected: the default palette
  int changes = 0;
  QObject::connect(f.get(), &TPaletteChoiceFrame::PaletteChanged, [&] { ++changes; });
  ClickItem(*f, "Warm.plt16");
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(SameEntries(f->Palette, TPaletteTestFolder::Ramp(16)));
  EXPECT_EQ(f->ColorGrid->ColCount(), 2);
  EXPECT_EQ(f->ColorGrid->RowCount(), 8);
  f->lbPalettes->SetPattern("*.plt4");  // a re-read drops the selection
  EXPECT_EQ(changes, 2);
  EXPECT_EQ(f->Palette.Count, 264);
  EXPECT_TRUE(f->lbPalettes->SelectFile("Gray.plt4"));
  EXPECT_EQ(f->Palette.Count, 4);
  EXPECT_FALSE(f->lbPalettes->SelectFile("Warm.plt16"));  // not listed under this pattern
}

TEST_F(PaletteChoiceFrameTest, UserPalettesAreListedWithTheShippedOnesAndHideTheirNames) {
  TPaletteTestFolder shipped;  // the later folder: an installed program's own palettes
  shipped.Write("Gray.plt4", TPaletteTestFolder::Ramp(4));
  shipped.Write("Web.plt", TPaletteTestFolder::Ramp(216));
  folder_.Write("Gray.plt4", TPaletteTestFolder::Ramp(4));
  folder_.WriteRaw("Mine.act", QByteArray(768, '\x20'));
  auto f = Create();
  f->lbPalettes->SetFolders({folder_.Folder(), shipped.Folder()});
  EXPECT_EQ(f->PaletteFolder(), folder_.Folder());  // where saving goes
  EXPECT_EQ(f->lbPalettes->FileNames(), QStringList({"Gray.plt4", "Mine.act", "Web.plt"}));
  ClickItem(*f, "Web.plt");
  EXPECT_EQ(f->lbPalettes->SelectedPath(), shipped.Path("Web.plt"));
  EXPECT_EQ(f->Palette.Count, 216);
  ClickItem(*f, "Gray.plt4");
  EXPECT_EQ(f->lbPalettes->SelectedPath(), folder_.Path("Gray.plt4"));
  ClickItem(*f, "Mine.act");
  EXPECT_EQ(f->Palette.Count, 256);
  EXPECT_EQ(f->Palette.Color(255), MakeColor(32, 32, 32));
}

TEST_F(PaletteChoiceFrameTest, MissingFolderGivesAnEmptyListAndTheDefaultPalette) {
  qputenv(PaletteFolderEnvironmentVariable, QFile::encodeName(folder_.Path("Missing")));
  auto f = Create();
  EXPECT_EQ(f->lbPalettes->count(), 0);
  TPaletteRecord expected;
  FillDefaultPalette264(expected);
  EXPECT_EQ(f->Palette, expected);
  EXPECT_EQ(f->ColorGrid->ColCount(), 8);
  EXPECT_EQ(f->ColorGrid->RowCount(), 33);
  EXPECT_FALSE(f->lbPalettes->SelectFirstFile());
}

TEST_F(PaletteChoiceFrameTest, EmptyPaletteShowsOneRowOfTwoSilverCells) {
  TPaletteRecord empty;
  folder_.Write("Empty.plt", empty);
  auto f = Create();
  ASSERT_TRUE(f->lbPalettes->SelectFile("Empty.plt"));
  EXPECT_EQ(f->Palette.Count, 0);
  EXPECT_EQ(f->ColorGrid->ColCount(), 2);
  EXPECT_EQ(f->ColorGrid->RowCount(), 1);
  const QImage image = Picture(*f);
  EXPECT_EQ(PixelOf(image, image.width() / 4, image.height() / 2), clSilver);
  EXPECT_EQ(PixelOf(image, image.width() * 3 / 4, image.height() / 2), clSilver);
  EXPECT_FALSE(f->ColorGridStartDrag());  // nothing to carry
}

TEST_F(PaletteChoiceFrameTest, DamagedFilesAreListedButCannotBeChosen) {
  folder_.WriteRaw("Short.plt16", QByteArray("\x00\x03\x10\x00"
                                             "abc",
                                             7));
  folder_.Write("Liar.plt16", TPaletteTestFolder::Ramp(4));
  folder_.Write("Good.plt16", TPaletteTestFolder::Ramp(16));
  auto f = Create();
  EXPECT_EQ(f->lbPalettes->count(), 3);
  EXPECT_FALSE(f->lbPalettes->IsUsable("Short.plt16"));
  EXPECT_FALSE(f->lbPalettes->IsUsable("Liar.plt16"));
  EXPECT_EQ(f->lbPalettes->findItems("Short.plt16", Qt::MatchExactly)[0]->toolTip(),
            "The palette file is damaged.");
  ClickItem(*f, "Liar.plt16");
  EXPECT_TRUE(f->lbPalettes->SelectedFile().isEmpty());
  EXPECT_EQ(f->Palette.Count, 264);
  EXPECT_TRUE(f->lbPalettes->SelectFirstFile());
  EXPECT_EQ(f->lbPalettes->SelectedFile(), "Good.plt16");
}

TEST_F(PaletteChoiceFrameTest, FileDamagedAfterListingFallsBackToTheDefaultPalette) {
  folder_.Write("Warm.plt16", TPaletteTestFolder::Ramp(16));
  auto f = Create();
  folder_.WriteRaw("Warm.plt16", QByteArray("\x00\x03", 2));
  f->lbPalettes->SelectFile("Warm.plt16");
  EXPECT_TRUE(f->lbPalettes->SelectedFile().isEmpty());
  EXPECT_EQ(f->Palette.Count, 264);
  EXPECT_FALSE(f->lbPalettes->IsUsable("Warm.plt16"));
}

TEST_F(PaletteChoiceFrameTest, SelectedCellGetsAContrastingOutlineOnlyWhenAsked) {
  EXPECT_EQ(ContrastOutlineColor(MakeColor(200, 100, 0)), MakeColor(0, 255, 255));
  EXPECT_EQ(ContrastOutlineColor(clBlack), clWhite);
  EXPECT_EQ(ContrastOutlineColor(clSilver), clBlack);
  TPaletteRecord pal;
  pal.Count = 2;
  pal.SetColor(0, MakeColor(200, 100, 0));
  pal.SetColor(1, clBlack);
  folder_.Write("Two.plt2", pal);
  auto f = Create();
  ASSERT_TRUE(f->lbPalettes->SelectFile("Two.plt2"));
  const QRect cell = f->ColorGrid->CellRect(0, 0);
  QImage image = Picture(*f);
  EXPECT_EQ(PixelOf(image, cell.left(), cell.top()), MakeColor(200, 100, 0));
  f->SetContrastOutline(true);
  image = Picture(*f);
  EXPECT_EQ(PixelOf(image, cell.left(), cell.top()), MakeColor(0, 255, 255));
  EXPECT_EQ(PixelOf(image, cell.right(), cell.bottom()), MakeColor(0, 255, 255));
  EXPECT_EQ(PixelOf(image, cell.center().x(), cell.center().y()), MakeColor(200, 100, 0));
  const QRect other = f->ColorGrid->CellRect(1, 0);
  EXPECT_EQ(PixelOf(image, other.left(), other.top()), clBlack);  // not selected: no outline
}

TEST_F(PaletteChoiceFrameTest, DragStartsAfterEightPixelsAndCarriesTheCellColour) {
  folder_.Write("Warm.plt16", TPaletteTestFolder::Ramp(16));
  auto f = Create();
  ASSERT_TRUE(f->lbPalettes->SelectFile("Warm.plt16"));
  std::vector<std::optional<TDragColor>> drags;
  f->OnStartDrag = [&](std::unique_ptr<QMimeData> mime) {
    drags.push_back(DragColorFrom(mime.get()));
    EXPECT_EQ(mime->colorData().value<QColor>(), QColor(5, 10, 15));
  };
  QWidget* view = f->ColorGrid->viewport();
  const QPoint start = f->ColorGrid->CellRect(1, 2).center();  // entry 5
  auto move = [&](QPoint to) {
    QMouseEvent e(QEvent::MouseMove, to, view->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                  Qt::NoModifier);
    QApplication::sendEvent(view, &e);
  };
  QTest::mousePress(view, Qt::LeftButton, {}, start);
  move(start + QPoint(7, 0));
  move(start + QPoint(-7, 7));
  EXPECT_TRUE(drags.empty());
  move(start + QPoint(0, 8));
  move(start + QPoint(0, 12));  // one drag per press
  ASSERT_EQ(drags.size(), 1u);
  ASSERT_TRUE(drags[0]);
  EXPECT_EQ(*drags[0], (TDragColor{MakeColor(5, 10, 15), -1, -1}));
  QTest::mouseRelease(view, Qt::LeftButton, {}, start + QPoint(0, 12));
  QTest::mousePress(view, Qt::RightButton, {}, start);
  move(start + QPoint(20, 20));
  EXPECT_EQ(drags.size(), 1u);  // only the left button drags
}

TEST(PaletteGridLayout, ShapesFollowTheEntryCount) {
  const std::pair<int, TPaletteGridShape> cases[] = {{0, {2, 1}},    {2, {2, 1}},   {16, {2, 8}},
                                                     {17, {4, 5}},   {32, {4, 8}},  {64, {8, 8}},
                                                     {256, {8, 32}}, {264, {8, 33}}};
  for (const auto& [count, shape] : cases) {
    const TPaletteGridShape got = PaletteGridShape(count);
    EXPECT_EQ(got.Cols, shape.Cols) << count;
    EXPECT_EQ(got.Rows, shape.Rows) << count;
  }
}

TEST(PaletteGridLayout, LeftoverPixelsGoToTheFirstCells) {
  TDrawGrid grid;
  SetupPaletteGrid(grid);
  EXPECT_EQ(grid.ColCount(), 8);
  EXPECT_EQ(grid.RowCount(), 33);
  EXPECT_EQ(grid.toolTip(), "Color palette");
  grid.resize(101, 53);
  grid.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
  ASSERT_EQ(grid.ClientSize(), QSize(101, 53));
  LayoutPaletteGrid(grid, 64);  // 8 x 8: 101 = 8 * 12 + 5, 53 = 8 * 6 + 5
  for (int c = 0; c < 8; ++c) EXPECT_EQ(grid.ColWidth(c), c < 5 ? 13 : 12) << c;
  for (int r = 0; r < 8; ++r) EXPECT_EQ(grid.RowHeight(r), r < 5 ? 7 : 6) << r;
  const QRect last = grid.CellRect(7, 7);
  EXPECT_EQ(last.right(), 100);
  EXPECT_EQ(last.bottom(), 52);
  LayoutPaletteGrid(grid, 17);  // 4 x 5
  EXPECT_EQ(grid.CellRect(3, 4).right(), 100);
  EXPECT_EQ(grid.CellRect(3, 4).bottom(), 52);
  EXPECT_EQ(grid.ColWidth(0), 26);
  EXPECT_EQ(grid.ColWidth(3), 25);
}

TEST(DragPayloads, EncodeAndDecodeBothKinds) {
  const TDragColor color{MakeColor(255, 128, 0), 3, -1};
  const QByteArray bytes = EncodeDragColor(color);
  EXPECT_EQ(bytes.size(), 12);
  EXPECT_EQ(bytes.left(4), QByteArray("\xff\x80\x00\x00", 4));
  EXPECT_EQ(DecodeDragColor(bytes), color);
  EXPECT_FALSE(DecodeDragColor(bytes.left(11)));
  const TDragGroup group{true, {clBlack, clWhite, MakeColor(1, 2, 3)}};
  const QByteArray groupBytes = EncodeDragGroup(group);
  EXPECT_EQ(groupBytes.size(), 5 + 12);
  EXPECT_EQ(DecodeDragGroup(groupBytes), group);
  EXPECT_EQ(DecodeDragGroup(EncodeDragGroup({})), TDragGroup{});
  QByteArray wrong = groupBytes;
  wrong[0] = 2;
  EXPECT_FALSE(DecodeDragGroup(wrong));
  EXPECT_FALSE(DecodeDragGroup(groupBytes.left(groupBytes.size() - 1)));
  EXPECT_FALSE(DecodeDragGroup(QByteArray("\x00\xff\xff\xff\xff", 5)));
  const auto mime = DragGroupMimeData(group);
  EXPECT_EQ(DragGroupFrom(mime.get()), group);
  EXPECT_FALSE(DragColorFrom(mime.get()));
  EXPECT_EQ(DragColorFrom(DragColorMimeData(color).get()), color);
}

}  // namespace
