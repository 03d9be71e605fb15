// The navigator's thumbnail hints: resting the pointer on a node for a moment shows its picture.

#include <QMouseEvent>
#include <algorithm>

#include "documents/ImageBrowseFrm.h"
#include "documents/ImageHint.h"

namespace {

// a * b / c rounded to the nearest integer, without overflow for picture sizes.
int MulDiv(int a, int b, int c) {
  if (c == 0) return 0;
  return int((int64_t(a) * b + c / 2) / c);
}

}  // namespace

QRect TImageBrowseFrm::HintPictureRect(QSize picture, QSize client) {
  const int pw = picture.width(), ph = picture.height();
  const int cw = client.width(), ch = client.height();
  if (pw <= cw && ph <= ch) return QRect((cw - pw) / 2, (ch - ph) / 2, pw, ph);
  // Compared as ph / ch >= pw / cw, without rounding.
  if (int64_t(ph) * cw >= int64_t(pw) * ch) {
    const int w = MulDiv(pw, ch, ph);
    return QRect((cw - w) / 2, 0, w, ch);
  }
  const int h = MulDiv(ph, cw, pw);
  return QRect(0, (ch - h) / 2, cw, h);
}

bool TImageBrowseFrm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == PicTree->viewport()) {
    switch (event->type()) {
      case QEvent::MouseMove: {
        const auto* move = static_cast<QMouseEvent*>(event);
        HoverNode(PicTree->itemAt(move->position().toPoint()), move->globalPosition().toPoint());
        break;
      }
      case QEvent::Leave:
        HoverNode(nullptr, {});
        break;
      case QEvent::MouseButtonPress:
        CloseHints();
        break;
      default:
        break;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TImageBrowseFrm::HoverNode(QTreeWidgetItem* node, const QPoint& globalPosition) {
  hoverPosition_ = globalPosition;
  if (node == hoverNode_) return;
  // Another node under the pointer: the pending hint and any shown one go.
  CloseHints();
  hoverNode_ = node;
  if (node && cbHints->isChecked()) hintTimer_.start(HintDelayMs);
}

void TImageBrowseFrm::TreeScrolled() {
  if (!hoverNode_) return;  // the pointer is not over the tree
  const QPoint inTree = PicTree->viewport()->mapFromGlobal(hoverPosition_);
  HoverNode(PicTree->itemAt(inTree), hoverPosition_);
}

void TImageBrowseFrm::CloseHints() {
  hintTimer_.stop();
  delete hint_;
  hint_ = nullptr;
}

void TImageBrowseFrm::HintTimeEventTimer() {
  const std::vector<QTreeWidgetItem*> nodes = AllNodes();
  if (!hoverNode_ || std::find(nodes.begin(), nodes.end(), hoverNode_) == nodes.end()) return;
  delete hint_;
  hint_ = new TImageHint;
  try {
    ShowThumbnailHint(*hint_, hoverNode_);
  } catch (const std::exception&) {
    // A picture that cannot be shown leaves no hint; the hint is a courtesy only.
    CloseHints();
    return;
  }
  hint_->setGeometry(QRect(hoverPosition_ + QPoint(20, 20), HintClientSize));
  hint_->show();
}
