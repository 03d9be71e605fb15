#include "documents/ImageBrowseFrm.h"

#include <QHeaderView>
#include <QVBoxLayout>

#include "controls/Pictures.h"

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
}
