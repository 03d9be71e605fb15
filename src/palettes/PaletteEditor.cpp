// The palette editor's controls, their arrangement, the colour composer and the palette commands.

#include "palettes/PaletteEditor.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QPainter>
#include <QToolBar>
#include <QVBoxLayout>

#include "controls/FieldCaption.h"
#include "controls/Pictures.h"
#include "model/PaletteEdit.h"
#include "palettes/AccessibleRole.h"
#include "palettes/NewPaletteDlg.h"
#include "palettes/OpenPaletteDlg.h"
#include "palettes/PaletteGrid.h"
#include "palettes/ReadOutLabel.h"
#include "windows/Dialogs.h"

namespace {

constexpr int StatusWidths[3] = {120, 100, 100};

QSpinBox* SpinEdit(const char* name, int min, int max, int value, QWidget* parent) {
  auto* edit = new QSpinBox(parent);
  edit->setObjectName(name);
  edit->setRange(min, max);
  edit->setValue(value);
  return edit;
}

// The pictures of the drag handles: a column of cells, a row of cells, a whole palette.
QPixmap HandlePicture(int kind) {
  static constexpr TColor Cells[4] = {MakeColor(0, 0, 128), MakeColor(0, 128, 192),
                                      MakeColor(128, 192, 255), MakeColor(255, 255, 255)};
  QPixmap picture(16, 16);
  picture.fill(Qt::transparent);
  QPainter p(&picture);
  p.setPen(QColor(64, 64, 64));
  for (int i = 0; i < 4; ++i)
    for (int j = 0; j < (kind == 2 ? 4 : 1); ++j) {
      const TColor c = Cells[(i + j) % 4];
      p.setBrush(QColor(RedOf(c), GreenOf(c), BlueOf(c)));
      const int x = kind == 0 ? 5 : i * 4, y = kind == 0 ? i * 4 : (kind == 1 ? 5 : j * 4);
      p.drawRect(x, y, 3, 3);
    }
  return picture;
}

}  // namespace

TfrmPaletteEditor::TfrmPaletteEditor(IDialogs& dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs) {
  setObjectName("frmPaletteEditor");
  setWindowTitle("Palette editor");
  EditPalette.Version = PaletteVersion;
  EditPalette.Count = 0;
  BuildActions();
  pnlLeft = new QWidget(this);
  pnlLeft->setObjectName("pnlLeft");
  ColorGrid = new TDrawGrid(pnlLeft);
  ColorGrid->setObjectName("ColorGrid");
  SetupPaletteGrid(*ColorGrid);
  ColorGrid->setAccessibleName("Color palette");
  ColorGrid->OnDrawCell = [this](QPainter& p, int col, int row, const QRect& rect,
                                 const TGridDrawState& state) {
    DrawPaletteCell(p, rect, EditPalette, PaletteCellIndex(*ColorGrid, col, row), state.Selected,
                    true);
  };
  ColorGrid->OnSelectCell = [this](int col, int row) {
    ColorGridSelectCell(col, row);
    return true;
  };
  BuildRight();
  BuildLayout();
  ConnectComposer();
  ConnectDrags();
  SetEditPalette(EditPalette);
}

TfrmPaletteEditor::~TfrmPaletteEditor() = default;

void TfrmPaletteEditor::BuildActions() {
  const auto make = [this](const char* name, const char* caption, const char* hint,
                           const char* picture) {
    auto* action = new QAction(Pictures::CommandIcon(picture), caption, this);
    action->setObjectName(name);
    action->setToolTip(QString(hint).replace("\r\n", "\n"));
    action->setStatusTip(action->toolTip());
    return action;
  };
  NewPaletteAct = make("NewPaletteAct", "&New palette", "New palette.", "NewImageAct");
  NewPaletteAct->setShortcut(QKeySequence("Ctrl+N"));
  OpenPaletteAct = make("OpenPaletteAct", "&Import palette", "Open palette from file.", "PictureOpen");
  SavePaletteAct = make("SavePaletteAct", "&Save as palette", "Save palette to file.", "SaveAsAct");
  OKAct = make("OKAct", "&OK", "Close palette editor and\r\napply changes to the image.", "ApplyAct");
  CancelAct = make("CancelAct", "&Cancel", "Close palette editor and\r\ncancel changes of the palette.",
                   "CancelAct");
  connect(NewPaletteAct, &QAction::triggered, this, &TfrmPaletteEditor::NewPaletteActExecute);
  connect(OpenPaletteAct, &QAction::triggered, this, &TfrmPaletteEditor::OpenPaletteActExecute);
  connect(SavePaletteAct, &QAction::triggered, this, &TfrmPaletteEditor::SavePaletteActExecute);
  connect(OKAct, &QAction::triggered, this, &QDialog::accept);
  connect(CancelAct, &QAction::triggered, this, &QDialog::reject);
  addActions({NewPaletteAct, OpenPaletteAct, SavePaletteAct, OKAct, CancelAct});
}

TAdvPanel* TfrmPaletteEditor::MakeSwatch(const char* name, const QString& hint) {
  auto* swatch = new TAdvPanel(this);
  swatch->setObjectName(name);
  swatch->setFixedSize(36, 22);
  swatch->setToolTip(hint);
  swatch->setAccessibleName(hint);
  swatch->SetColor(QColor(192, 192, 192));
  swatch->setAcceptDrops(true);
  swatch->installEventFilter(this);
  return swatch;
}

QWidget* TfrmPaletteEditor::MakeHandle(const char* name, const QString& caption, int picture) {
  auto* handle = new QFrame(this);
  handle->setObjectName(name);
  handle->setFrameShape(QFrame::StyledPanel);
  handle->setCursor(Qt::OpenHandCursor);
  handle->setToolTip(caption.trimmed());
  SetAccessibleRole(*handle, QAccessible::Grip, caption.trimmed());
  auto* image = new QLabel(handle);
  image->setPixmap(HandlePicture(picture));
  auto* layout = new QHBoxLayout(handle);
  layout->setContentsMargins(3, 1, 3, 1);
  layout->setSpacing(3);
  layout->addWidget(image);
  layout->addWidget(new QLabel(caption, handle), 1);
  return handle;
}

QWidget* TfrmPaletteEditor::BuildComposer() {
  auto* composer = new QWidget(this);
  eRed = SpinEdit("eRed", 0, 255, 192, composer);
  eGreen = SpinEdit("eGreen", 0, 255, 192, composer);
  eBlue = SpinEdit("eBlue", 0, 255, 192, composer);
  auto* grid = new QGridLayout(composer);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setVerticalSpacing(2);
  const char* names[3] = {"sbRed", "sbGreen", "sbBlue"};
  const char* captions[3] = {"&R:", "&G:", "&B:"};
  const char* channels[3] = {"Red", "Green", "Blue"};
  QSpinBox* edits[3] = {eRed, eGreen, eBlue};
  QScrollBar** bars[3] = {&sbRed, &sbGreen, &sbBlue};
  for (int i = 0; i < 3; ++i) {
    auto* bar = new QScrollBar(Qt::Horizontal, composer);
    bar->setObjectName(names[i]);
    bar->setRange(0, 255);
    bar->setPageStep(16);
    bar->setValue(192);
    bar->setAccessibleName(channels[i]);
    *bars[i] = bar;
    grid->addWidget(FieldCaption(captions[i], edits[i], composer), i, 0);
    grid->addWidget(edits[i], i, 1);
    grid->addWidget(bar, i, 2);
  }
  pnlPreview = MakeSwatch("pnlPreview", "Preview");
  pnlPreview->setFixedSize(44, 64);
  grid->addWidget(new QLabel("Preview:", composer), 0, 3);
  grid->addWidget(pnlPreview, 1, 3, 2, 1);
  grid->setColumnStretch(2, 1);
  return composer;
}

QWidget* TfrmPaletteEditor::BuildRamp() {
  pnlSmooth = new QWidget(this);
  pnlSmooth->setObjectName("pnlSmooth");
  pnlSmooth->installEventFilter(this);
  pnlBeginColor = MakeSwatch("pnlBeginColor", "Begin color");
  pnlEndColor = MakeSwatch("pnlEndColor", "End color");
  eSteps = SpinEdit("eSteps", 2, 256, 16, pnlSmooth);
  pbxSmooth = new TPaintBox(pnlSmooth);
  pbxSmooth->setObjectName("pbxSmooth");
  pbxSmooth->setFixedSize(256, 32);
  pbxSmooth->setMouseTracking(true);
  SetAccessibleRole(*pbxSmooth, QAccessible::Graphic, "Smooth colors");
  pbxSmooth->OnPaint = [this](QPainter& p) { pbxSmoothPaint(p); };
  Panel1 = MakeHandle("Panel1", "Drag as column", 0);
  Panel4 = MakeHandle("Panel4", "Drag as row", 1);
  eFromColor = SpinEdit("eFromColor", 0, 256, 0, pnlSmooth);
  eToColor = SpinEdit("eToColor", 0, 256, 15, pnlSmooth);
  auto* ends = new QHBoxLayout;
  ends->addWidget(new QLabel("Smooth colors:", pnlSmooth));
  ends->addWidget(pnlBeginColor);
  ends->addWidget(pnlEndColor);
  ends->addStretch();
  ends->addWidget(FieldCaption("Steps:", eSteps, pnlSmooth));
  ends->addWidget(eSteps);
  auto* range = new QHBoxLayout;
  range->addWidget(FieldCaption("From:", eFromColor, pnlSmooth));
  range->addWidget(eFromColor);
  range->addStretch();
  range->addWidget(FieldCaption("To:", eToColor, pnlSmooth));
  range->addWidget(eToColor);
  auto* handles = new QHBoxLayout;
  handles->addWidget(Panel1);
  handles->addWidget(Panel4);
  auto* layout = new QVBoxLayout(pnlSmooth);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(3);
  layout->addLayout(ends);
  layout->addWidget(pbxSmooth);
  layout->addLayout(handles);
  layout->addLayout(range);
  return pnlSmooth;
}

QWidget* TfrmPaletteEditor::BuildReadOuts() {
  auto* readOuts = new QWidget(this);
  lblIndexL = ReadOutLabel("lblIndexL", "0", readOuts);
  lblRGBL = ReadOutLabel("lblRGBL", "255, 255, 255", readOuts);
  lblHTMLL = ReadOutLabel("lblHTMLL", "#FFFFFF", readOuts);
  lblIndexR = ReadOutLabel("lblIndexR", "0", readOuts);
  lblRGBR = ReadOutLabel("lblRGBR", "255, 255, 255", readOuts);
  lblHTMLR = ReadOutLabel("lblHTMLR", "#FFFFFF", readOuts);
  auto* left = new QFormLayout;
  left->addRow("Index:", lblIndexL);
  left->addRow("RGB:", lblRGBL);
  left->addRow("HTML:", lblHTMLL);
  auto* right = new QFormLayout;
  right->addRow("Index:", lblIndexR);
  right->addRow("RGB:", lblRGBR);
  right->addRow("HTML:", lblHTMLR);
  auto* layout = new QHBoxLayout(readOuts);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(left);
  layout->addLayout(right);
  return readOuts;
}

void TfrmPaletteEditor::BuildRight() {
  pnlRight = new QWidget(this);
  pnlRight->setObjectName("pnlRight");
  pnlRight->installEventFilter(this);
  ImportPaletteFrame = new TPaletteChoiceFrame(pnlRight);
  ImportPaletteFrame->setObjectName("ImportPaletteFrame");
  ImportPaletteFrame->SetContrastOutline(true);
  ImportPaletteFrame->ColorGrid->setAccessibleName("Stored palette");
  ImportPaletteFrame->lbPalettes->setAccessibleName("Stored palettes");
  Panel6 = MakeHandle("Panel6", "Drag all palette  ", 2);
  auto* layout = new QVBoxLayout(pnlRight);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(new QLabel("Stored palettes:", pnlRight));
  layout->addWidget(ImportPaletteFrame, 1);
  layout->addWidget(Panel6);
}

void TfrmPaletteEditor::BuildLayout() {
  auto* menu = new QMenuBar(this);
  QMenu* palettes = menu->addMenu("&Palettes");
  palettes->addActions({NewPaletteAct, OpenPaletteAct, SavePaletteAct});
  palettes->addSeparator();
  palettes->addActions({OKAct, CancelAct});
  auto* tools = new QToolBar(this);
  tools->setIconSize({16, 16});
  tools->addActions({NewPaletteAct, OpenPaletteAct, SavePaletteAct});
  tools->addSeparator();
  tools->addActions({OKAct, CancelAct});
  StatBar = new QStatusBar(this);
  StatBar->setObjectName("StatBar");
  StatBar->setSizeGripEnabled(false);
  for (int i = 0; i < 3; ++i) {
    StatPanels[i] = new QLabel(StatBar);
    StatPanels[i]->setFixedWidth(StatusWidths[i]);
    StatBar->addWidget(StatPanels[i]);
  }
  pnlLeft->setFixedWidth(120);
  auto* leftLayout = new QVBoxLayout(pnlLeft);
  leftLayout->setContentsMargins(0, 0, 0, 0);
  leftLayout->addWidget(ColorGrid);
  pnlLeft->installEventFilter(this);
  pnlRight->setFixedWidth(132);
  auto* middle = new QVBoxLayout;
  middle->addWidget(BuildComposer());
  middle->addWidget(BuildRamp());
  middle->addWidget(BuildReadOuts());
  middle->addStretch();
  auto* body = new QHBoxLayout;
  body->addWidget(pnlLeft);
  body->addLayout(middle);
  body->addWidget(pnlRight);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->setMenuBar(menu);
  layout->addWidget(tools);
  auto* bodyHost = new QWidget(this);
  bodyHost->setLayout(body);
  layout->addWidget(bodyHost, 1);
  layout->addWidget(StatBar);
  setFixedWidth(sizeHint().width());
  resize(width(), 440);
}

void TfrmPaletteEditor::ConnectComposer() {
  QSpinBox* edits[3] = {eRed, eGreen, eBlue};
  QScrollBar* bars[3] = {sbRed, sbGreen, sbBlue};
  for (int i = 0; i < 3; ++i) {
    connect(bars[i], &QScrollBar::valueChanged, edits[i], &QSpinBox::setValue);
    connect(edits[i], &QSpinBox::valueChanged, this, &TfrmPaletteEditor::eColorChange);
  }
  connect(pnlPreview, &TAdvPanel::OnColorChanged, this, &TfrmPaletteEditor::pnlPreviewColorChanged);
  for (TAdvPanel* end : {pnlBeginColor, pnlEndColor})
    connect(end, &TAdvPanel::OnColorChanged, this, &TfrmPaletteEditor::pnlBeginColorColorChanged);
  connect(eSteps, &QSpinBox::valueChanged, this, &TfrmPaletteEditor::pnlBeginColorColorChanged);
  for (QSpinBox* edit : {eFromColor, eToColor})
    connect(edit, &QSpinBox::valueChanged, this, [this, edit] { eFromColorChange(edit); });
  for (TAdvPanel* swatch : {pnlPreview, pnlBeginColor, pnlEndColor}) {
    connect(swatch, &TAdvPanel::OnMouseEnter, this, [this, swatch] {
      const QColor c = swatch->Color();
      ShowColorStatus(MakeColor(c.red(), c.green(), c.blue()));
    });
    connect(swatch, &TAdvPanel::OnMouseLeave, this, &TfrmPaletteEditor::ClearStatus);
  }
  eColorChange();
}

void TfrmPaletteEditor::eColorChange() {
  QSpinBox* edits[3] = {eRed, eGreen, eBlue};
  QScrollBar* bars[3] = {sbRed, sbGreen, sbBlue};
  for (int i = 0; i < 3; ++i) bars[i]->setValue(edits[i]->value());
  pnlPreview->SetColor(QColor(eRed->value(), eGreen->value(), eBlue->value()));
}

void TfrmPaletteEditor::pnlPreviewColorChanged(const QColor& color) {
  // Unchanged values raise nothing, so composer and swatch settle.
  eRed->setValue(color.red());
  eGreen->setValue(color.green());
  eBlue->setValue(color.blue());
}

void TfrmPaletteEditor::pnlBeginColorColorChanged() {
  if (eToColor->value() >= eSteps->value()) eToColor->setValue(eSteps->value() - 1);
  // A swatch tells before it takes its new colour, so the ramp is painted right after.
  pbxSmooth->update();
}

void TfrmPaletteEditor::eFromColorChange(QSpinBox* edit) {
  if (edit->value() >= eSteps->value()) edit->setValue(eSteps->value() - 1);
}

void TfrmPaletteEditor::ShowColorStatus(TColor color) {
  StatPanels[0]->setText(ColorStatusText(color));
  StatPanels[1]->setText(ColorHtmlText(color));
}

void TfrmPaletteEditor::ClearStatus() {
  for (QLabel* panel : StatPanels) panel->clear();
}

QString ColorStatusText(TColor color) {
  return QString("RGB: %1,%2,%3").arg(RedOf(color)).arg(GreenOf(color)).arg(BlueOf(color));
}

void TfrmPaletteEditor::SetEditPalette(const TPaletteRecord& palette) {
  if (&palette != &EditPalette) EditPalette = palette;
  LayoutPaletteGrid(*ColorGrid, PaletteEntryCount(EditPalette));
  OKActUpdate();
}

void TfrmPaletteEditor::OKActUpdate() {
  const bool fits = ImageBitCount > 8 || (ImageBitCount > 0 && EditPalette.Count == 1 << ImageBitCount);
  OKAct->setEnabled(ImageBitCount != 0 && fits);
}

void TfrmPaletteEditor::NewPaletteActExecute() {
  TfrmNewPalette dlg(this);
  dlg.SetImageBitCount(ImageBitCount);
  if (dialogs_.Exec(dlg) != QDialog::Accepted) return;
  FillNewPalette(EditPalette, dlg.ChosenCount());
  SetEditPalette(EditPalette);
}

void TfrmPaletteEditor::OpenPaletteActExecute() {
  if (OpenStoredPalette(dialogs_, this, EditPalette)) SetEditPalette(EditPalette);
}

void TfrmPaletteEditor::SavePaletteActExecute() {
  SavePaletteAs(dialogs_, this, EditPalette);
  ImportPaletteFrame->lbPalettes->Reread();
}
