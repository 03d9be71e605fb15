#pragma once
// TDragStarter: starts a drag of colours from a widget once the pointer has moved DragThreshold
// pixels with the left button held, as the palette grids, swatches, the ramp and the palette
// editor's handles do. The payload is asked for only then. A drag sink, when set, receives the
// payload instead of the platform's drag and drop (tests use it).

#include <QObject>
#include <QPoint>
#include <functional>
#include <memory>

class QMimeData;
class QWidget;

using TDragPayload = std::function<std::unique_ptr<QMimeData>()>;
using TDragSink = std::function<void(std::unique_ptr<QMimeData>)>;

class TDragStarter : public QObject {
 public:
  // Watches `source` (for a scroll area: its viewport). `sink` is read when a drag starts, so the
  // owner may set it later.
  TDragStarter(QWidget& source, TDragPayload payload, const TDragSink& sink);

  // Pixels the pointer must move with the left button held before a drag begins.
  static constexpr int DragThreshold = 8;

  // Called with the position of every left press on the source.
  std::function<void(const QPoint&)> OnPress;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget& source_;
  TDragPayload payload_;
  const TDragSink& sink_;
  bool armed_ = false;
  QPoint origin_;
};

// Hands a payload to `sink`, or runs the platform's drag with a picture of the colours.
void StartColorDrag(QWidget& source, std::unique_ptr<QMimeData> mime, const TDragSink& sink);
