#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "controls/AdvPanel.h"
#include "controls/IntegerEdit.h"
#include "controls/PicDrawGrid.h"

namespace {

TEST(IntegerEdit, BlanksAreDroppedAndTheNumberWrittenBack) {
  TIntegerEdit edit;
  EXPECT_EQ(edit.text(), "0");
  edit.setText("12 34");
  EXPECT_EQ(edit.Value(), 1234);
  EXPECT_EQ(edit.text(), "1234");
  edit.setText("007");
  EXPECT_EQ(edit.Value(), 7);
  EXPECT_EQ(edit.text(), "7");
  edit.setText("");
  EXPECT_EQ(edit.Value(), 0);
  EXPECT_EQ(edit.text(), "0");
  edit.setText("99999999999");
  EXPECT_EQ(edit.Value(), 0);
  EXPECT_EQ(edit.text(), "0");
  edit.SetValue(42);
  EXPECT_EQ(edit.text(), "42");
}

TEST(IntegerEdit, TypingAcceptsOnlyDigitsAndEditingKeys) {
  TIntegerEdit edit;
  edit.show();
  edit.clear();
  QTest::keyClicks(&edit, "1a-2 3.");
  EXPECT_EQ(edit.text(), "123");
  QTest::keyClick(&edit, Qt::Key_Backspace);
  EXPECT_EQ(edit.text(), "12");
  EXPECT_EQ(edit.Value(), 12);
}

TEST(AdvPanel, ReportsColourChangesBeforeRepaintingAndThePointer) {
  TAdvPanel panel;
  QColor seenInHandler;
  QObject::connect(&panel, &TAdvPanel::OnColorChanged,
                   [&](const QColor&) { seenInHandler = panel.Color(); });
  QSignalSpy changed(&panel, &TAdvPanel::OnColorChanged);
  panel.SetColor(Qt::red);
  panel.SetColor(Qt::red);
  EXPECT_EQ(changed.count(), 1);
  EXPECT_NE(seenInHandler, QColor(Qt::red));  // the handler runs before the change takes effect
  EXPECT_EQ(panel.Color(), QColor(Qt::red));
  QSignalSpy entered(&panel, &TAdvPanel::OnMouseEnter), left(&panel, &TAdvPanel::OnMouseLeave);
  QEnterEvent enter({1, 1}, {1, 1}, {1, 1});
  QApplication::sendEvent(&panel, &enter);
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&panel, &leave);
  EXPECT_EQ(entered.count(), 1);
  EXPECT_EQ(left.count(), 1);
}

TEST(PicDrawGrid, CellIndexCountsFramesAfterTheHeaders) {
  TPicDrawGrid grid;
  grid.SetColCount(3);
  grid.SetRowCount(3);
  grid.PictureList.resize(3);
  EXPECT_EQ(grid.GetCellIndex(2, 1), 1);
  EXPECT_EQ(grid.GetCellIndex(1, 2), 2);
  EXPECT_EQ(grid.GetCellIndex(2, 2), -1);  // beyond the pictures
  EXPECT_EQ(grid.GetCellIndex(0, 1), -1);  // a header cell
}

TEST(PicDrawGrid, PicturesFitTheirRoom) {
  const QRect room(0, 0, 96, 72);
  EXPECT_EQ(TPicDrawGrid::FitPicture({16, 16}, room), QRect(40, 28, 16, 16));
  EXPECT_EQ(TPicDrawGrid::FitPicture({200, 100}, room), QRect(0, 12, 96, 48));
  EXPECT_EQ(TPicDrawGrid::FitPicture({50, 200}, room).size(), QSize(18, 72));
}

TEST(DrawGrid, SelectCellCanRefuseAndClicksPickTheCell) {
  TPicDrawGrid grid;
  grid.SetColCount(4);
  grid.SetRowCount(3);
  grid.SetDefaultColWidth(30);
  grid.SetDefaultRowHeight(30);
  grid.SetColWidth(0, 16);
  grid.SetRowHeight(0, 16);
  grid.PictureList.resize(2);
  grid.OnSelectCell = [&](int c, int r) { return grid.GetCellIndex(c, r) >= 0; };
  grid.resize(200, 200);
  grid.show();
  ASSERT_TRUE(grid.SetCurrent(1, 1));
  EXPECT_FALSE(grid.SetCurrent(3, 1));  // no picture there
  const QRect cell = grid.CellRect(2, 1);
  QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, cell.center());
  EXPECT_EQ(grid.Col(), 2);
  int c = -1, r = -1;
  ASSERT_TRUE(grid.MouseToCell({5, 5}, c, r));
  EXPECT_EQ(c, 0);
  EXPECT_EQ(r, 0);
}

}  // namespace
