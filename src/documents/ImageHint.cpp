#include "documents/ImageHint.h"

#include "documents/ImageBrowseFrm.h"
#include "model/GifBuilder.h"
#include "model/ImageGroup.h"
#include "model/WorkImage.h"
#include "render/ImageConvert.h"

TImageHint::TImageHint(QWidget* parent) : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint) {
  setObjectName("ImageHint");
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAutoFillBackground(true);
  QPalette face = palette();
  face.setColor(QPalette::Window, face.color(QPalette::Button));
  setPalette(face);
  Picture = new QLabel(this);
  Picture->setObjectName("Picture");
  Picture->setScaledContents(true);
  Picture->move(0, 0);
  resize(TImageBrowseFrm::HintClientSize);
}

TImageHint::~TImageHint() {
  // The movie reads from the buffer: it goes first.
  Picture->clear();
  movie_.reset();
}

void TImageHint::SetPicture(const QImage& picture, const QRect& place) {
  Picture->setPixmap(QPixmap::fromImage(picture));
  Picture->setGeometry(place);
}

void TImageHint::SetAnimation(const QByteArray& gif, const QRect& place) {
  Picture->clear();
  movie_.reset();
  buffer_.close();
  gif_ = gif;
  buffer_.setBuffer(&gif_);
  buffer_.open(QIODevice::ReadOnly);
  movie_ = std::make_unique<QMovie>(&buffer_, QByteArray("gif"));
  movie_->setCacheMode(QMovie::CacheAll);
  Picture->setGeometry(place);
  Picture->setMovie(movie_.get());
  movie_->start();
}

void ShowThumbnailHint(TImageHint& hint, QTreeWidgetItem* node) {
  hint.Node = node;
  if (const TWorkImage* image = NodeImage(node)) {
    const QImage picture = PictureImage(*image, false);
    hint.SetPicture(picture, TImageBrowseFrm::HintPictureRect(picture.size()));
  } else if (const TImageGroup* group = NodeGroup(node)) {
    if (group->Count() == 0) return;
    const TBytes gif = BuildGifStream(*group);
    const QByteArray bytes(reinterpret_cast<const char*>(gif.data()), qsizetype(gif.size()));
    if (gif.size() < 10) return;
    // The animation plays at the size of the stream's logical screen (header bytes 6 to 9).
    const QSize size(gif[6] | gif[7] << 8, gif[8] | gif[9] << 8);
    hint.SetAnimation(bytes, TImageBrowseFrm::HintPictureRect(size));
  }
}
