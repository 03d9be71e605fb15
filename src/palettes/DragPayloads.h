#pragma once
// The payloads of dragging colours between the palette grids, the swatches and the palette
// editor: one colour (TDragColor) or a run of colours (TDragGroup). They travel as QMimeData
// under their own MIME types; a dragged single colour also carries the standard colour data so
// that other programs can take it.
//
// Encoding, little-endian:
//   application/x-velmora-color   12 bytes: colour (u32, red in the low byte), SourceRow (i32),
//                                 SourceCol (i32)
//   application/x-velmora-colors  1 byte RowWise (0 or 1), u32 count, count colours (u32 each)

#include <QByteArray>
#include <memory>
#include <optional>
#include <vector>

#include "model/Colors.h"

class QMimeData;

inline constexpr const char* DragColorMimeType = "application/x-velmora-color";
inline constexpr const char* DragGroupMimeType = "application/x-velmora-colors";

struct TDragColor {
  TColor Color = 0;
  // The cell of the palette editor's own grid the colour was taken from, else -1.
  int32_t SourceRow = -1;
  int32_t SourceCol = -1;
  friend bool operator==(const TDragColor&, const TDragColor&) = default;
};

struct TDragGroup {
  // false: the colours are laid down a column; true: along a row.
  bool RowWise = false;
  std::vector<TColor> Colors;
  friend bool operator==(const TDragGroup&, const TDragGroup&) = default;
};

// A group longer than this is refused when decoding: no palette holds more.
inline constexpr uint32_t MaxDragGroupColors = 65536;

QByteArray EncodeDragColor(const TDragColor& drag);
QByteArray EncodeDragGroup(const TDragGroup& drag);
// Empty when the bytes are not a payload of that kind.
std::optional<TDragColor> DecodeDragColor(const QByteArray& bytes);
std::optional<TDragGroup> DecodeDragGroup(const QByteArray& bytes);

std::unique_ptr<QMimeData> DragColorMimeData(const TDragColor& drag);
std::unique_ptr<QMimeData> DragGroupMimeData(const TDragGroup& drag);
// The payload a drop carries, if it is one of ours and well formed.
std::optional<TDragColor> DragColorFrom(const QMimeData* mime);
std::optional<TDragGroup> DragGroupFrom(const QMimeData* mime);
