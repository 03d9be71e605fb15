#include "documents/frames/FrameCommands.h"

#include <QFile>
#include <QFileInfo>
#include <QTreeWidget>
#include <memory>

#include "documents/ActionList.h"
#include "documents/DocumentView.h"
#include "documents/FormPlacement.h"
#include "documents/ImageBrowseFrm.h"
#include "documents/NewImageForm.h"
#include "documents/frames/FrameGrid.h"
#include "editor/EditSession.h"
#include "editor/Editor.h"
#include "model/GifBuilder.h"
#include "model/Groups.h"
#include "windows/Dialogs.h"
#include "windows/MoviePlayer.h"

namespace {

// Whether the group is sub-icons of which one has soft edges.
bool PlaysWithAlpha(const TImageGroup& group) {
  if (dynamic_cast<const TGifImageGroup*>(&group)) return false;
  for (int i = 0; i < group.Count(); ++i)
    if (group.GetFrame(i)->UsesAlpha()) return true;
  return false;
}

}  // namespace

TFrameCommands::TFrameCommands(const TFeatureContext& context, TFrameGrid& grid,
                               std::function<bool()> warningsOn)
    : TFeatureModule(context), grid_(grid), warningsOn_(std::move(warningsOn)) {}

void TFrameCommands::Attach() {
  TActionList& a = Actions();
  a.OnExecute("AddFrameAct", [this] { InsertFrameActExecute(true); });
  a.OnExecute("InsertFrameAct", [this] { InsertFrameActExecute(false); });
  a.OnExecute("DelFrameAct", [this] { DelFrameActExecute(); });
  a.OnExecute("MovieAct", [this] { MovieActExecute(); });
  a.OnExecute("GoParentAct", [this] { GoParentActExecute(); });
  // The grid is shown exactly while a group is current.
  for (const char* name : {"AddFrameAct", "InsertFrameAct", "MovieAct"})
    a.OnUpdate(name, [this](QAction& act) { act.setEnabled(Session().CurrentGroup()); });
  a.OnUpdate("DelFrameAct", [this](QAction& act) {
    act.setEnabled(Session().CurrentGroup() && grid_.FrameCount() >= 2);
  });
  a.OnUpdate("GoParentAct", [this](QAction& act) {
    const QTreeWidgetItem* selected = Navigator().Selected();
    act.setEnabled(selected && selected->parent());
  });
  connect(&grid_, &TFrameGrid::OpenFrame, this, &TFrameCommands::GroupPreviewDblClick);
}

QTreeWidgetItem* TFrameCommands::GroupNode() const {
  const TImageGroup* group = Session().CurrentGroup();
  if (!group) return nullptr;
  for (int i = 0; i < Navigator().DocumentCount(); ++i) {
    QTreeWidgetItem* node = Navigator().PicTree->topLevelItem(i);
    if (NodeGroup(node) == group) return node;
  }
  return nullptr;
}

void TFrameCommands::InsertFrameActExecute(bool append) {
  TImageGroup* group = Session().CurrentGroup();
  QTreeWidgetItem* node = GroupNode();
  if (!group || !node) return;
  // A sub-icon has a size and depth of its own, asked for first.
  std::unique_ptr<TNewImageForm> form;
  if (dynamic_cast<TIconGroup*>(group)) {
    form = std::make_unique<TNewImageForm>(&Window(), true);
    if (Dialogs().Exec(*form) != QDialog::Accepted) return;
    if (form->Bits() < 1) {
      Dialogs().Information(&Window(), "You must select color mode for image!");
      return;
    }
  }
  const int k = append ? group->Count() : std::clamp(grid_.CurrentFrame(), 0, group->Count());
  TWorkFrame* frame = group->InsertFrame(k);
  try {
    if (form)
      frame->InitImage(form->ImageWidth(), form->ImageHeight(), &form->ChosenPalette(),
                       form->Bits());
    // A blank frame shows the background colour, taken from the frame's palette so that it
    // is written as it shows.
    frame->EditImage().Fill(ColorToPixel(frame->NearestColor(frame->GetRightColor())));
  } catch (...) {
    group->DeleteFrame(k);  // no half-made frame stays
    throw;
  }
  InsertFrameNode(node, k, frame);
  RefreshGroup(node, k);
}

void TFrameCommands::DelFrameActExecute() {
  TImageGroup* group = Session().CurrentGroup();
  QTreeWidgetItem* node = GroupNode();
  // A group keeps at least one frame.
  if (!group || !node || group->Count() < 2) return;
  if (warningsOn_ && warningsOn_() &&
      Dialogs().Question(&Window(), "Do you really want to delete the frame?",
                         TQuestionButtons::YesNo) != TAnswer::Yes)
    return;
  const int k = grid_.CurrentFrame();
  if (k < 0 || k >= group->Count() || k >= node->childCount()) return;
  Navigator().CloseHints();  // a hint may show the frame that goes
  delete node->takeChild(k);
  RenameFrameNodes(node, k);
  group->DeleteFrame(k);
  RefreshGroup(node, std::min(k, group->Count() - 1));
}

void TFrameCommands::InsertFrameNode(QTreeWidgetItem* groupNode, int index, TWorkFrame* frame) {
  auto* child = new TNavigatorNode(Navigator().PicIcons, frame);
  if (index < groupNode->childCount())
    groupNode->insertChild(index, child);
  else
    groupNode->addChild(child);
  RenameFrameNodes(groupNode, index);
}

void TFrameCommands::RenameFrameNodes(QTreeWidgetItem* groupNode, int first) {
  const TImageGroup* group = NodeGroup(groupNode);
  if (!group) return;
  const QString prefix = QString::fromStdString(group->GetChildName());
  for (int i = std::max(first, 0); i < groupNode->childCount(); ++i)
    groupNode->child(i)->setText(0, prefix + QString::number(i));
}

void TFrameCommands::RefreshGroup(QTreeWidgetItem* groupNode, int index) {
  // As when the group's node is selected: the grid is filled again from the frames.
  Documents().NavigatorPicTreeChange(groupNode);
  grid_.SelectFrame(index);
  Documents().RepaintNavigator();
}

void TFrameCommands::GroupPreviewDblClick(int index) {
  QTreeWidgetItem* node = GroupNode();
  if (node && index >= 0 && index < node->childCount()) Navigator().Select(node->child(index));
}

void TFrameCommands::GoParentActExecute() {
  QTreeWidgetItem* selected = Navigator().Selected();
  if (!selected || !selected->parent()) return;
  Navigator().Select(selected->parent());
  if (grid_.isVisible()) grid_.GroupPreview->setFocus();
}

void TFrameCommands::MovieActExecute() {
  const TImageGroup* group = Session().CurrentGroup();
  if (!group || group->Count() == 0) return;
  // An animation plays as the GIF it would be saved as; sub-icons with soft edges play as they
  // are, since a GIF stream would cut their alpha to a key colour. Errors reach the error box
  // before any window shows.
  TGifAnimation animation = PlaysWithAlpha(*group) ? TGifAnimation::Compose(*group)
                                                   : TGifAnimation::Decode(BuildGifStream(*group));
  TfrmPlayer player(Settings(), Dialogs(), &Window());
  player.SetAnimation(std::move(animation));
  player.setWindowTitle(QFileInfo(QFile::decodeName(group->FileName.c_str())).fileName());
  // Only the position is kept: the player opens at its first size.
  if (TFormPlacement::Read(Settings(), TfrmPlayer::Section).ApplyTo(player, PlayerFormVersion))
    player.resize(TfrmPlayer::InitialSize);
  Dialogs().Exec(player);
  TFormPlacement placement = TFormPlacement::Of(player, PlayerFormVersion);
  placement.ShowCmd = TFormPlacement::ShowNormal;
  placement.Write(Settings(), TfrmPlayer::Section);
}
