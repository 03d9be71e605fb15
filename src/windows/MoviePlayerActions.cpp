// The player's transport commands and what follows the shown frame.

#include "windows/Dialogs.h"
#include "windows/MoviePlayer.h"

void TfrmPlayer::PlayActExecute() {
  GroupPreview->SetPlaying(true);
  UpdateActions();
}

void TfrmPlayer::PauseActExecute() {
  GroupPreview->SetPlaying(false);
  UpdateActions();
}

void TfrmPlayer::StopActExecute() {
  GroupPreview->SetPlaying(false);
  GroupPreview->SetFrameIndex(0);
  UpdateActions();
}

void TfrmPlayer::FrameBackActExecute() {
  if (!GroupPreview->Playing() && GroupPreview->FrameIndex() > 0)
    GroupPreview->SetFrameIndex(GroupPreview->FrameIndex() - 1);
}

void TfrmPlayer::FrameFrwdActExecute() {
  if (!GroupPreview->Playing() && GroupPreview->FrameIndex() < GroupPreview->FrameCount() - 1)
    GroupPreview->SetFrameIndex(GroupPreview->FrameIndex() + 1);
}

void TfrmPlayer::FirstFrameActExecute() {
  if (!GroupPreview->Playing()) GroupPreview->SetFrameIndex(0);
}

void TfrmPlayer::LastFrameActExecute() {
  if (!GroupPreview->Playing()) GroupPreview->SetFrameIndex(GroupPreview->FrameCount() - 1);
}

void TfrmPlayer::ExitPlayerExecute() {
  close();
}

void TfrmPlayer::SpeedButton1Click() {
  if (const auto picked = dialogs_.PickColor(this, BackGroundCol->Color())) SetBackground(*picked);
}

void TfrmPlayer::cbStretchClick() {
  GroupPreview->SetStretch(cbStretch->isChecked());
}

void TfrmPlayer::FrameBarChange() {
  // While playing the slider only follows the frames.
  if (GroupPreview->Playing() || FrameBar->value() - 1 == GroupPreview->FrameIndex()) return;
  GroupPreview->SetFrameIndex(FrameBar->value() - 1);
}

void TfrmPlayer::GroupPreviewFrameChanged(int index) {
  const int count = GroupPreview->FrameCount();
  FrameLabel->setText(QString(" %1 of %2 ").arg(index + 1).arg(count));
  FrameLabel->setAccessibleName(QString("Frame %1 of %2").arg(index + 1).arg(count));
  FrameBar->setMaximum(std::max(count, 1));
  FrameBar->setValue(index + 1);
  UpdateActions();
}

void TfrmPlayer::UpdateActions() {
  const bool playing = GroupPreview->Playing();
  const int index = GroupPreview->FrameIndex();
  const bool back = !playing && index > 0;
  const bool forward = !playing && index < GroupPreview->FrameCount() - 1;
  PlayAct->setEnabled(!playing && GroupPreview->FrameCount() > 0);
  StopAct->setEnabled(playing);
  PauseAct->setEnabled(playing);
  for (QAction* action : {FrameBackAct, FirstFrameAct, BtnFrameBackAct}) action->setEnabled(back);
  for (QAction* action : {FrameFrwdAct, LastFrameAct, BtnFrameFwdAct}) action->setEnabled(forward);
  FrameBar->setEnabled(!playing);
}
