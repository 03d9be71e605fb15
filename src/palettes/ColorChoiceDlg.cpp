#include "palettes/ColorChoiceDlg.h"

#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "palettes/PaletteGrid.h"
#include "palettes/ReadOutLabel.h"
#include "windows/Dialogs.h"

TfrmColorChoice::TfrmColorChoice(IDialogs& dialogs, const TPaletteRecord& palette, QWidget* parent)
    : QDialog(parent), ChoicePalette(palette), dialogs_(dialogs) {
  setObjectName("frmColorChoice");
  setWindowTitle("Choice color");
  ColorGrid = new TDrawGrid(this);
  ColorGrid->setObjectName("ColorGrid");
  SetupPaletteGrid(*ColorGrid);
  ColorGrid->setFixedSize(176, 264);
  ColorGrid->OnDrawCell = [this](QPainter& p, int col, int row, const QRect& rect,
                                 const TGridDrawState& state) {
    DrawPaletteCell(p, rect, ChoicePalette, PaletteCellIndex(*ColorGrid, col, row),
                    state.Selected && cellChosen_, true);
  };
  ColorGrid->OnSelectCell = [this](int col, int row) { return ColorGridSelectCell(col, row); };
  ColorGrid->viewport()->installEventFilter(this);
  connect(ColorGrid, &TDrawGrid::MouseDown, this,
          [this](Qt::MouseButton button, const QPoint& position, Qt::KeyboardModifiers) {
            if (button == Qt::LeftButton) CellClicked(position);
          });
  connect(ColorGrid, &TDrawGrid::DoubleClicked, this, [this] {
    if (cellChosen_) accept();
  });
  pnlColor = new TAdvPanel(this);
  pnlColor->setObjectName("pnlColor");
  pnlColor->setFixedSize(120, 80);
  lblRGBL = ReadOutLabel("lblRGBL", "255, 255, 255", this);
  lblHTMLL = ReadOutLabel("lblHTMLL", "#FFFFFF", this);
  btnMore = new QPushButton("More...", this);
  btnMore->setObjectName("btnMore");
  OKBtn = new QPushButton("OK", this);
  OKBtn->setObjectName("OKBtn");
  OKBtn->setDefault(true);
  CancelBtn = new QPushButton("Cancel", this);
  CancelBtn->setObjectName("CancelBtn");
  connect(btnMore, &QPushButton::clicked, this, &TfrmColorChoice::btnMoreClick);
  connect(OKBtn, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelBtn, &QPushButton::clicked, this, &QDialog::reject);
  BuildLayout();
  LayoutPaletteGrid(*ColorGrid, PaletteEntryCount(ChoicePalette));
  SetChosenColor(clWhite);
}

void TfrmColorChoice::BuildLayout() {
  auto* readOut = new QFormLayout;
  readOut->addRow("RGB:", lblRGBL);
  readOut->addRow("HTML:", lblHTMLL);
  auto* right = new QVBoxLayout;
  right->addWidget(pnlColor);
  right->addLayout(readOut);
  right->addStretch();
  right->addWidget(btnMore);
  right->addSpacing(12);
  right->addWidget(OKBtn);
  right->addWidget(CancelBtn);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(ColorGrid);
  layout->addLayout(right);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TfrmColorChoice::SetChosenColor(TColor color) {
  ChosenColor = color;
  const TColor plain = StripHighByte(color);
  pnlColor->SetColor(QColor(RedOf(plain), GreenOf(plain), BlueOf(plain)));
  lblRGBL->setText(ColorRgbText(plain));
  lblHTMLL->setText(ColorHtmlText(plain));
}

void TfrmColorChoice::SetInitialColor(TColor color) {
  // When the colour is in the palette its cell becomes the current one, so the user sees where
  // it is; the chosen colour stays exactly the one given.
  for (int i = 0; i < PaletteEntryCount(ChoicePalette); ++i) {
    if (ChoicePalette.Color(i) != StripHighByte(color)) continue;
    ColorGrid->SetCurrent(i % ColorGrid->ColCount(), i / ColorGrid->ColCount());
    cellChosen_ = ColorGrid->Col() + ColorGrid->Row() * ColorGrid->ColCount() == i;
    break;
  }
  SetChosenColor(color);
  ColorGrid->viewport()->update();
}

bool TfrmColorChoice::ColorGridSelectCell(int col, int row) {
  // A cell past the end of the palette holds no colour and cannot be chosen.
  const int index = PaletteCellIndex(*ColorGrid, col, row);
  if (index < 0 || index >= PaletteEntryCount(ChoicePalette)) return false;
  cellChosen_ = true;
  SetChosenColor(ChoicePalette.Color(index));
  return true;
}

void TfrmColorChoice::CellClicked(const QPoint& position) {
  // The grid asks OnSelectCell only when the current cell changes; a click on the cell that is
  // already current must choose it as well.
  int col = 0, row = 0;
  if (!ColorGrid->MouseToCell(position, col, row)) return;
  if (col == ColorGrid->Col() && row == ColorGrid->Row() && ColorGridSelectCell(col, row))
    ColorGrid->viewport()->update();
}

void TfrmColorChoice::btnMoreClick() {
  const TColor c = StripHighByte(ChosenColor);
  const std::optional<QColor> picked =
      dialogs_.PickColor(this, QColor(RedOf(c), GreenOf(c), BlueOf(c)));
  if (!picked) return;
  SetChosenColor(MakeColor(picked->red(), picked->green(), picked->blue()));
  cellChosen_ = false;
  ColorGrid->viewport()->update();
}

bool TfrmColorChoice::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ColorGrid->viewport() && event->type() == QEvent::Resize)
    LayoutPaletteGrid(*ColorGrid, PaletteEntryCount(ChoicePalette));
  return QDialog::eventFilter(watched, event);
}

std::optional<TColor> PickPaletteColor(IDialogs& dialogs, QWidget* parent,
                                       const TPaletteRecord& palette, TColor initial,
                                       bool allowMore) {
  TfrmColorChoice dlg(dialogs, palette, parent);
  dlg.btnMore->setEnabled(allowMore);
  dlg.SetInitialColor(initial);
  if (dialogs.Exec(dlg) != QDialog::Accepted) return std::nullopt;
  return dlg.ChosenColor;
}
