#include "windows/MoviePlayer.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "model/Colors.h"
#include "model/IniFile.h"
#include "windows/Dialogs.h"

namespace {

constexpr TColor DefaultBackground = MakeColor(0, 128, 128);

QColor ToQColor(TColor c) {
  return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

TColor FromQColor(const QColor& c) {
  return MakeColor(c.red(), c.green(), c.blue());
}

}  // namespace

TfrmPlayer::TfrmPlayer(TIniFile& settings, IDialogs& dialogs, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      settings_(settings),
      dialogs_(dialogs) {
  setObjectName("frmPlayer");
  setSizeGripEnabled(true);
  resize(InitialSize);
  auto* strip = new QWidget(this);
  BuildTopStrip(strip);
  GroupPreview = new TAnimationView(this);
  GroupPreview->setFocusPolicy(Qt::StrongFocus);
  FrameBar = new QSlider(Qt::Horizontal, this);
  FrameBar->setObjectName("FrameBar");
  FrameBar->setAccessibleName("Frame position");
  FrameBar->setRange(1, 1);
  FrameBar->setSingleStep(1);
  FrameBar->setPageStep(1);
  BuildActions();
  BuildToolBar();
  BuildMenu();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 0);
  layout->setSpacing(2);
  layout->addWidget(strip);
  layout->addWidget(GroupPreview, 1);
  layout->addWidget(FrameBar);
  layout->addWidget(PlayerToolBar);
  connect(GroupPreview, &TAnimationView::FrameChanged, this, &TfrmPlayer::GroupPreviewFrameChanged);
  connect(FrameBar, &QSlider::valueChanged, this, &TfrmPlayer::FrameBarChange);
  FormCreate();
  GroupPreview->setFocus();
  UpdateActions();
}

TfrmPlayer::~TfrmPlayer() {
  FormDestroy();
}

void TfrmPlayer::BuildTopStrip(QWidget* strip) {
  lblBackground = new QLabel("Background color:", strip);
  BackGroundCol = new TAdvPanel(strip);
  BackGroundCol->setObjectName("BackGroundCol");
  BackGroundCol->setAccessibleName("Background color");
  BackGroundCol->setFixedSize(40, 21);
  BackGroundCol->SetColor(ToQColor(DefaultBackground));
  lblBackground->setBuddy(BackGroundCol);
  SpeedButton1 = new QToolButton(strip);
  SpeedButton1->setObjectName("SpeedButton1");
  SpeedButton1->setText("...");
  SpeedButton1->setFixedSize(25, 21);
  SpeedButton1->setToolTip("Choose the background color");
  SpeedButton1->setAccessibleName("Choose the background color");
  cbStretch = new QCheckBox("&Stretch", strip);
  cbStretch->setObjectName("cbStretch");
  connect(SpeedButton1, &QToolButton::clicked, this, &TfrmPlayer::SpeedButton1Click);
  connect(BackGroundCol, &TAdvPanel::DoubleClicked, this, &TfrmPlayer::SpeedButton1Click);
  connect(cbStretch, &QCheckBox::clicked, this, &TfrmPlayer::cbStretchClick);
  auto* layout = new QHBoxLayout(strip);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(lblBackground);
  layout->addWidget(BackGroundCol);
  layout->addWidget(SpeedButton1);
  layout->addSpacing(12);
  layout->addWidget(cbStretch);
  layout->addStretch();
}

QAction* TfrmPlayer::MakeAction(const char* name, const QString& caption, const QString& hint,
                                const QKeySequence& shortcut) {
  auto* action = new QAction(PlayerPicture(name), caption, this);
  action->setObjectName(name);
  action->setToolTip(hint.isEmpty() ? QString(caption).remove('&') : hint);
  action->setStatusTip(hint);
  if (!shortcut.isEmpty()) action->setShortcut(shortcut);
  addAction(action);  // shortcuts work anywhere in the window
  return action;
}

void TfrmPlayer::BuildActions() {
  PlayAct = MakeAction("PlayAct", "&Play", "Play", QKeySequence(Qt::Key_Return));
  PlayAct->setShortcuts({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
  StopAct = MakeAction("StopAct", "&Stop", "Stop");
  PauseAct = MakeAction("PauseAct", "Pa&use", "Pause", QKeySequence(Qt::Key_Space));
  FrameBackAct =
      MakeAction("FrameBackAct", "&Back one", "One frame back", QKeySequence(Qt::Key_F7));
  FrameFrwdAct =
      MakeAction("FrameFrwdAct", "&Forward one", "One frame forward", QKeySequence(Qt::Key_F8));
  FirstFrameAct = MakeAction("FirstFrameAct", "First frame", "Go to first frame");
  LastFrameAct = MakeAction("LastFrameAct", "Last frame", "Go to last frame");
  BtnFrameBackAct = MakeAction("BtnFrameBackAct", "", "One frame back");
  BtnFrameFwdAct = MakeAction("BtnFrameFwdAct", "", "One frame forward");
  ExitPlayer = MakeAction("ExitPlayer", "&Exit player", "", QKeySequence(Qt::Key_Escape));
  connect(PlayAct, &QAction::triggered, this, &TfrmPlayer::PlayActExecute);
  connect(StopAct, &QAction::triggered, this, &TfrmPlayer::StopActExecute);
  connect(PauseAct, &QAction::triggered, this, &TfrmPlayer::PauseActExecute);
  connect(FrameBackAct, &QAction::triggered, this, &TfrmPlayer::FrameBackActExecute);
  connect(FrameFrwdAct, &QAction::triggered, this, &TfrmPlayer::FrameFrwdActExecute);
  connect(FirstFrameAct, &QAction::triggered, this, &TfrmPlayer::FirstFrameActExecute);
  connect(LastFrameAct, &QAction::triggered, this, &TfrmPlayer::LastFrameActExecute);
  connect(BtnFrameBackAct, &QAction::triggered, this, &TfrmPlayer::FrameBackActExecute);
  connect(BtnFrameFwdAct, &QAction::triggered, this, &TfrmPlayer::FrameFrwdActExecute);
  connect(ExitPlayer, &QAction::triggered, this, &TfrmPlayer::ExitPlayerExecute);
}

QToolButton* TfrmPlayer::RepeatButton(QAction* action, const char* picture) {
  // Holding the button steps at once, then repeatedly; each repeat presses it anew.
  auto* button = new QToolButton(PlayerToolBar);
  button->setObjectName(QString(action->objectName()).replace("Act", "Btn"));
  button->setIcon(PlayerPicture(picture));
  button->setToolTip(action->toolTip());
  button->setAccessibleName(action->toolTip());
  button->setAutoRepeat(true);
  button->setAutoRepeatDelay(RepeatDelayMs);
  button->setAutoRepeatInterval(RepeatIntervalMs);
  button->setFocusPolicy(Qt::NoFocus);
  connect(button, &QToolButton::pressed, action, &QAction::trigger);
  connect(action, &QAction::enabledChanged, button, &QWidget::setEnabled);
  PlayerToolBar->addWidget(button);
  return button;
}

void TfrmPlayer::BuildToolBar() {
  PlayerToolBar = new QToolBar("Player", this);
  PlayerToolBar->setObjectName("PlayerToolBar");
  PlayerToolBar->setIconSize({16, 16});
  PlayerToolBar->addActions({PlayAct, StopAct, PauseAct});
  PlayerToolBar->addSeparator();
  PlayerToolBar->addAction(FirstFrameAct);
  BtnFrameBack = RepeatButton(BtnFrameBackAct, "FrameBackAct");
  BtnFrameFwd = RepeatButton(BtnFrameFwdAct, "FrameFrwdAct");
  PlayerToolBar->addAction(LastFrameAct);
  PlayerToolBar->addSeparator();
  PlayerToolBar->addWidget(new QLabel(" Frame:", PlayerToolBar));
  FrameLabel = new QLabel("0", PlayerToolBar);
  FrameLabel->setObjectName("FrameLabel");
  QFont bold = FrameLabel->font();
  bold.setBold(true);
  FrameLabel->setFont(bold);
  FrameLabel->setStyleSheet("color: navy");
  FrameLabel->setAccessibleName("Frame");
  PlayerToolBar->addWidget(FrameLabel);
}

void TfrmPlayer::BuildMenu() {
  pmPlayer = new QMenu(GroupPreview);
  pmPlayer->setObjectName("pmPlayer");
  pmPlayer->addActions({PlayAct, StopAct, PauseAct});
  pmPlayer->addSeparator();
  pmPlayer->addActions({FrameBackAct, FrameFrwdAct});
  pmPlayer->addSeparator();
  pmPlayer->addActions({FirstFrameAct, LastFrameAct});
  pmPlayer->addSeparator();
  pmPlayer->addAction(ExitPlayer);
  GroupPreview->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(GroupPreview, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { pmPlayer->popup(GroupPreview->mapToGlobal(at)); });
}

void TfrmPlayer::FormCreate() {
  const int stored = settings_.ReadInteger(Section, "BackGroundCol.Color", int(DefaultBackground));
  if (stored >= 0 && stored <= 0xFFFFFF) BackGroundCol->SetColor(ToQColor(TColor(stored)));
  SetBackground(BackGroundCol->Color());
  cbStretch->setChecked(settings_.ReadBool(Section, "cbStretch.Checked", false));
  GroupPreview->SetStretch(cbStretch->isChecked());
}

void TfrmPlayer::FormDestroy() {
  TIniFile::TBatch batch(settings_);
  settings_.WriteInteger(Section, "BackGroundCol.Color", int(FromQColor(BackGroundCol->Color())));
  settings_.WriteBool(Section, "cbStretch.Checked", cbStretch->isChecked());
  settings_.WriteBool(Section, "GroupPreview.Stretch", GroupPreview->Stretch());
}

void TfrmPlayer::SetAnimation(TGifAnimation animation) {
  GroupPreview->SetAnimation(std::move(animation));
  UpdateActions();
}

void TfrmPlayer::SetBackground(const QColor& color) {
  BackGroundCol->SetColor(color);
  GroupPreview->SetBackground(color);
}
