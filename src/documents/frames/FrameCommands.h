#pragma once
// TFrameCommands: the frame grid's commands ("&Add new frame", "&Insert new frame",
// "&Delete frame", "&Play", "View all frames") and opening a frame from the grid. Adding,
// inserting and deleting change the group and its navigator nodes together: the child nodes stay
// named after their frame indexes ("Frame0", "Frame1", ...).

#include <functional>

#include "documents/FeatureModule.h"

class QTreeWidgetItem;
class TFrameGrid;
class TImageGroup;
class TWorkFrame;

class TFrameCommands : public TFeatureModule {
 public:
  // `warningsOn` tells whether the options ask before a frame is deleted.
  TFrameCommands(const TFeatureContext& context, TFrameGrid& grid,
                 std::function<bool()> warningsOn = {});

  static constexpr int PlayerFormVersion = 1;

  void Attach() override;

  // `append`: add after the last frame; else insert before the current one.
  void InsertFrameActExecute(bool append);
  void DelFrameActExecute();
  void MovieActExecute();
  void GoParentActExecute();
  // Opens the frame of that index for editing (double click or Enter on the grid).
  void GroupPreviewDblClick(int index);

 private:
  // The navigator node of the current group, or nullptr.
  QTreeWidgetItem* GroupNode() const;
  // Shows the group again after its frames changed, with the frame of `index` current.
  void RefreshGroup(QTreeWidgetItem* groupNode, int index);
  // The navigator's frame nodes follow the group: a node for the new frame at `index` (the
  // nodes after it renumbered), and the renumbering of the nodes from `first` on.
  void InsertFrameNode(QTreeWidgetItem* groupNode, int index, TWorkFrame* frame);
  void RenameFrameNodes(QTreeWidgetItem* groupNode, int first);

  TFrameGrid& grid_;
  std::function<bool()> warningsOn_;
};
