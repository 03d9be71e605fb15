#pragma once
// TImageBrowseFrm: the navigator panel of the main window, listing the open documents as a tree
// (documents at the top level, their frames below) with the "Thumbnail hint" choice under it.
// The tree's nodes are the list of open documents: the editor may close only when it is empty.

#include <QCheckBox>
#include <QIcon>
#include <QTreeWidget>
#include <QWidget>
#include <vector>

class TImageBrowseFrm : public QWidget {
  Q_OBJECT
 public:
  explicit TImageBrowseFrm(QWidget* parent = nullptr);

  QTreeWidget* PicTree;
  QWidget* Panel1;
  QCheckBox* cbHints;
  // The node icons, by the navigator's icon index.
  std::vector<QIcon> PicIcons;

  // The number of open documents (top-level nodes).
  int DocumentCount() const { return PicTree->topLevelItemCount(); }
};
