#include "documents/AboutBox.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>

TScrollingTitle::TScrollingTitle(const QString& text, QWidget* parent)
    : QWidget(parent), text_(text) {
  QFont big = font();
  big.setPointSize(big.pointSize() + 6);
  big.setBold(true);
  setFont(big);
  setMinimumHeight(fontMetrics().height() + 12);
  connect(&timer_, &QTimer::timeout, this, &TScrollingTitle::Step);
}

void TScrollingTitle::Step() {
  const int cycle = std::max(width(), 1) + fontMetrics().horizontalAdvance(text_);
  offset_ = (offset_ + 1) % cycle;
  update();
}

void TScrollingTitle::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), QColor(0, 0, 128));
  p.setPen(QColor(255, 255, 0));
  const int x = width() - offset_;
  p.drawText(QRect(x, 0, fontMetrics().horizontalAdvance(text_) + 4, height()),
             Qt::AlignVCenter | Qt::AlignLeft, text_);
}

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
  setObjectName("AboutBox");
  setWindowTitle("About");
  const QString version = QApplication::applicationVersion();
  Title = new TScrollingTitle(version.isEmpty() ? "Velmora" : "Velmora " + version, this);
  auto* text = new QLabel(
      "An editor for small raster images: tool bar pictures, icons, bitmaps,\n"
      "JPEG and GIF pictures and animated GIFs.",
      this);
  CloseBtn = new QPushButton("Close", this);
  CloseBtn->setDefault(true);
  connect(CloseBtn, &QPushButton::clicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Title);
  layout->addWidget(text);
  layout->addWidget(CloseBtn, 0, Qt::AlignHCenter);
  setFixedSize(sizeHint().expandedTo({360, 160}));
}
