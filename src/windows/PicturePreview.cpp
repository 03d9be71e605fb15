#include "windows/PicturePreview.h"

#include <QFile>
#include <QFileInfo>
#include <QVBoxLayout>

#include "model/Document.h"
#include "model/WorkFrame.h"
#include "render/ImageConvert.h"

namespace {

// Small pictures are enlarged by a whole factor so their pixels stay sharp; large ones shrink.
QPixmap Fitted(const QImage& picture, int room) {
  const int w = std::max(picture.width(), 1), h = std::max(picture.height(), 1);
  if (w <= room && h <= room) {
    const int factor = std::max(1, std::min(room / w, room / h));
    return QPixmap::fromImage(picture.scaled(w * factor, h * factor));
  }
  return QPixmap::fromImage(
      picture.scaled(room, room, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

}  // namespace

TPicturePreview::TPicturePreview(QWidget* parent) : QWidget(parent) {
  setObjectName("PicturePreview");
  Picture = new QLabel(this);
  Picture->setObjectName("Picture");
  Picture->setFixedSize(Room, Room);
  Picture->setAlignment(Qt::AlignCenter);
  Picture->setFrameShape(QFrame::StyledPanel);
  Caption = new QLabel(this);
  Caption->setObjectName("Caption");
  Caption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  Caption->setWordWrap(true);
  Caption->setFixedWidth(Room);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 0, 0, 0);
  layout->addWidget(Picture);
  layout->addWidget(Caption);
  layout->addStretch(1);
  settle_.setSingleShot(true);
  connect(&settle_, &QTimer::timeout, this, [this] { ShowFile(pending_); });
}

void TPicturePreview::ShowFileSoon(const QString& path) {
  if (path == pending_ && settle_.isActive()) return;
  Picture->clear();
  Caption->clear();
  pending_ = path;
  settle_.start(SettleMs);
}

void TPicturePreview::ShowFile(const QString& path) {
  Picture->clear();
  Caption->clear();
  const QFileInfo info(path);
  if (!info.isFile()) return;
  if (info.size() > MaxFileSize) {
    Caption->setText("Too large to preview");
    return;
  }
  try {
    const TDocument document = OpenDocument(QFile::encodeName(path).toStdString());
    const TWorkImage* image = document.Group ? document.Group->GetFrame(0) : document.Image.get();
    if (!image) return;
    Picture->setPixmap(Fitted(PictureImage(*image, false), Room));
    QString text = QString("%1 x %2, %3 bit")
                       .arg(image->Width())
                       .arg(image->Height())
                       .arg(image->GetBitCount());
    if (document.Group)
      text += QString("\n%1 %2")
                  .arg(document.Group->Count())
                  .arg(document.Group->Count() == 1 ? "image" : "images");
    Caption->setText(text);
  } catch (const std::exception& e) {
    Caption->setText(QString::fromUtf8(e.what()));
  }
}
