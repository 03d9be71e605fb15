#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QTest>

#include "controls/AdvSpeedButton.h"
#include "controls/IntegerEdit.h"
#include "controls/PicDrawGrid.h"

namespace {

QColor At(QWidget& w, QPoint p) {
  return QColor(w.grab().toImage().pixel(p));
}

TEST(AdvSpeedButtonPaint, FaceAndFrameFollowTheState) {
  QWidget parent;
  auto* b = new TAdvSpeedButton(&parent);
  b->SetGroupIndex(1);
  b->resize(25, 25);
  parent.show();
  const QColor face = b->palette().color(QPalette::Button);
  EXPECT_EQ(At(*b, {12, 3}), face);
  EXPECT_EQ(At(*b, {0, 0}), b->ColorBorder);  // flat frame while up
  b->SetDown(true);
  EXPECT_EQ(At(*b, {12, 3}), b->ColorDown);
  EXPECT_EQ(At(*b, {0, 12}), b->ColorShadow);  // sunken: dark top-left
  QEnterEvent enter({5, 5}, {5, 5}, {5, 5});
  QApplication::sendEvent(b, &enter);
  EXPECT_EQ(At(*b, {12, 3}), b->ColorFocused);
  b->SetTransparentMode(TAdvSpeedButton::tmNever);
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(b, &leave);
  EXPECT_EQ(At(*b, {12, 3}), b->ColorDown);  // a pressed button always shows its face
}

TEST(PicDrawGridPaint, CurrentCellIsFramedInMarkColourOnlyWithFocus) {
  QWidget window;
  auto* grid = new TPicDrawGrid(&window);
  auto* other = new QWidget(&window);
  other->setFocusPolicy(Qt::StrongFocus);
  grid->SetColCount(3);
  grid->SetRowCount(2);
  grid->SetDefaultColWidth(30);
  grid->SetDefaultRowHeight(30);
  QImage red(8, 8, QImage::Format_RGB32);
  red.fill(Qt::red);
  grid->PictureList.push_back({red, false, 0});
  grid->PictureList.push_back({red, true, qRgb(255, 0, 0)});  // all transparent
  grid->SetMarkColor(QColor(0, 128, 128));
  grid->resize(200, 100);
  window.resize(220, 120);
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  grid->SetCurrent(1, 1);
  const QRect cell = grid->CellRect(1, 1);
  other->setFocus();
  EXPECT_EQ(At(*grid->viewport(), cell.topLeft()), QColor(0, 0, 128));
  grid->setFocus();
  EXPECT_EQ(At(*grid->viewport(), cell.topLeft()), QColor(0, 128, 128));
  EXPECT_EQ(At(*grid->viewport(), cell.center()), QColor(Qt::red));
  const QRect second = grid->CellRect(2, 1);
  EXPECT_EQ(At(*grid->viewport(), second.center()), grid->GridColor);  // transparent pixels
  EXPECT_EQ(At(*grid->viewport(), grid->CellRect(0, 0).center()), grid->FixedColor);
}

TEST(DrawGridKeys, ArrowsMoveTheCurrentCellWithinTheScrollingCells) {
  TPicDrawGrid grid;
  grid.SetColCount(3);
  grid.SetRowCount(3);
  grid.show();
  grid.SetCurrent(1, 1);
  QTest::keyClick(&grid, Qt::Key_Right);
  EXPECT_EQ(grid.Col(), 2);
  QTest::keyClick(&grid, Qt::Key_Right);  // no cell beyond the last column
  EXPECT_EQ(grid.Col(), 2);
  QTest::keyClick(&grid, Qt::Key_Up);  // the header row cannot become current
  EXPECT_EQ(grid.Row(), 1);
  bool seen = false;
  grid.OnKeyPress = [&](QKeyEvent* e) { return seen = e->key() == Qt::Key_Return; };
  QTest::keyClick(&grid, Qt::Key_Return);
  EXPECT_TRUE(seen);
}

TEST(DrawGridSizes, DefaultsResetIndividualSizes) {
  TDrawGrid grid;
  grid.SetColCount(2);
  grid.SetColWidth(1, 40);
  grid.SetDefaultColWidth(12);
  EXPECT_EQ(grid.ColWidth(1), 12);
  grid.SetColCount(4);
  EXPECT_EQ(grid.ColWidth(3), 12);
  grid.SetGridLineWidth(0);
  EXPECT_EQ(grid.CellRect(2, 0).left(), 24);
}

TEST(IntegerEditPaste, LettersCannotBePasted) {
  TIntegerEdit edit;
  edit.show();
  edit.clear();
  QApplication::clipboard()->setText("abc");
  edit.paste();
  EXPECT_EQ(edit.text(), "");
  QApplication::clipboard()->setText("4 2");
  edit.paste();
  EXPECT_EQ(edit.Value(), 42);
}

}  // namespace
