#include "palettes/DragPayloads.h"

#include <QColor>
#include <QMimeData>

namespace {

void PutU32(QByteArray& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.append(char((v >> (8 * i)) & 0xFF));
}

uint32_t GetU32(const QByteArray& in, qsizetype at) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= uint32_t(uint8_t(in[at + i])) << (8 * i);
  return v;
}

}  // namespace

QByteArray EncodeDragColor(const TDragColor& drag) {
  QByteArray out;
  PutU32(out, StripHighByte(drag.Color));
  PutU32(out, uint32_t(drag.SourceRow));
  PutU32(out, uint32_t(drag.SourceCol));
  return out;
}

QByteArray EncodeDragGroup(const TDragGroup& drag) {
  QByteArray out;
  out.append(char(drag.RowWise ? 1 : 0));
  PutU32(out, uint32_t(drag.Colors.size()));
  for (TColor c : drag.Colors) PutU32(out, StripHighByte(c));
  return out;
}

std::optional<TDragColor> DecodeDragColor(const QByteArray& bytes) {
  if (bytes.size() != 12) return std::nullopt;
  TDragColor drag;
  drag.Color = StripHighByte(GetU32(bytes, 0));
  drag.SourceRow = int32_t(GetU32(bytes, 4));
  drag.SourceCol = int32_t(GetU32(bytes, 8));
  return drag;
}

std::optional<TDragGroup> DecodeDragGroup(const QByteArray& bytes) {
  if (bytes.size() < 5 || uint8_t(bytes[0]) > 1) return std::nullopt;
  const uint32_t count = GetU32(bytes, 1);
  if (count > MaxDragGroupColors || bytes.size() != 5 + qsizetype(count) * 4) return std::nullopt;
  TDragGroup drag;
  drag.RowWise = bytes[0] == 1;
  drag.Colors.reserve(count);
  for (uint32_t i = 0; i < count; ++i)
    drag.Colors.push_back(StripHighByte(GetU32(bytes, 5 + qsizetype(i) * 4)));
  return drag;
}

std::unique_ptr<QMimeData> DragColorMimeData(const TDragColor& drag) {
  auto mime = std::make_unique<QMimeData>();
  mime->setData(DragColorMimeType, EncodeDragColor(drag));
  mime->setColorData(QColor(RedOf(drag.Color), GreenOf(drag.Color), BlueOf(drag.Color)));
  return mime;
}

std::unique_ptr<QMimeData> DragGroupMimeData(const TDragGroup& drag) {
  auto mime = std::make_unique<QMimeData>();
  mime->setData(DragGroupMimeType, EncodeDragGroup(drag));
  return mime;
}

std::optional<TDragColor> DragColorFrom(const QMimeData* mime) {
  if (!mime || !mime->hasFormat(DragColorMimeType)) return std::nullopt;
  return DecodeDragColor(mime->data(DragColorMimeType));
}

std::optional<TDragGroup> DragGroupFrom(const QMimeData* mime) {
  if (!mime || !mime->hasFormat(DragGroupMimeType)) return std::nullopt;
  return DecodeDragGroup(mime->data(DragGroupMimeType));
}
