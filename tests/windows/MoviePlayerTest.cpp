#include <gtest/gtest.h>

#include <QAccessible>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "model/GifBuilder.h"
#include "model/Groups.h"
#include "model/IniFile.h"
#include "windows/MoviePlayer.h"
#include "windows/ScriptedDialogs.h"

namespace {

class MoviePlayerTest : public ::testing::Test {
 protected:
  // A player on the test's settings file, showing `frames` frames of 20 ms each.
  std::unique_ptr<TfrmPlayer> Open(int frames) {
    ini_ = std::make_unique<TIniFile>(dir_.filePath("Velmora.ini").toStdString());
    auto player = std::make_unique<TfrmPlayer>(*ini_, dialogs_);
    TGifImageGroup group;
    group.SetBitCount(4);
    FillDefaultPalette(group.Palette, 4);
    for (int i = 0; i < frames; ++i) static_cast<TWorkGifFrame*>(group.AddFrame())->SetDelay(20);
    group.SetWidth(4);
    group.SetHeight(3);
    for (int i = 0; i < frames; ++i)
      group.GetFrame(i)->EditImage().Fill(ColorToPixel(group.Palette.Color(i % 16)));
    player->SetAnimation(TGifAnimation::Decode(BuildGifStream(group)));
    player->show();
    return player;
  }

  static bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 3000) {
    QElapsedTimer timer;
    timer.start();
    while (!condition() && timer.elapsed() < timeoutMs) QTest::qWait(5);
    return condition();
  }

  QTemporaryDir dir_;
  TScriptedDialogs dialogs_;
  std::unique_ptr<TIniFile> ini_;
};

TEST_F(MoviePlayerTest, OneFrameCannotStep) {
  auto player = Open(1);
  EXPECT_EQ(player->FrameLabel->text(), " 1 of 1 ");
  for (QAction* a : {player->FrameBackAct, player->FrameFrwdAct, player->FirstFrameAct,
                     player->LastFrameAct, player->BtnFrameBackAct, player->BtnFrameFwdAct})
    EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
  EXPECT_FALSE(player->BtnFrameFwd->isEnabled());
  EXPECT_TRUE(player->PlayAct->isEnabled());
  EXPECT_FALSE(player->StopAct->isEnabled());
}

TEST_F(MoviePlayerTest, TransportFollowsPlayingAndStopRewinds) {
  auto player = Open(10);
  TAnimationView& view = *player->GroupPreview;
  EXPECT_EQ(player->FrameLabel->text(), " 1 of 10 ");
  // The slider shows a frame while stopped.
  player->FrameBar->setValue(5);
  EXPECT_EQ(view.FrameIndex(), 4);
  EXPECT_EQ(player->FrameLabel->text(), " 5 of 10 ");
  player->PlayAct->trigger();
  EXPECT_TRUE(view.Playing());
  EXPECT_FALSE(player->PlayAct->isEnabled());
  EXPECT_TRUE(player->PauseAct->isEnabled());
  EXPECT_FALSE(player->FrameFrwdAct->isEnabled());
  // Playing runs on by itself, past the last frame to the first again.
  ASSERT_TRUE(WaitUntil([&] { return view.FrameIndex() == 9; }));
  ASSERT_TRUE(WaitUntil([&] { return view.FrameIndex() == 1; }));
  EXPECT_EQ(player->FrameBar->value(), view.FrameIndex() + 1);
  player->FrameBar->setValue(8);  // no effect while playing
  EXPECT_NE(view.FrameIndex(), 7);
  player->PauseAct->trigger();
  const int paused = view.FrameIndex();
  QTest::qWait(60);
  EXPECT_EQ(view.FrameIndex(), paused);
  if (paused < 9) {
    player->FrameFrwdAct->trigger();
    EXPECT_EQ(view.FrameIndex(), paused + 1);
    EXPECT_EQ(player->FrameBar->value(), paused + 2);
  }
  player->LastFrameAct->trigger();
  EXPECT_FALSE(player->FrameFrwdAct->isEnabled());
  EXPECT_EQ(player->FrameLabel->text(), " 10 of 10 ");
  // Stop while frame 5 of 10 shows: playing ends on the first frame.
  player->FrameBar->setValue(5);
  player->PlayAct->trigger();
  player->StopAct->trigger();
  EXPECT_FALSE(view.Playing());
  EXPECT_EQ(view.FrameIndex(), 0);
  EXPECT_EQ(player->FrameLabel->text(), " 1 of 10 ");
  EXPECT_EQ(player->FrameBar->value(), 1);
  EXPECT_FALSE(player->FrameBackAct->isEnabled());
}

TEST_F(MoviePlayerTest, HoldingTheStepButtonRepeatsToTheEnd) {
  auto player = Open(8);
  QToolButton* forward = player->BtnFrameFwd;
  ASSERT_TRUE(forward->isEnabled());
  QTest::mousePress(forward, Qt::LeftButton);
  EXPECT_EQ(player->GroupPreview->FrameIndex(), 1);  // the first step at once
  ASSERT_TRUE(WaitUntil([&] { return player->GroupPreview->FrameIndex() == 7; }));
  EXPECT_FALSE(forward->isEnabled());
  QTest::mouseRelease(forward, Qt::LeftButton);
  EXPECT_EQ(player->GroupPreview->FrameIndex(), 7);
  // F7 steps back, Esc closes.
  QTest::keyClick(player.get(), Qt::Key_F7);
  EXPECT_EQ(player->GroupPreview->FrameIndex(), 6);
  QTest::keyClick(player.get(), Qt::Key_Escape);
  EXPECT_FALSE(player->isVisible());
}

TEST_F(MoviePlayerTest, BackgroundAndStretchAreKeptForTheNextPlayer) {
  {
    auto player = Open(2);
    EXPECT_EQ(player->GroupPreview->Background(), QColor(0, 128, 128));
    dialogs_.Colors.push_back(QColor(10, 20, 30));
    QTest::mouseClick(player->SpeedButton1, Qt::LeftButton);
    EXPECT_EQ(player->BackGroundCol->Color(), QColor(10, 20, 30));
    EXPECT_EQ(player->GroupPreview->Background(), QColor(10, 20, 30));
    player->cbStretch->click();
    EXPECT_TRUE(player->GroupPreview->Stretch());
    player->resize(400, 300);
    QTest::qWait(10);
    const QRect shown = player->GroupPreview->PictureRect();
    // Scaled keeping its 4 : 3 shape (up to the rounding of one side).
    EXPECT_NEAR(shown.width() * 3, shown.height() * 4, 4);
    EXPECT_GT(shown.width(), 4);
  }
  // A new settings store on the same file: as after a restart.
  auto player = Open(2);
  EXPECT_EQ(player->GroupPreview->Background(), QColor(10, 20, 30));
  EXPECT_TRUE(player->cbStretch->isChecked());
  EXPECT_TRUE(player->GroupPreview->Stretch());
  EXPECT_TRUE(ini_->ReadBool(TfrmPlayer::Section, "GroupPreview.Stretch", false));
  EXPECT_EQ(ini_->ReadInteger(TfrmPlayer::Section, "BackGroundCol.Color", 0),
            int(MakeColor(10, 20, 30)));
}

TEST_F(MoviePlayerTest, ControlsHaveAccessibleNames) {
  auto player = Open(3);
  QStringList names;
  for (QAction* action : player->PlayerToolBar->actions()) {
    QWidget* button = player->PlayerToolBar->widgetForAction(action);
    auto* face = button ? QAccessible::queryAccessibleInterface(button) : nullptr;
    if (!face || face->role() != QAccessible::Button) continue;
    names << face->text(QAccessible::Name);
  }
  EXPECT_EQ(names, (QStringList{"Play", "Stop", "Pause", "First frame", "One frame back",
                                "One frame forward", "Last frame"}));
  const auto name = [](QWidget* w) {
    return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
  };
  EXPECT_EQ(name(player->FrameBar), "Frame position");
  EXPECT_EQ(QAccessible::queryAccessibleInterface(player->FrameBar)->role(), QAccessible::Slider);
  EXPECT_EQ(name(player->FrameLabel), "Frame 1 of 3");
  EXPECT_EQ(name(player->BackGroundCol), "Background color");
  EXPECT_EQ(name(player->cbStretch), "Stretch");
  EXPECT_EQ(name(player->SpeedButton1), "Choose the background color");
  EXPECT_EQ(QAccessible::queryAccessibleInterface(player->SpeedButton1)->role(),
            QAccessible::Button);
}

}  // namespace
