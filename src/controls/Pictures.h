#pragma once
// The program's own pictures: command icons (by command name), the navigator's node icons and
// the editor's cursors. All are drawn by code on a pixel grid, at 1x and 2x display scale.

#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QString>
#include <QStringList>

namespace Pictures {

// The icon of a command (its action name, e.g. "SaveAct"); a null icon when it has none.
QIcon CommandIcon(const QString& name);
QStringList CommandIconNames();
// The command's picture as an image of 16 x 16 logical pixels at the given scale.
QImage CommandImage(const QString& name, int scale);

// Node icons of the navigator: 0 other image, 1 animated GIF, 2 JPEG, 3 image list, 4 bitmap,
// 5 GIF image, 6 icon, 7 PNG picture; 8 to 15 are the same marked as holding a floating selection.
constexpr int NodeIconCount = 16;
constexpr int FloatingNodeOffset = 8;
QIcon NodeIcon(int index);
QImage NodeImage(int index, int scale);

// Cursor slots of the editor's cursors.
enum TCursorSlot {
  crSelect = 1,
  crPen = 2,
  crCross = 3,
  crPick = 4,
  crFill = 5,
  crZoom = 6,
  crPickTransp = 7,
  crWand = 8
};
constexpr int CursorCount = 8;
// Loads a cursor by its resource name ("CR_SELECT" ... "CR_WAND"); the arrow for unknown names.
QCursor LoadCursor(const QString& resourceName);
// The resource names, indexed by slot (index 0 is empty).
QString CursorResourceName(int slot);
// Registers the eight cursors in their slots; Cursor(slot) then answers them.
void LoadCursors();
QCursor Cursor(int slot);
// The cursor's picture (32 x 32 logical pixels) and its hot spot in those pixels.
QImage CursorImage(const QString& resourceName, int scale);
QPoint CursorHotSpot(const QString& resourceName);

// The program's window icon.
QIcon AppIcon();

}  // namespace Pictures
