#pragma once
// TZoomView: the magnified view of the working copy and its 1:1 preview.
//
// It owns the zoom level (ZoomCombo), the scroll bars (their positions are image coordinates),
// ViewBitmap (the rendering of the visible part only), the marching selection outline with its
// timer, and the mapping between zoom box and image positions with the Shift constraint and the
// automatic scrolling of drags. The view's pixel work is render/ZoomRender; this class decides
// what to render when. Its widgets are made here and placed by the window: BackZoomPanel in the
// centre, ZoomCombo on the view tool bar, ViewBox in the right column.

#include <QComboBox>
#include <QObject>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <cstdint>

#include "controls/PaintBox.h"
#include "model/Geometry.h"
#include "model/Surface.h"

class QPainter;
class ICommandList;
class IEditorOptions;
class IZoomMouse;
class TEditSession;

class TZoomView : public QObject {
  Q_OBJECT
 public:
  TZoomView(TEditSession& session, ICommandList& commands, QObject* parent = nullptr);

  // The zoom box's cursor as a number: the editor's cursor slots from 1, crSizeAll for the
  // system's four-way move cursor, 0 for the arrow.
  static constexpr int16_t crSizeAll = -22;
  // The zoom box's levels run from 100 % (index 0) to 1600 % (index 4).
  static constexpr int MaxZoomIndex = 4;

  QWidget* BackZoomPanel;  // the view with its scroll bars
  QWidget* ZoomPanel;      // the grey margin around the picture
  TPaintBox* ZoomBox;
  QScrollBar* HScr;
  QScrollBar* VScr;
  QTimer* Timer1;  // the marching outline
  QComboBox* ZoomCombo;
  QScrollArea* ViewBox;  // the 1:1 preview
  TPaintBox* ViewImg;

  // ViewBitmap holds the rendering of the visible part of the image only.
  TSurface ViewBitmap;
  uint8_t ZoomShift = 3;
  int ZoomFactor = 8;
  uint32_t ZoomMask = ~0u << 3;
  bool GridVisible = true;
  bool OutlineVisible = true;
  bool ScrollRepaint = true;
  uint32_t DashPattern = 0xF0F0F0F0;
  // The picture of "View/Hide Selection": 13 to 15 cycle while a hidden selection exists.
  int SelectImageIndex = 13;
  // The anchor of the current drag, towards which Shift snaps the pointer. The tools set it at
  // their press; it stays until the next drag that sets one.
  TPoint AnchorPoint;

  // Read at every full render; null: the default grid and background colours.
  void SetOptions(const IEditorOptions* options) { options_ = options; }
  void AttachHandlers();

  void UpdateZoomLayout();
  void RenderView(bool full);
  void ZoomBoxPaint();
  // A full render shown at once, and with `preview` the preview repainted too.
  void Redraw(bool preview = false);
  void ViewImgPaint(QPainter& painter);
  // Sizes the preview to the working copy and repaints it.
  void SizePreview();
  void ZoomComboChange();
  void ZoomInActExecute();
  void ZoomOutActExecute();
  void ToggleGridActExecute();
  void ToggleSelectActExecute();
  void ScrollerChange();
  void ZoomPanelResize();
  void Timer1Timer();
  // The mouse wheel over the picture (ZoomWheel.cpp): it scrolls vertically, horizontally with
  // Shift, and with Ctrl zooms about the pointer. Positions are zoom panel coordinates.
  void ZoomPanelWheel(const QPoint& position, QPoint angleDelta, Qt::KeyboardModifiers shift);
  // Changes the zoom index keeping the image point under `position` where it is.
  void ZoomAbout(const QPoint& position, int index);
  // The image part the view shows: left and top are the scroll positions; right and bottom
  // exclusive.
  TRect VisibleRect() const;
  // A selection counts as present while the outline timer runs: an edge lies in view.
  bool SelectionExists() const;
  // No image any more: the zoom box shrinks to nothing and the outline stops.
  void Clear();

  // Pointer (ZoomPointer.cpp). The zoom box's mouse goes to the target set last; none: nothing.
  void SetMouseTarget(IZoomMouse* target) { mouse_ = target; }
  IZoomMouse* MouseTarget() const { return mouse_; }
  int16_t ZoomCursor() const { return zoomCursor_; }
  void SetZoomCursor(int16_t cursor);
  // The image position of a press at zoom box coordinates (never negative).
  TPoint PressToImage(const QPoint& position) const;
  // A press position kept on the image: the closing line at the view's right and bottom edge
  // maps one pixel past it.
  TPoint PressPoint(const QPoint& position) const;
  // The image position of the pointer at zoom box coordinates, possibly outside the box while
  // the mouse is captured; not clamped.
  TPoint PointerToImage(const QPoint& position) const;
  TPoint ClampAndConstrain(int x, int y, Qt::KeyboardModifiers shift) const;
  // Scrolls when a drag goes beyond the zoom box and moves the pointer back over the same image
  // pixel; answers the point after that correction.
  QPoint AutoScrollDrag(QPoint point);
  // "X: " + x + "  Y: " + y, with x padded to five characters for the drawing tools.
  static QString PositionText(int x, int y, bool padded);
  // Moves the system pointer where the platform lets programs do so (not under Wayland).
  static void SetPointerPos(const QPoint& global);

 signals:
  // The pointer left the zoom panel or the zoom box: the colour readout empties.
  void PointerLeft();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildZoomArea();
  void BuildPreview();
  void AttachPointerHandlers();
  void SetUpScrollBar(QScrollBar* bar, int extent, int client, int view);
  void ShowSelectImage(int index);

  TEditSession& session_;
  ICommandList& commands_;
  const IEditorOptions* options_ = nullptr;
  IZoomMouse* mouse_ = nullptr;
  int16_t zoomCursor_ = 0;
  // Wheel turns not yet used up: screen pixels to scroll, eighths of a degree to zoom.
  QPoint wheelScroll_;
  int wheelZoom_ = 0;
};
