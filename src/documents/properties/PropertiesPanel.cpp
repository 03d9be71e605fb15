// The properties panel's controls and their arrangement.

#include "documents/properties/PropertiesPanel.h"

#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>

#include "controls/FieldCaption.h"


namespace {

// A small caption standing in for a picture, its hint the field's hint.
QLabel* FieldSign(const QString& sign, const QString& hint, QWidget* field, QWidget* parent) {
  auto* label = new QLabel(sign, parent);
  label->setToolTip(hint);
  label->setBuddy(field);
  field->setToolTip(hint);
  field->setAccessibleName(hint);
  return label;
}

TIntegerEdit* IntegerField(const char* name, int width, QWidget* parent) {
  auto* edit = new TIntegerEdit(parent);
  edit->setObjectName(name);
  edit->setFixedWidth(width);
  edit->setFrame(true);
  return edit;
}

QComboBox* ListField(const char* name, const QStringList& items, QWidget* parent) {
  auto* list = new QComboBox(parent);
  list->setObjectName(name);
  list->addItems(items);
  return list;
}

QCheckBox* CheckField(const char* name, const QString& caption, QWidget* parent) {
  auto* box = new QCheckBox(caption, parent);
  box->setObjectName(name);
  return box;
}

QGridLayout* PageGrid(QWidget* page) {
  auto* grid = new QGridLayout(page);
  grid->setContentsMargins(4, 0, 0, 0);
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(2);
  return grid;
}

}  // namespace

TPropertiesPanel::TPropertiesPanel(QWidget* parent) : QWidget(parent) {
  setObjectName("AdvPanel3");
  setFixedHeight(CollapsedHeight);
  auto* frame = new QFrame(this);
  frame->setFrameShape(QFrame::StyledPanel);
  pnlProperties = frame;
  pnlProperties->setObjectName("pnlProperties");
  pnlProperties->setFixedHeight(PanelHeight);
  ApplyBtn = new QToolButton(pnlProperties);
  ApplyBtn->setObjectName("ApplyBtn");
  CancelBtn = new QToolButton(pnlProperties);
  CancelBtn->setObjectName("CancelBtn");
  for (QToolButton* b : {ApplyBtn, CancelBtn}) {
    b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    b->setAutoRaise(true);
    b->setFixedHeight(21);
  }
  BuildStandardPart();
  BuildPages();
  auto* buttons = new QVBoxLayout;
  buttons->setSpacing(2);
  buttons->addWidget(ApplyBtn);
  buttons->addWidget(CancelBtn);
  auto* layout = new QHBoxLayout(pnlProperties);
  layout->setContentsMargins(4, 2, 4, 2);
  layout->setSpacing(8);
  layout->addLayout(buttons);
  layout->addWidget(pnlStandart);
  layout->addWidget(TypePages);
  WatchChanges();
  pnlProperties->hide();
}

void TPropertiesPanel::BuildStandardPart() {
  pnlStandart = new QWidget(pnlProperties);
  pnlStandart->setObjectName("pnlStandart");
  eXSize = IntegerField("eXSize", 52, pnlStandart);
  eYSize = IntegerField("eYSize", 52, pnlStandart);
  chbTransparent = CheckField("chbTransparent", "Transparent", pnlStandart);
  chbTransparent->setToolTip("Change transparency");
  TranspCol = new TAdvPanel(pnlStandart);
  TranspCol->setObjectName("TranspCol");
  TranspCol->setFixedSize(36, 18);
  TranspCol->setToolTip("Transparent color");
  TranspCol->setFocusPolicy(Qt::StrongFocus);
  TranspCol->setCursor(Qt::PointingHandCursor);
  TranspCol->setAccessibleName("Transparent color");
  TranspCol->installEventFilter(this);
  cbColorMode = ListField("cbColorMode", {}, pnlStandart);
  cbColorMode->setToolTip("Select color mode");
  cbColorMode->setAccessibleName("Select color mode");
  cbColorMode->setMinimumContentsLength(16);
  auto* grid = PageGrid(pnlStandart);
  grid->addWidget(FieldSign("W:", "Set X size (Width)", eXSize, pnlStandart), 0, 0);
  grid->addWidget(eXSize, 0, 1);
  grid->addWidget(FieldSign("H:", "Set Y size (Height)", eYSize, pnlStandart), 1, 0);
  grid->addWidget(eYSize, 1, 1);
  auto* transparency = new QHBoxLayout;
  transparency->setSpacing(4);
  transparency->addWidget(chbTransparent);
  transparency->addWidget(TranspCol);
  transparency->addStretch();
  grid->addLayout(transparency, 0, 2);
  grid->addWidget(cbColorMode, 1, 2);
  connect(TranspCol, &TAdvPanel::Clicked, this, &TPropertiesPanel::TranspColClick);
}

QPlainTextEdit* TPropertiesPanel::MakeCommentMemo(const char* name, QWidget* parent) {
  auto* memo = new QPlainTextEdit(parent);
  memo->setObjectName(name);
  memo->setReadOnly(true);
  memo->setFixedSize(140, 42);
  memo->setToolTip("Click to edit comment.");
  memo->setAccessibleName("Click to edit comment.");
  QFont small = memo->font();
  small.setPointSizeF(small.pointSizeF() * 0.8);
  memo->setFont(small);
  memo->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  memo->viewport()->setCursor(Qt::PointingHandCursor);
  memo->viewport()->installEventFilter(this);
  memo->installEventFilter(this);
  return memo;
}

QWidget* TPropertiesPanel::BuildGifImagePage() {
  auto* page = new QWidget(TypePages);
  GifComment = MakeCommentMemo("GifComment", page);
  chbInterlaced = CheckField("chbInterlaced", "Interlaced", page);
  cbImageCommpress = ListField("cbImageCommpress", {"LZW", "RLE"}, page);
  auto* grid = PageGrid(page);
  grid->addWidget(GifComment, 0, 0, 2, 1);
  grid->addWidget(chbInterlaced, 0, 1, 1, 2);
  grid->addWidget(FieldCaption("&Compression:", cbImageCommpress, page), 1, 1);
  grid->addWidget(cbImageCommpress, 1, 2);
  return page;
}

QWidget* TPropertiesPanel::BuildJpegPage() {
  auto* page = new QWidget(TypePages);
  QEdit = IntegerField("QEdit", 40, page);
  auto* grid = PageGrid(page);
  grid->addWidget(FieldCaption("&Quality:", QEdit, page), 0, 0);
  grid->addWidget(QEdit, 0, 1);
  grid->setColumnStretch(2, 1);
  return page;
}

QWidget* TPropertiesPanel::BuildGifGroupPage() {
  auto* page = new QWidget(TypePages);
  PlayCntEdit = IntegerField("PlayCntEdit", 52, page);
  cbCompression = ListField("cbCompression", {"LZW", "RLE"}, page);
  auto* grid = PageGrid(page);
  grid->addWidget(FieldCaption("&Loops:", PlayCntEdit, page), 0, 0);
  grid->addWidget(PlayCntEdit, 0, 1);
  grid->addWidget(FieldCaption("&Compression:", cbCompression, page), 1, 0);
  grid->addWidget(cbCompression, 1, 1);
  return page;
}

QWidget* TPropertiesPanel::BuildGifFramePage() {
  auto* page = new QWidget(TypePages);
  GifFrameComment = MakeCommentMemo("GifFrameComment", page);
  chbInterlacedAni = CheckField("chbInterlacedAni", "Interlaced", page);
  chbLocalPalette = CheckField("chbLocalPalette", "Local palette", page);
  IntervalEdit = IntegerField("IntervalEdit", 56, page);
  cbDisposeMethod = ListField("cbDisposeMethod",
                              {"None", "Don't remove", "Fill with background", "Restore previous"},
                              page);
  cbDisposeMethod->setToolTip("Dispose method");
  cbDisposeMethod->setAccessibleName("Dispose method");
  auto* delay = new QHBoxLayout;
  delay->setSpacing(3);
  delay->addWidget(FieldSign("DT:", "Time delay [ms]", IntervalEdit, page));
  delay->addWidget(IntervalEdit);
  delay->addWidget(new QLabel("ms", page));
  auto* grid = PageGrid(page);
  grid->addWidget(GifFrameComment, 0, 0, 2, 1);
  grid->addLayout(delay, 0, 1);
  grid->addWidget(cbDisposeMethod, 1, 1);
  grid->addWidget(chbInterlacedAni, 0, 2);
  grid->addWidget(chbLocalPalette, 1, 2);
  return page;
}

void TPropertiesPanel::BuildPages() {
  TypePages = new QStackedWidget(pnlProperties);
  TypePages->setObjectName("TypePages");
  TypePages->addWidget(new QWidget(TypePages));  // TWorkBitmap
  TypePages->addWidget(BuildGifImagePage());
  TypePages->addWidget(BuildJpegPage());
  IconGroupNote = new QLabel(
      "Icon groups have not group properties. \nLook at the SubIcons properties.", TypePages);
  IconGroupNote->setObjectName("IconGroupNote");
  TypePages->addWidget(IconGroupNote);
  TypePages->addWidget(BuildGifGroupPage());
  TypePages->addWidget(BuildGifFramePage());
  TypePages->addWidget(new QWidget(TypePages));  // TIconFrame
}

void TPropertiesPanel::WatchChanges() {
  for (TIntegerEdit* e : {eXSize, eYSize, QEdit, PlayCntEdit, IntervalEdit})
    connect(e, &QLineEdit::textEdited, this, &TPropertiesPanel::Changed);
  for (QComboBox* c : {cbColorMode, cbImageCommpress, cbCompression, cbDisposeMethod})
    connect(c, &QComboBox::currentIndexChanged, this, &TPropertiesPanel::Changed);
  for (QCheckBox* c : {chbTransparent, chbInterlaced, chbInterlacedAni, chbLocalPalette})
    connect(c, &QCheckBox::toggled, this, &TPropertiesPanel::Changed);
  for (QPlainTextEdit* m : {GifComment, GifFrameComment})
    connect(m, &QPlainTextEdit::textChanged, this, &TPropertiesPanel::Changed);
  connect(TranspCol, &TAdvPanel::OnColorChanged, this, &TPropertiesPanel::Changed);
}

void TPropertiesPanel::Changed() {
  if (!loading_) emit PropertyChange();
}

void TPropertiesPanel::BindCommands(QAction& apply, QAction& reset) {
  ApplyBtn->setDefaultAction(&apply);
  CancelBtn->setDefaultAction(&reset);
}

void TPropertiesPanel::SetShown(bool shown) {
  pnlProperties->setVisible(shown);
  setFixedHeight(shown ? PanelHeight + 4 : CollapsedHeight);
  AdvPanel3Resize();
}

void TPropertiesPanel::AdvPanel3Resize() {
  // The panel is as wide as what the current page needs, which changes with every load.
  const int w = pnlProperties->sizeHint().width();
  pnlProperties->setGeometry(width() >= w ? (width() - w) / 2 : 0, (height() - PanelHeight) / 2,
                             w, PanelHeight);
}

void TPropertiesPanel::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  AdvPanel3Resize();
}

bool TPropertiesPanel::eventFilter(QObject* watched, QEvent* event) {
  const bool release = event->type() == QEvent::MouseButtonRelease &&
                       static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
  const bool activate = event->type() == QEvent::KeyPress &&
                        (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space ||
                         static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return);
  for (QPlainTextEdit* memo : {GifComment, GifFrameComment}) {
    if ((watched == memo->viewport() && release) || (watched == memo && activate)) {
      emit GifFrameCommentClick(memo);
      return true;
    }
  }
  if (watched == TranspCol && activate) {
    emit TranspColClick();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}
