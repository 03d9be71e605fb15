#include <gtest/gtest.h>

#include <QDialog>
#include <QSignalSpy>
#include <QTest>
#include <QWidget>

#include "controls/AdvSpeedButton.h"

namespace {

struct Group {
  QWidget parent;
  TAdvSpeedButton* select = new TAdvSpeedButton(&parent);
  TAdvSpeedButton* pencil = new TAdvSpeedButton(&parent);
  TAdvSpeedButton* other = new TAdvSpeedButton(&parent);  // a different group
  QStringList events;

  Group() {
    for (auto [b, name] :
         {std::pair{select, "select"}, std::pair{pencil, "pencil"}, std::pair{other, "other"}}) {
      b->SetGroupIndex(b == other ? 2 : 1);
      b->resize(25, 25);
      QObject::connect(b, &TAdvSpeedButton::OnDown,
                       [this, n = QString(name)] { events << n + " down"; });
      QObject::connect(b, &TAdvSpeedButton::OnUp,
                       [this, n = QString(name)] { events << n + " up"; });
    }
    pencil->move(30, 0);
    other->move(60, 0);
    parent.show();
  }
};

TEST(AdvSpeedButton, PressingAnotherToolRaisesUpBeforeDown) {
  Group g;
  g.select->SetDown(true);
  g.other->SetDown(true);
  g.events.clear();
  QTest::mouseClick(g.pencil, Qt::LeftButton);
  EXPECT_EQ(g.events, (QStringList{"select up", "pencil down"}));
  EXPECT_TRUE(g.pencil->Down());
  EXPECT_FALSE(g.select->Down());
  EXPECT_TRUE(g.other->Down());  // other groups are left alone
  g.events.clear();
  QTest::mouseClick(g.pencil, Qt::LeftButton);  // a pressed radio button stays pressed
  EXPECT_TRUE(g.events.isEmpty());
  EXPECT_TRUE(g.pencil->Down());
}

TEST(AdvSpeedButton, RadioButtonCannotReleaseItselfUnlessAllUpIsAllowed) {
  Group g;
  g.select->SetDown(true);
  g.select->SetDown(false);
  EXPECT_TRUE(g.select->Down());
  g.select->SetAllowAllUp(true);
  g.select->SetDown(false);
  EXPECT_FALSE(g.select->Down());
  EXPECT_EQ(g.events, QStringList{"select down"});  // going up by itself raises nothing
}

TEST(AdvSpeedButton, ReleasedButtonTakesThePressedOnesAllowAllUp) {
  Group g;
  g.select->SetDown(true);
  g.pencil->SetAllowAllUp(true);
  g.pencil->SetDown(true);
  EXPECT_TRUE(g.select->AllowAllUp());
}

TEST(AdvSpeedButton, UngroupedButtonClicksButNeverStaysDown) {
  QWidget parent;
  auto* b = new TAdvSpeedButton(&parent);
  parent.show();
  QSignalSpy clicks(b, &TAdvSpeedButton::Clicked);
  b->SetDown(true);
  EXPECT_FALSE(b->Down());
  QTest::mouseClick(b, Qt::LeftButton);
  EXPECT_EQ(clicks.count(), 1);
  EXPECT_FALSE(b->Down());
  EXPECT_EQ(b->State(), TAdvSpeedButton::TState::Up);
}

TEST(AdvSpeedButton, ReleaseOutsideDoesNotClick) {
  QWidget parent;
  parent.resize(100, 100);
  auto* b = new TAdvSpeedButton(&parent);
  b->SetGroupIndex(1);
  parent.show();
  QSignalSpy clicks(b, &TAdvSpeedButton::Clicked);
  QTest::mousePress(b, Qt::LeftButton, {}, {5, 5});
  EXPECT_EQ(b->State(), TAdvSpeedButton::TState::Down);
  QTest::mouseRelease(b, Qt::LeftButton, {}, {60, 60});
  EXPECT_EQ(clicks.count(), 0);
  EXPECT_FALSE(b->Down());
}

TEST(AdvSpeedButton, FollowsItsActionAndTriggersIt) {
  QWidget parent;
  QAction action("&Save");
  action.setToolTip("Save the image.");
  auto* b = new TAdvSpeedButton(&parent);
  b->SetAction(&action);
  parent.show();
  QSignalSpy triggered(&action, &QAction::triggered);
  action.setEnabled(false);
  EXPECT_FALSE(b->isEnabled());
  QTest::mouseClick(b, Qt::LeftButton);
  EXPECT_EQ(triggered.count(), 0);
  action.setEnabled(true);
  QTest::mouseClick(b, Qt::LeftButton);
  EXPECT_EQ(triggered.count(), 1);
  EXPECT_EQ(b->toolTip(), "Save the image.");
  action.setVisible(false);
  EXPECT_TRUE(b->isHidden());
}

TEST(AdvSpeedButton, HoverHighlightsOneButtonAtATime) {
  Group g;
  QEnterEvent enter({5, 5}, {5, 5}, {5, 5});
  QApplication::sendEvent(g.select, &enter);
  EXPECT_TRUE(g.select->Hovered());
  QApplication::sendEvent(g.pencil, &enter);
  EXPECT_TRUE(g.pencil->Hovered());
  EXPECT_FALSE(g.select->Hovered());
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(g.pencil, &leave);
  EXPECT_FALSE(g.pencil->Hovered());
}

TEST(AdvSpeedButton, ModalResultClosesTheDialog) {
  QDialog dialog;
  auto* b = new TAdvSpeedButton(&dialog);
  b->SetModalResult(QDialog::Accepted);
  dialog.show();
  QTest::mouseClick(b, Qt::LeftButton);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_FALSE(dialog.isVisible());
}

}  // namespace
