#pragma once
// TImageBrowseFrm: the navigator panel of the main window, listing the open documents as a tree
// (documents at the top level, their frames below) with the "Thumbnail hint" choice under it.
// The tree's nodes are the list of open documents: each top-level node owns its document, and
// the editor may close only when the tree is empty. Resting the pointer on a node shows a
// thumbnail of its picture (an animation for a multi-frame document).

#include <QCheckBox>
#include <QIcon>
#include <QPoint>
#include <QTimer>
#include <QTreeWidget>
#include <QWidget>
#include <vector>

#include "model/Document.h"

class TImageHint;
class TWorkFrame;

// A navigator node: a top-level node owns its document, a child node stands for one frame of
// its parent's group. The node's icon follows the document's kind and floating layer.
class TNavigatorNode : public QTreeWidgetItem {
 public:
  static constexpr int NodeType = QTreeWidgetItem::UserType + 1;

  TNavigatorNode(const std::vector<QIcon>& icons, TDocument document);
  TNavigatorNode(const std::vector<QIcon>& icons, TWorkFrame* frame);

  // The single image or frame of the node, or nullptr.
  TWorkImage* Image() const;
  // The group of a document node, or nullptr.
  TImageGroup* Group() const { return document_.Group.get(); }
  // The navigator's icon index (0 to 13) of the node.
  int ImageIndex() const;

  QVariant data(int column, int role) const override;

 private:
  const std::vector<QIcon>& icons_;
  TDocument document_;
  TWorkFrame* frame_ = nullptr;
};

// The single image, frame or group of any tree node (nullptr for nodes that hold none).
TWorkImage* NodeImage(const QTreeWidgetItem* node);
TImageGroup* NodeGroup(const QTreeWidgetItem* node);

class TImageBrowseFrm : public QWidget {
  Q_OBJECT
 public:
  explicit TImageBrowseFrm(QWidget* parent = nullptr);
  ~TImageBrowseFrm() override;

  QTreeWidget* PicTree;
  QWidget* Panel1;
  QCheckBox* cbHints;
  // The node icons, by the navigator's icon index.
  std::vector<QIcon> PicIcons;

  static constexpr int HintDelayMs = 750;
  static constexpr QSize HintClientSize{96, 72};

  // The number of open documents (top-level nodes).
  int DocumentCount() const { return PicTree->topLevelItemCount(); }

  // Adds the document's nodes and selects its node without announcing it: the command that
  // added it shows it. Answers the document's node.
  QTreeWidgetItem* AddDocument(TDocument document, const QString& caption);
  // A blank document named `name` (its extension picks the class), added and selected as by
  // AddDocument. `palette` null: the default palette of the depth.
  QTreeWidgetItem* NewDocument(const QString& name, int width, int height, int bits, bool group,
                               const TPaletteRecord* palette);
  // The highest number of the open "Noname" documents, 0 without any.
  int NextNonameNumber() const;

  QTreeWidgetItem* Selected() const { return PicTree->currentItem(); }
  // Selects the node, scrolls it into view (with its frames as far as they fit) and announces
  // it with SelectionChanged (when it changes the selection).
  void Select(QTreeWidgetItem* node);
  // Takes a top-level node with its children out of the tree and frees its document. The tree
  // selects a neighbouring document by itself.
  void DeleteNode(QTreeWidgetItem* node);
  // The top-level node of a node (the node itself for a document node).
  static QTreeWidgetItem* DocumentNode(QTreeWidgetItem* node);
  // Every node in tree order, documents each followed by their frames.
  std::vector<QTreeWidgetItem*> AllNodes() const;

  // Thumbnail hints.
  TImageHint* Hint() const { return hint_; }
  QTreeWidgetItem* HintNode() const { return hoverNode_; }
  void CloseHints();
  // Where a picture of this size is shown in the hint's client area: 1:1 and centred when it
  // fits, else scaled to touch two sides, keeping its proportions.
  static QRect HintPictureRect(QSize picture, QSize client = HintClientSize);

 signals:
  void SelectionChanged(QTreeWidgetItem* node);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void HoverNode(QTreeWidgetItem* node, const QPoint& globalPosition);
  void TreeScrolled();
  void HintTimeEventTimer();

  QTimer hintTimer_;
  QTreeWidgetItem* hoverNode_ = nullptr;
  QPoint hoverPosition_;
  TImageHint* hint_ = nullptr;
  // Selection changes are not announced while a document is being added.
  bool quiet_ = false;
};
