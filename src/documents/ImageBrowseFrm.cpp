#include "documents/ImageBrowseFrm.h"

#include <QFile>
#include <QHeaderView>
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QVBoxLayout>

#include "controls/Pictures.h"
#include "documents/ImageHint.h"
#include "model/Groups.h"
#include "model/WorkFrame.h"
#include "model/WorkImages.h"

namespace {

std::string LocalPath(const QString& path) {
  return QFile::encodeName(path).toStdString();
}

int SingleImageIndex(const TWorkImage* image) {
  if (dynamic_cast<const TWorkBitmap*>(image)) return 4;
  if (dynamic_cast<const TWorkJpeg*>(image)) return 2;
  if (dynamic_cast<const TWorkGifImage*>(image)) return 5;
  if (dynamic_cast<const TWorkPng*>(image)) return 7;
  if (dynamic_cast<const TIconFrame*>(image)) return 6;
  return 0;
}

int GroupIndex(const TImageGroup* group) {
  if (dynamic_cast<const TGifImageGroup*>(group)) return 1;
  if (dynamic_cast<const TImageListGroup*>(group)) return 3;
  if (dynamic_cast<const TIconGroup*>(group)) return 6;
  return 0;
}

}  // namespace

// ---- TNavigatorNode ----

TNavigatorNode::TNavigatorNode(const std::vector<QIcon>& icons, TDocument document)
    : QTreeWidgetItem(NodeType), icons_(icons), document_(std::move(document)) {}

TNavigatorNode::TNavigatorNode(const std::vector<QIcon>& icons, TWorkFrame* frame)
    : QTreeWidgetItem(NodeType), icons_(icons), frame_(frame) {}

TWorkImage* TNavigatorNode::Image() const {
  return frame_ ? frame_ : document_.Image.get();
}

int TNavigatorNode::ImageIndex() const {
  if (const TWorkImage* image = Image())
    return SingleImageIndex(image) + (image->HasLayer() ? Pictures::FloatingNodeOffset : 0);
  if (const TImageGroup* group = Group()) return GroupIndex(group);
  return 0;
}

QVariant TNavigatorNode::data(int column, int role) const {
  if (role == Qt::DecorationRole && column == 0) {
    const size_t index = size_t(ImageIndex());
    if (index < icons_.size()) return icons_[index];
  }
  return QTreeWidgetItem::data(column, role);
}

TWorkImage* NodeImage(const QTreeWidgetItem* node) {
  const auto* n = dynamic_cast<const TNavigatorNode*>(node);
  return n ? n->Image() : nullptr;
}

TImageGroup* NodeGroup(const QTreeWidgetItem* node) {
  const auto* n = dynamic_cast<const TNavigatorNode*>(node);
  return n ? n->Group() : nullptr;
}

// ---- TImageBrowseFrm ----

TImageBrowseFrm::TImageBrowseFrm(QWidget* parent) : QWidget(parent) {
  setObjectName("Navigator");
  PicTree = new QTreeWidget(this);
  PicTree->setObjectName("PicTree");
  PicTree->setHeaderHidden(true);
  PicTree->setIndentation(19);
  PicTree->setRootIsDecorated(true);
  PicTree->setAllColumnsShowFocus(true);
  PicTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
  PicTree->setSelectionMode(QAbstractItemView::SingleSelection);
  PicTree->setMouseTracking(true);  // the node under the pointer is highlighted
  PicTree->clear();
  Panel1 = new QWidget(this);
  Panel1->setObjectName("Panel1");
  cbHints = new QCheckBox("Thumbnail hint", Panel1);
  cbHints->setObjectName("cbHints");
  cbHints->setChecked(true);
  auto* panelLayout = new QHBoxLayout(Panel1);
  panelLayout->setContentsMargins(4, 2, 4, 2);
  panelLayout->addWidget(cbHints);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(PicTree, 1);
  layout->addWidget(Panel1);
  for (int i = 0; i < Pictures::NodeIconCount; ++i) PicIcons.push_back(Pictures::NodeIcon(i));
  connect(PicTree, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* current, QTreeWidgetItem*) {
            if (current && !current->isSelected()) current->setSelected(true);
            if (!quiet_) emit SelectionChanged(current);
          });
  hintTimer_.setSingleShot(true);
  connect(&hintTimer_, &QTimer::timeout, this, &TImageBrowseFrm::HintTimeEventTimer);
  connect(cbHints, &QCheckBox::toggled, this, [this](bool on) {
    if (!on) CloseHints();
  });
  PicTree->viewport()->installEventFilter(this);
  // The tree scrolling under a still pointer brings another node under it.
  for (QScrollBar* bar : {PicTree->verticalScrollBar(), PicTree->horizontalScrollBar()})
    connect(bar, &QScrollBar::valueChanged, this, &TImageBrowseFrm::TreeScrolled);
}

TImageBrowseFrm::~TImageBrowseFrm() {
  delete hint_;
}

QTreeWidgetItem* TImageBrowseFrm::NewDocument(const QString& name, int width, int height, int bits,
                                              bool group, const TPaletteRecord* palette) {
  TDocument document = CreateDocumentForFile(LocalPath(name), group);
  if (TImageGroup* g = document.Group.get()) {
    g->SetBitCount(bits);
    TWorkFrame* frame = g->AddFrame();
    g->SetWidth(width);
    g->SetHeight(height);
    frame->InitImage(width, height, palette, bits);
    frame->EditImage().Fill(ColorToPixel(frame->GetRightColor()));
  } else {
    TWorkImage& image = *document.Image;
    image.InitImage(width, height, palette, bits);
    image.EditImage().Fill(ColorToPixel(image.GetRightColor()));
  }
  return AddDocument(std::move(document), name);
}

QTreeWidgetItem* TImageBrowseFrm::AddDocument(TDocument document, const QString& caption) {
  TImageGroup* group = document.Group.get();
  auto* node = new TNavigatorNode(PicIcons, std::move(document));
  node->setText(0, caption);
  if (group) {
    const QString prefix = QString::fromStdString(group->GetChildName());
    for (int i = 0; i < group->Count(); ++i) {
      auto* child = new TNavigatorNode(PicIcons, group->GetFrame(i));
      child->setText(0, prefix + QString::number(i));
      node->addChild(child);
    }
  }
  const QScopedValueRollback<bool> quiet(quiet_, true);
  PicTree->addTopLevelItem(node);
  node->setExpanded(true);
  Select(node);
  return node;
}

int TImageBrowseFrm::NextNonameNumber() const {
  int highest = 0;
  for (const QTreeWidgetItem* node : AllNodes()) {
    const TWorkImage* image = NodeImage(node);
    const QString name = image ? QFile::decodeName(image->GetFileName().c_str()) : QString();
    if (!name.toLower().contains("noname")) continue;
    // The number stands between "Noname" and the first dot of the name.
    const qsizetype dot = name.indexOf('.');
    bool ok = false;
    const int number = dot > 6 ? name.mid(6, dot - 6).toInt(&ok) : 0;
    if (ok) highest = std::max(highest, number);
  }
  return highest;
}

void TImageBrowseFrm::Select(QTreeWidgetItem* node) {
  PicTree->setCurrentItem(node);
  if (!node) return;
  // The node comes into view, and with it as many of its frames as fit below it.
  if (node->isExpanded() && node->childCount() > 0)
    PicTree->scrollToItem(node->child(node->childCount() - 1));
  PicTree->scrollToItem(node);
}

QTreeWidgetItem* TImageBrowseFrm::DocumentNode(QTreeWidgetItem* node) {
  while (node && node->parent()) node = node->parent();
  return node;
}

void TImageBrowseFrm::DeleteNode(QTreeWidgetItem* node) {
  QTreeWidgetItem* top = DocumentNode(node);
  if (!top) return;
  if (DocumentNode(hoverNode_) == top) hoverNode_ = nullptr;
  CloseHints();
  const int index = PicTree->indexOfTopLevelItem(top);
  if (index < 0) return;
  // Taken out first, so that the tree chooses the next node while the document still exists.
  std::unique_ptr<QTreeWidgetItem> taken(PicTree->takeTopLevelItem(index));
  if (!PicTree->currentItem() && DocumentCount() > 0)
    Select(PicTree->topLevelItem(std::min(index, DocumentCount() - 1)));
}

std::vector<QTreeWidgetItem*> TImageBrowseFrm::AllNodes() const {
  std::vector<QTreeWidgetItem*> nodes;
  for (int i = 0; i < PicTree->topLevelItemCount(); ++i) {
    QTreeWidgetItem* top = PicTree->topLevelItem(i);
    nodes.push_back(top);
    for (int c = 0; c < top->childCount(); ++c) nodes.push_back(top->child(c));
  }
  return nodes;
}
