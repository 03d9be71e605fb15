// The zoomed view: its widgets, layout, scrolling, rendering of the visible part, the selection
// outline and the 1:1 preview.

#include "editor/ZoomView.h"

#include <QGridLayout>
#include <QPainter>
#include <QSignalBlocker>
#include <algorithm>
#include <bit>

#include "controls/Pictures.h"
#include "editor/EditSession.h"
#include "editor/EditorServices.h"
#include "editor/ZoomMouse.h"
#include "model/SelectBitmap.h"
#include "render/ImageConvert.h"
#include "render/ZoomRender.h"

namespace {

constexpr int MaxZoomIndex = TZoomView::MaxZoomIndex;
constexpr int FirstSelectImage = 13;
constexpr int LastSelectImage = 15;

const QIcon& SelectImage(int index) {
  static const QIcon icons[] = {Pictures::CommandIcon("ToggleSelectAct"),
                                Pictures::CommandIcon("ToggleSelectAct1"),
                                Pictures::CommandIcon("ToggleSelectAct2")};
  return icons[std::clamp(index - FirstSelectImage, 0, 2)];
}

}  // namespace

TZoomView::TZoomView(TEditSession& session, ICommandList& commands, QObject* parent)
    : QObject(parent), session_(session), commands_(commands) {
  BuildZoomArea();
  BuildPreview();
  ZoomCombo = new QComboBox;
  ZoomCombo->setObjectName("ZoomCombo");
  ZoomCombo->addItems({"100%", "200%", "400%", "800%", "1600%"});
  ZoomCombo->setMaxVisibleItems(5);
  ZoomCombo->setToolTip("Zoom factor");
  ZoomCombo->setEnabled(false);
}

void TZoomView::BuildZoomArea() {
  BackZoomPanel = new QWidget;
  BackZoomPanel->setObjectName("BackZoomPanel");
  ZoomPanel = new QWidget(BackZoomPanel);
  ZoomPanel->setObjectName("ZoomPanel");
  ZoomPanel->setAutoFillBackground(true);
  QPalette gray = ZoomPanel->palette();
  gray.setColor(QPalette::Window, QColor(128, 128, 128));
  ZoomPanel->setPalette(gray);
  ZoomPanel->setFocusPolicy(Qt::ClickFocus);
  ZoomBox = new TPaintBox(ZoomPanel);
  ZoomBox->setObjectName("ZoomBox");
  ZoomBox->setGeometry(0, 0, 0, 0);
  HScr = new QScrollBar(Qt::Horizontal, BackZoomPanel);
  VScr = new QScrollBar(Qt::Vertical, BackZoomPanel);
  for (QScrollBar* bar : {HScr, VScr}) {
    bar->setPageStep(16);
    bar->setFocusPolicy(Qt::NoFocus);
    bar->hide();
  }
  HScr->setObjectName("HScr");
  VScr->setObjectName("VScr");
  auto* grid = new QGridLayout(BackZoomPanel);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setSpacing(0);
  grid->addWidget(ZoomPanel, 0, 0);
  grid->addWidget(VScr, 0, 1);
  grid->addWidget(HScr, 1, 0);
  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setInterval(100);
}

void TZoomView::BuildPreview() {
  ViewBox = new QScrollArea;
  ViewBox->setObjectName("ViewBox");
  ViewBox->setToolTip("Preview area");
  auto* host = new QWidget;
  host->setObjectName("PreviewHost");
  host->setAutoFillBackground(true);
  QPalette silver = host->palette();
  silver.setColor(QPalette::Window, QColor(192, 192, 192));
  host->setPalette(silver);
  ViewImg = new TPaintBox(host);
  ViewImg->setObjectName("ViewImg");
  ViewImg->setGeometry(8, 8, 0, 0);
  ViewBox->setWidget(host);
  ViewBox->setWidgetResizable(true);
}

void TZoomView::AttachHandlers() {
  ZoomBox->OnPaint = [this](QPainter& p) {
    if (!ViewBitmap.IsEmpty()) p.drawImage(0, 0, SurfaceView(ViewBitmap));
  };
  ViewImg->OnPaint = [this](QPainter& p) { ViewImgPaint(p); };
  connect(ZoomCombo, &QComboBox::currentIndexChanged, this, [this] { ZoomComboChange(); });
  connect(HScr, &QScrollBar::valueChanged, this, [this] { ScrollerChange(); });
  connect(VScr, &QScrollBar::valueChanged, this, [this] { ScrollerChange(); });
  connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
  ZoomPanel->installEventFilter(this);
  ZoomBox->installEventFilter(this);  // the wheel over the picture itself
  ICommandList& a = commands_;
  a.OnExecute("ZoomInAct", [this] { ZoomInActExecute(); });
  a.OnUpdate("ZoomInAct", [this](QAction& act) {
    act.setEnabled(ZoomCombo->currentIndex() < MaxZoomIndex && session_.CurrentImage());
    ZoomCombo->setEnabled(session_.CurrentImage() != nullptr);
  });
  a.OnExecute("ZoomOutAct", [this] { ZoomOutActExecute(); });
  a.OnUpdate("ZoomOutAct", [this](QAction& act) {
    act.setEnabled(ZoomCombo->currentIndex() > 0 && session_.CurrentImage());
  });
  a.OnExecute("ToggleGridAct", [this] { ToggleGridActExecute(); });
  a.OnExecute("ToggleSelectAct", [this] { ToggleSelectActExecute(); });
  for (const char* name : {"ToggleGridAct", "ToggleSelectAct"})
    a.OnUpdate(name, [this](QAction& act) { act.setEnabled(session_.CurrentImage() != nullptr); });
  AttachPointerHandlers();
}

void TZoomView::UpdateZoomLayout() {
  ZoomShift = uint8_t(std::clamp(ZoomCombo->currentIndex(), 0, MaxZoomIndex));
  ZoomMask = ~0u << ZoomShift;
  ZoomFactor = 1 << ZoomShift;
  const TSelectBitmap* copy = session_.WorkingCopy();
  if (!copy) {
    HScr->hide();
    VScr->hide();
    return;
  }
  const int w = copy->Width(), h = copy->Height();
  const int cw = ZoomPanel->width(), ch = ZoomPanel->height();
  const int64_t f = ZoomFactor;
  // Whole image pixels only: the sizes are rounded down to multiples of the factor.
  const int vw = int(std::min<int64_t>(cw, w * f) & int64_t(int32_t(ZoomMask)));
  const int vh = int(std::min<int64_t>(ch, h * f) & int64_t(int32_t(ZoomMask)));
  ViewBitmap.SetSize(vw + 1, vh + 1);
  {
    // One render for the whole relayout: the bars report no changes while they are set up.
    const QSignalBlocker blockH(HScr), blockV(VScr);
    SetUpScrollBar(HScr, w, cw, vw);
    SetUpScrollBar(VScr, h, ch, vh);
  }
  RenderView(true);
  const int left = HScr->isHidden() ? (cw - vw) / 2 : 0;
  const int top = VScr->isHidden() ? (ch - vh) / 2 : 0;
  ZoomBox->setGeometry(left, top, vw + 1, vh + 1);
}

void TZoomView::SetUpScrollBar(QScrollBar* bar, int extent, int client, int view) {
  // The bar shows as soon as the magnified image is as large as the panel.
  if (int64_t(extent) * ZoomFactor < client) {
    bar->setValue(0);
    bar->hide();
    return;
  }
  // Positions are image coordinates of the view's first column (row); the last one shows the
  // image's end at the view's end.
  const int page = view / ZoomFactor;
  const int last = std::max(extent - page, 0);
  const int position = std::min(bar->value(), last);
  bar->setRange(0, last);
  bar->setPageStep(std::max(page, 1));
  bar->setSingleStep(1);
  bar->setValue(position);
  bar->show();
}

TRect TZoomView::VisibleRect() const {
  const int left = HScr->value(), top = VScr->value();
  return {left, top, left + (ViewBitmap.Width() - 1) / ZoomFactor,
          top + (ViewBitmap.Height() - 1) / ZoomFactor};
}

void TZoomView::RenderView(bool full) {
  const TSelectBitmap* working = session_.WorkingCopy();
  if (!working || ViewBitmap.IsEmpty()) return;
  const TSelectBitmap& copy = *working;
  const TRect visible = VisibleRect();
  if (visible.Right > copy.Width() || visible.Bottom > copy.Height()) {
    // The picture shrank since the last layout; laying out again renders it.
    UpdateZoomLayout();
    return;
  }
  const TPixelRows rows = RowsOf(ViewBitmap);
  if (full) {
    TZoomStyle style;
    style.Factor = ZoomFactor;
    if (options_) {
      style.GridColor = options_->GridColor();
      style.Background = options_->BackgroundColor();
    }
    style.Grid = GridVisible;
    style.Hatch = true;
    style.Transparent = copy.GetTransparent();
    style.TransparentColor = copy.GetTransparentColor();
    style.Alpha = copy.GetBitCount() == 32;
    DrawZoomed(copy.Image(), visible.Left, visible.Top, rows, style);
    if (copy.HasLayer()) CompositeLayer(copy, visible, ZoomFactor, rows, style.Background);
  }
  TOutlineStyle outline;
  outline.Pattern = DashPattern;
  outline.First = copy.HasLayer() ? clYellow : clWhite;
  outline.Second = copy.HasLayer() ? clRed : clBlack;
  const bool found = DrawSelectionOutline(copy.Mask(), copy.LayerLeft, copy.LayerTop, visible,
                                          ZoomFactor, OutlineVisible ? &rows : nullptr, outline);
  if (found && !Timer1->isActive()) Timer1->start();
  if (!found) {
    Timer1->stop();
    ShowSelectImage(FirstSelectImage);
  }
}

void TZoomView::ZoomBoxPaint() {
  ZoomBox->update();
}

void TZoomView::Redraw(bool preview) {
  RenderView(true);
  ZoomBoxPaint();
  if (preview) ViewImg->update();
}

void TZoomView::SizePreview() {
  QWidget* host = ViewImg->parentWidget();
  const TSelectBitmap* copy = session_.WorkingCopy();
  const QSize size = copy ? QSize(copy->Width(), copy->Height()) : QSize();
  ViewImg->resize(size);
  host->setMinimumSize(size.width() + 16, size.height() + 16);
  ViewImg->update();
}

void TZoomView::ViewImgPaint(QPainter& painter) {
  const TSelectBitmap* copy = session_.WorkingCopy();
  if (!copy) return;
  // Only the part the preview box shows is composed: large pictures stay quick.
  QRect part = ViewImg->visibleRegion().boundingRect() & ViewImg->rect();
  if (part.isEmpty()) part = ViewImg->rect();
  painter.fillRect(part, QColor(192, 192, 192));
  QImage picture(part.size(), QImage::Format_ARGB32_Premultiplied);
  if (picture.isNull()) return;
  const TPixelRows rows{reinterpret_cast<TPixel*>(picture.bits()), picture.width(),
                        picture.height(), picture.bytesPerLine() / 4};
  ComposePreview(*copy, {part.left(), part.top(), part.right() + 1, part.bottom() + 1}, true, rows);
  painter.drawImage(part.topLeft(), picture);
}

void TZoomView::ZoomComboChange() {
  ZoomPanel->setFocus();
  UpdateZoomLayout();
  ZoomBoxPaint();
}

void TZoomView::ZoomInActExecute() {
  if (ZoomCombo->currentIndex() < MaxZoomIndex)
    ZoomCombo->setCurrentIndex(ZoomCombo->currentIndex() + 1);
}

void TZoomView::ZoomOutActExecute() {
  if (ZoomCombo->currentIndex() > 0) ZoomCombo->setCurrentIndex(ZoomCombo->currentIndex() - 1);
}

void TZoomView::ToggleGridActExecute() {
  // The command is checkable: triggering it has turned the check already.
  GridVisible = commands_["ToggleGridAct"].isChecked();
  RenderView(true);
  ZoomBoxPaint();
}

void TZoomView::ToggleSelectActExecute() {
  OutlineVisible = commands_["ToggleSelectAct"].isChecked();
  RenderView(true);
  ZoomBoxPaint();
}

void TZoomView::ScrollerChange() {
  // Qt keeps the positions within the range set up by the layout, which ends where the view
  // shows the image's last column and row.
  if (!ScrollRepaint) return;
  RenderView(true);
  ZoomBoxPaint();
}

void TZoomView::ZoomPanelResize() {
  if (!ZoomBox->isHidden()) UpdateZoomLayout();
}

void TZoomView::Timer1Timer() {
  DashPattern = std::rotl(DashPattern, 1);
  if (OutlineVisible) {
    // During drags the tools render themselves; the outline waits.
    if (!mouse_ || !mouse_->Dragging()) {
      RenderView(false);
      ZoomBoxPaint();
    }
    ShowSelectImage(FirstSelectImage);
  } else {
    ShowSelectImage(SelectImageIndex >= LastSelectImage ? FirstSelectImage : SelectImageIndex + 1);
  }
}

void TZoomView::ShowSelectImage(int index) {
  if (index == SelectImageIndex) return;
  SelectImageIndex = index;
  commands_["ToggleSelectAct"].setIcon(SelectImage(index));
}

bool TZoomView::SelectionExists() const {
  return Timer1->isActive();
}

void TZoomView::Clear() {
  ZoomBox->resize(0, 0);
  Timer1->stop();
}
