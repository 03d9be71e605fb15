#pragma once
// TImageHint: the thumbnail window the navigator shows when the pointer rests on a node. It holds
// one picture control that stretches its picture; a multi-frame document plays as an animation.

#include <QBuffer>
#include <QByteArray>
#include <QLabel>
#include <QMovie>
#include <QWidget>
#include <memory>

class QTreeWidgetItem;

class TImageHint : public QWidget {
  Q_OBJECT
 public:
  explicit TImageHint(QWidget* parent = nullptr);
  ~TImageHint() override;

  QLabel* Picture;
  QTreeWidgetItem* Node = nullptr;
  // The animation of a group's thumbnail, or nullptr.
  QMovie* Movie() const { return movie_.get(); }

  // Shows a single picture at the given place of the client area.
  void SetPicture(const QImage& picture, const QRect& place);
  // Plays a GIF stream at the given place of the client area.
  void SetAnimation(const QByteArray& gif, const QRect& place);

 private:
  QByteArray gif_;
  QBuffer buffer_;
  std::unique_ptr<QMovie> movie_;
};

// Fills the hint with the node's picture: a single image or frame without its floating layer and
// with its transparent pixels left out, or the animation the group composes from its frames.
void ShowThumbnailHint(TImageHint& hint, QTreeWidgetItem* node);
