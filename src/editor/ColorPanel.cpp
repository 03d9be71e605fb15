// The working colours of the current image, the palette grid and the colour swatches.

#include "editor/ColorPanel.h"

#include <QEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>

#include "controls/Pictures.h"
#include "editor/EditSession.h"
#include "editor/EditorServices.h"
#include "editor/SpeedButtons.h"
#include "model/Errors.h"
#include "model/WorkImage.h"
#include "render/ColorMath.h"

namespace {

constexpr int MaxCellSize = 20;
const QColor CellOutline(96, 96, 96);

// The palette entry's colour, false past the palette or without an image.
bool TryPaletteColor(const TSelectBitmap* image, int index, TColor& color) {
  if (!image || index < 0 || index >= image->GetPalette().Count) return false;
  color = image->GetPalette().Color(index);
  return true;
}

TAdvPanel* Swatch(QWidget* parent, const char* name, const char* accessibleName, QRect geometry,
                  QColor color) {
  auto* s = new TAdvPanel(parent);
  s->setObjectName(name);
  s->setAccessibleName(accessibleName);
  s->setGeometry(geometry);
  s->SetColor(color);
  return s;
}

}  // namespace

TColorPanel::TColorPanel(TEditSession& session, ICommandList& commands, IStatusPanels& status,
                         QObject* parent)
    : QObject(parent), session_(session), commands_(commands), status_(status) {
  Build();
}

void TColorPanel::Build() {
  Panel4 = new QWidget;
  Panel4->setObjectName("Panel4");
  Panel4->setMaximumWidth(120);
  Panel4->setMinimumWidth(100);
  ColorGrid = new TDrawGrid(Panel4);
  ColorGrid->setObjectName("ColorGrid");
  ColorGrid->setAccessibleName("Palette");
  ColorGrid->OnCellName = [this](int col, int row) {
    const int index = col + row * ColorGrid->ColCount();
    TColor c = 0;
    if (!TryPaletteColor(session_.CurrentImage(), index, c)) return QString();
    return QString("Color %1: %2, %3, %4").arg(index).arg(RedOf(c)).arg(GreenOf(c)).arg(BlueOf(c));
  };
  ColorGrid->SetFixedCols(0);
  ColorGrid->SetFixedRows(0);
  ColorGrid->SetGridLineWidth(0);
  ColorGrid->SetDefaultColWidth(12);
  ColorGrid->SetDefaultRowHeight(12);
  ColorGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  ColorGrid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  ColorGrid->viewport()->setCursor(Pictures::LoadCursor("CR_PICK"));
  BuildSwatches();
  ToolBar1 = new QToolBar(Panel4);
  ToolBar1->setObjectName("ToolBar1");
  ToolBar1->setIconSize({16, 16});
  ToolBar1->addAction(&commands_["GetTranspColAct"]);
  ToolBar1->addAction(&commands_["GetInvColorAct"]);
  auto* layout = new QVBoxLayout(Panel4);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(2);
  layout->addWidget(ColorGrid, 1);
  layout->addWidget(AdvPanel1);
  layout->addWidget(ToolBar1);
}

void TColorPanel::BuildSwatches() {
  AdvPanel1 = new QWidget(Panel4);
  AdvPanel1->setObjectName("AdvPanel1");
  AdvPanel1->setFixedHeight(72);
  // The right swatch lies partly behind the left one; the middle swatch sits on their overlap.
  RightColPanel =
      Swatch(AdvPanel1, "RightColPanel", "Right color", {24, 24, 40, 40}, Qt::white);
  LeftColPanel =
      Swatch(AdvPanel1, "LeftColPanel", "Left color", {4, 4, 40, 40}, QColor(0, 128, 128));
  MColor = Swatch(AdvPanel1, "MColor", "Middle color", {24, 24, 20, 20}, QColor(128, 192, 192));
  PreviewCol = Swatch(AdvPanel1, "PreviewCol", "Color under the pointer", {68, 4, 23, 60},
                      QColor(192, 192, 192));
  SwapColBtn = MakeSpeedButton(AdvPanel1, "SwapColBtn", "SwapColors", "", 0, false, {22, 22});
  SwapColBtn->move(94, 4);
  SwapColBtn->SetAction(&commands_["SwapColors"]);
  ChangePalBtn =
      MakeSpeedButton(AdvPanel1, "ChangePalBtn", "PaletteEditorAct", "", 0, false, {22, 22});
  ChangePalBtn->move(94, 30);
  ChangePalBtn->SetAction(&commands_["PaletteEditorAct"]);
}

void TColorPanel::AttachHandlers() {
  ICommandList& a = commands_;
  a.OnExecute("SwapColors", [this] { SwapColActGo(); });
  a.OnExecute("GetTranspColAct", [this] { GetTranspColActExecute(); });
  a.OnUpdate("GetTranspColAct", [this](QAction& act) {
    const TWorkImage* image = session_.CurrentImage();
    act.setEnabled(image && image->GetTransparent());
  });
  a.OnExecute("GetInvColorAct", [this] { GetInvColorActExecute(); });
  a.OnUpdate("GetInvColorAct", [this](QAction& act) {
    const TWorkImage* image = session_.CurrentImage();
    act.setEnabled(image && image->IsIconFrame());
  });
  ColorGrid->setFrameShape(QFrame::NoFrame);
  ColorGrid->OnDrawCell = [this](QPainter& p, int col, int row, const QRect& rect,
                                 const TGridDrawState&) { ColorGridDrawCell(p, col, row, rect); };
  connect(ColorGrid, &TDrawGrid::MouseMove, this,
          [this](const QPoint& position, Qt::MouseButtons) { ColorGridMouseMove(position); });
  connect(ColorGrid, &TDrawGrid::MouseUp, this,
          [this](Qt::MouseButton button, const QPoint& position, Qt::KeyboardModifiers) {
            ColorGridMouseUp(button, position);
          });
  connect(ColorGrid, &TDrawGrid::MouseLeft, this, [this] { PanelMouseLeave(); });
  // The cells are sized from the viewport, which has its new size once it reports it.
  ColorGrid->viewport()->installEventFilter(this);
  Panel4->installEventFilter(this);
  for (TAdvPanel* swatch : {LeftColPanel, RightColPanel, MColor}) {
    connect(swatch, &TAdvPanel::OnMouseEnter, this,
            [this, swatch] { ColorPanelMouseEnter(swatch); });
    connect(swatch, &TAdvPanel::OnMouseLeave, this, [this] { PanelMouseLeave(); });
  }
  connect(LeftColPanel, &TAdvPanel::Clicked, this, [this] { LeftColPanelClick(); });
  connect(RightColPanel, &TAdvPanel::Clicked, this, [this] { RightColPanelClick(); });
  connect(MColor, &TAdvPanel::MouseDown, this,
          [this](Qt::MouseButton button, const QPoint&) { MColorMouseDown(button); });
}

bool TColorPanel::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (watched == ColorGrid->viewport() && type == QEvent::Resize) Panel4Resize();
  if (watched == Panel4 && type == QEvent::Leave) PanelMouseLeave();
  return QObject::eventFilter(watched, event);
}

void TColorPanel::ApplyLeftColor(TColor color) {
  TWorkImage* image = session_.CurrentImage();
  if (!image) return;
  image->SetLeftColor(color);
  LeftColPanel->SetColor(ColorToQColor(image->GetLeftColor()));
  emit LeftColorApplied(image->GetLeftColor());
}

void TColorPanel::ApplyRightColor(TColor color) {
  TWorkImage* image = session_.CurrentImage();
  if (!image) return;
  image->SetRightColor(color);
  RightColPanel->SetColor(ColorToQColor(image->GetRightColor()));
}

TColor TColorPanel::CurrentLeftColor() const {
  const TWorkImage* image = session_.CurrentImage();
  return image ? image->GetLeftColor() : clSilver;
}

TColor TColorPanel::CurrentRightColor() const {
  const TWorkImage* image = session_.CurrentImage();
  return image ? image->GetRightColor() : clSilver;
}

TColor TColorPanel::MiddleSwatchColor() const {
  return QColorToColor(MColor->Color());
}

void TColorPanel::UpdateMiddleColor() {
  MColor->SetColor(ColorToQColor(MiddleColor(CurrentLeftColor(), CurrentRightColor())));
}

void TColorPanel::ShowColorReadout(TColor color) {
  PreviewCol->SetColor(ColorToQColor(color));
  status_.SetStatusText(0, ColorReadoutText(color));
}

void TColorPanel::PanelMouseLeave() {
  status_.SetStatusText(0, QString());
  status_.SetStatusText(1, QString());
  PreviewCol->SetColor(ColorToQColor(clSilver));
}

void TColorPanel::ColorPanelMouseEnter(const TAdvPanel* panel) {
  ShowColorReadout(QColorToColor(panel->Color()));
}

void TColorPanel::PickColorAt(Qt::MouseButton button, TPoint position) {
  const TSelectBitmap* copy = session_.WorkingCopy();
  if (!copy) return;
  const TSurface& image = copy->Image();
  if (!image.Bounds().Contains(position.X, position.Y)) return;
  const TColor color = PixelToColor(image.Pixel(position.X, position.Y));
  if (button == Qt::LeftButton) ApplyLeftColor(color);
  if (button == Qt::RightButton) ApplyRightColor(color);
  UpdateMiddleColor();
}

TColor TColorPanel::PaletteColor(const TSelectBitmap* image, int index) {
  TColor color = clSilver;
  if (!TryPaletteColor(image, index, color)) throw EVelmoraError("Out of range palette index.");
  return color;
}

void TColorPanel::ColorGridDrawCell(QPainter& painter, int col, int row, const QRect& rect) {
  TColor fill = clSilver;
  TryPaletteColor(session_.CurrentImage(), col + row * ColorGrid->ColCount(), fill);
  // Neighbouring cells share one outline line: each cell reaches over its right and bottom
  // neighbour's first line, except at the grid's end.
  QRect cell = rect;
  if (col < ColorGrid->ColCount() - 1) cell.setWidth(cell.width() + 1);
  if (row < ColorGrid->RowCount() - 1) cell.setHeight(cell.height() + 1);
  painter.fillRect(cell, ColorToQColor(fill));
  painter.setPen(CellOutline);
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(cell.adjusted(0, 0, -1, -1));
}

void TColorPanel::ColorGridMouseMove(const QPoint& position) {
  int col = 0, row = 0;
  if (!ColorGrid->MouseToCell(position, col, row)) return;
  TColor color = clSilver;
  if (TryPaletteColor(session_.CurrentImage(), col + row * ColorGrid->ColCount(), color))
    ShowColorReadout(color);
  else
    PanelMouseLeave();
}

void TColorPanel::ColorGridMouseUp(Qt::MouseButton button, const QPoint& position) {
  int col = 0, row = 0;
  if (!ColorGrid->MouseToCell(position, col, row)) return;
  // An empty cell past the palette picks silver, which the image snaps to its palette.
  TColor color = clSilver;
  TryPaletteColor(session_.CurrentImage(), col + row * ColorGrid->ColCount(), color);
  if (button == Qt::LeftButton) ApplyLeftColor(color);
  if (button == Qt::RightButton) ApplyRightColor(color);
  UpdateMiddleColor();
  emit WorkingColorsPicked();
}

void TColorPanel::MColorMouseDown(Qt::MouseButton button) {
  const TColor middle = MiddleSwatchColor();
  if (button == Qt::LeftButton)
    ApplyLeftColor(middle);
  else
    ApplyRightColor(middle);
  UpdateMiddleColor();
}

void TColorPanel::SwapColActGo() {
  const TColor left = CurrentLeftColor();
  ApplyLeftColor(CurrentRightColor());
  ApplyRightColor(left);
  emit WorkingColorsPicked();
}

std::optional<TColor> TColorPanel::PickFromPalette(TColor current) {
  const TWorkImage* image = session_.CurrentImage();
  if (!image || !PickPaletteColorHook) return std::nullopt;
  return PickPaletteColorHook(image->GetPalette(), current, image->GetBitCount() > 8);
}

void TColorPanel::LeftColPanelClick() {
  const std::optional<TColor> color = PickFromPalette(CurrentLeftColor());
  if (!color) return;
  ApplyLeftColor(*color);
  UpdateMiddleColor();
}

void TColorPanel::RightColPanelClick() {
  const std::optional<TColor> color = PickFromPalette(CurrentRightColor());
  if (!color) return;
  ApplyRightColor(*color);
  UpdateMiddleColor();
}

void TColorPanel::GetTranspColActExecute() {
  const TWorkImage* image = session_.CurrentImage();
  if (!image) return;
  ApplyRightColor(image->GetTransparentColor());
  UpdateMiddleColor();
}

void TColorPanel::GetInvColorActExecute() {
  ApplyLeftColor(IconInvertColor);
  UpdateMiddleColor();
}

void TColorPanel::SizeColorGrid(int entries) {
  const int cols = entries <= 16 ? 2 : entries > 32 ? 8 : 4;
  ColorGrid->SetColCount(cols);
  ColorGrid->SetRowCount(entries / cols + (entries % cols ? 1 : 0));
}

void TColorPanel::Panel4Resize() {
  const int cols = ColorGrid->ColCount(), rows = ColorGrid->RowCount();
  if (cols == 0 || rows == 0) return;
  const QSize client = ColorGrid->ClientSize();
  const int width = std::min(client.width() / cols, MaxCellSize);
  const int height = std::min(client.height() / rows, MaxCellSize);
  ColorGrid->SetDefaultColWidth(width);
  ColorGrid->SetDefaultRowHeight(height);
  // Below the largest cell size the grid fills the panel: the pixels left over widen the first
  // columns and rows by one each.
  if (width < MaxCellSize)
    for (int i = 0; i < client.width() % cols; ++i)
      ColorGrid->SetColWidth(i % cols, ColorGrid->ColWidth(i % cols) + 1);
  if (height < MaxCellSize)
    for (int i = 0; i < client.height() % rows; ++i)
      ColorGrid->SetRowHeight(i % rows, ColorGrid->RowHeight(i % rows) + 1);
}
