#pragma once
// TfrmPlayer: plays a group of frames as an animation in a modal tool window. The group is
// written as one animated GIF (the same stream a saved animation holds) and decoded into
// TGifAnimation, so it plays exactly as other programs will show it. Transport commands (play,
// stop, pause, single steps, first and last frame, a position slider), a frame counter, the
// background colour and the stretch switch; the last two are kept in the settings file.

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QSlider>
#include <QToolBar>
#include <QToolButton>

#include "controls/AdvPanel.h"
#include "windows/AnimationView.h"

class IDialogs;
class TIniFile;

class TfrmPlayer : public QDialog {
  Q_OBJECT
 public:
  // Restores the stored background colour and stretch switch (FormCreate).
  TfrmPlayer(TIniFile& settings, IDialogs& dialogs, QWidget* parent = nullptr);
  // Stores them again (FormDestroy).
  ~TfrmPlayer() override;

  static constexpr const char* Section = "Movie player";
  static constexpr QSize InitialSize{355, 291};
  // The repeating step buttons: the first repeat after this long, then at this pace.
  static constexpr int RepeatDelayMs = 300;
  static constexpr int RepeatIntervalMs = 80;

  // Plays from the first frame of this animation.
  void SetAnimation(TGifAnimation animation);

  QLabel* lblBackground;
  TAdvPanel* BackGroundCol;
  QToolButton* SpeedButton1;
  QCheckBox* cbStretch;
  TAnimationView* GroupPreview;
  QSlider* FrameBar;
  QToolBar* PlayerToolBar;
  QToolButton* BtnFrameBack;
  QToolButton* BtnFrameFwd;
  QLabel* FrameLabel;
  QMenu* pmPlayer;

  QAction* PlayAct;
  QAction* StopAct;
  QAction* PauseAct;
  QAction* FrameBackAct;
  QAction* FrameFrwdAct;
  QAction* FirstFrameAct;
  QAction* LastFrameAct;
  QAction* BtnFrameBackAct;
  QAction* BtnFrameFwdAct;
  QAction* ExitPlayer;

  void PlayActExecute();
  void StopActExecute();
  void PauseActExecute();
  void FrameBackActExecute();
  void FrameFrwdActExecute();
  void FirstFrameActExecute();
  void LastFrameActExecute();
  void ExitPlayerExecute();
  void SpeedButton1Click();
  void cbStretchClick();
  void FrameBarChange();
  void GroupPreviewFrameChanged(int index);
  // The enabling rules of the transport commands.
  void UpdateActions();

 private:
  QAction* MakeAction(const char* name, const QString& caption, const QString& hint,
                      const QKeySequence& shortcut = {});
  void BuildActions();
  void BuildTopStrip(QWidget* strip);
  void BuildToolBar();
  void BuildMenu();
  QToolButton* RepeatButton(QAction* action, const char* picture);
  void SetBackground(const QColor& color);
  void FormCreate();
  void FormDestroy();

  TIniFile& settings_;
  IDialogs& dialogs_;
};

// The pictures of the player's transport commands, by command name ("PlayAct", ...).
QIcon PlayerPicture(const QString& name);
