#include "palettes/DragStarter.h"

#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QWidget>
#include <algorithm>
#include <cstdlib>

#include "palettes/DragPayloads.h"

namespace {

// A row of swatches showing what is dragged (at most the first 16 colours of a run).
QPixmap DragPicture(const QMimeData& mime) {
  std::vector<TColor> colors;
  if (const auto one = DragColorFrom(&mime)) colors.push_back(one->Color);
  if (const auto run = DragGroupFrom(&mime)) colors = run->Colors;
  const int shown = std::clamp(int(colors.size()), 1, 16);
  QPixmap picture(shown * 12, 12);
  picture.fill(Qt::gray);
  QPainter p(&picture);
  for (int i = 0; i < shown && i < int(colors.size()); ++i)
    p.fillRect(i * 12, 0, 12, 12, QColor(RedOf(colors[i]), GreenOf(colors[i]), BlueOf(colors[i])));
  return picture;
}

}  // namespace

TDragStarter::TDragStarter(QWidget& source, TDragPayload payload, const TDragSink& sink)
    : QObject(&source), source_(source), payload_(std::move(payload)), sink_(sink) {
  source.installEventFilter(this);
}

bool TDragStarter::eventFilter(QObject* watched, QEvent* event) {
  if (watched != &source_) return false;
  switch (event->type()) {
    case QEvent::MouseButtonPress: {
      auto* press = static_cast<QMouseEvent*>(event);
      armed_ = press->button() == Qt::LeftButton;
      origin_ = press->position().toPoint();
      if (armed_ && OnPress) OnPress(origin_);
      break;
    }
    case QEvent::MouseMove: {
      auto* move = static_cast<QMouseEvent*>(event);
      if (!armed_ || !(move->buttons() & Qt::LeftButton)) break;
      const QPoint moved = move->position().toPoint() - origin_;
      if (std::abs(moved.x()) < DragThreshold && std::abs(moved.y()) < DragThreshold) break;
      armed_ = false;
      if (std::unique_ptr<QMimeData> mime = payload_()) StartColorDrag(source_, std::move(mime), sink_);
      break;
    }
    case QEvent::MouseButtonRelease:
      armed_ = false;
      break;
    default:
      break;
  }
  return false;
}

void StartColorDrag(QWidget& source, std::unique_ptr<QMimeData> mime, const TDragSink& sink) {
  if (sink) {
    sink(std::move(mime));
    return;
  }
  const QPixmap picture = DragPicture(*mime);
  auto* drag = new QDrag(&source);
  drag->setMimeData(mime.release());
  drag->setPixmap(picture);
  drag->exec(Qt::CopyAction);
  drag->deleteLater();
}
