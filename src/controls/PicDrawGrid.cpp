#include "controls/PicDrawGrid.h"

#include <QPainter>

namespace {

// A copy of the picture whose transparent-coloured pixels let the background show through.
QImage WithTransparency(const TGridPicture& picture) {
  if (!picture.Transparent) return picture.Image;
  QImage image = picture.Image.convertToFormat(QImage::Format_ARGB32);
  const QRgb key = picture.TransparentColor & 0xFFFFFF;
  for (int y = 0; y < image.height(); ++y) {
    auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x)
      if ((row[x] & 0xFFFFFF) == key) row[x] = 0;
  }
  return image;
}

}  // namespace

TPicDrawGrid::TPicDrawGrid(QWidget* parent) : TDrawGrid(parent) {
  SetFixedCols(1);
  SetFixedRows(1);
}

void TPicDrawGrid::SetMarkColor(const QColor& color) {
  if (color == markColor_) return;
  markColor_ = color;
  viewport()->update();
}

int TPicDrawGrid::GetCellIndex(int col, int row) const {
  const int index = (col - FixedCols()) + (ColCount() - FixedCols()) * (row - FixedRows());
  return index >= 0 && index < int(PictureList.size()) ? index : -1;
}

QRect TPicDrawGrid::FitPicture(const QSize& picture, const QRect& room) {
  if (picture.isEmpty() || room.isEmpty()) return {};
  if (picture.width() <= room.width() && picture.height() <= room.height()) {
    return QRect(room.left() + (room.width() - picture.width()) / 2,
                 room.top() + (room.height() - picture.height()) / 2, picture.width(),
                 picture.height());
  }
  const double factor =
      std::max(double(picture.height()) / room.height(), double(picture.width()) / room.width());
  const int w = int(picture.width() / factor), h = int(picture.height() / factor);
  return QRect(room.left() + (room.width() - w) / 2, room.top() + (room.height() - h) / 2, w, h);
}

void TPicDrawGrid::DrawPicture(QPainter& p, const TGridPicture& picture, const QRect& cell) const {
  const QRect room = cell.adjusted(3, 3, -3, -3);
  const QRect target = FitPicture(picture.Image.size(), room);
  if (target.isEmpty()) return;
  const bool oneToOne = target.size() == picture.Image.size();
  if (oneToOne) {
    // A raised soft edge around pictures shown at their own size.
    const QRect edge = target.adjusted(-4, -3, 4, 3);
    p.setPen(QColor(Qt::white));
    p.drawLine(edge.topLeft(), edge.topRight());
    p.drawLine(edge.topLeft(), edge.bottomLeft());
    p.setPen(QColor(128, 128, 128));
    p.drawLine(edge.bottomLeft(), edge.bottomRight());
    p.drawLine(edge.topRight(), edge.bottomRight());
  }
  p.drawImage(target, WithTransparency(picture));
}

void TPicDrawGrid::DrawCell(QPainter& p, int col, int row, const QRect& rect,
                            const TGridDrawState& state) {
  if (OnDrawCell) {
    OnDrawCell(p, col, row, rect, state);
    return;
  }
  if (state.Fixed) {
    p.fillRect(rect, FixedColor);
    return;
  }
  p.fillRect(rect, GridColor);
  const int index = GetCellIndex(col, row);
  if (index >= 0) DrawPicture(p, PictureList[size_t(index)], rect);
  const QColor frame =
      state.Selected ? (state.Focused ? markColor_ : QColor(0, 0, 128)) : GridColor;
  p.setPen(frame);
  p.setBrush(Qt::NoBrush);
  p.drawRect(rect.adjusted(0, 0, -1, -1));
}
