#include "windows/TextPadForm.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QPainter>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

#include "editor/ColorPanel.h"
#include "editor/EditSession.h"
#include "editor/Editor.h"
#include "editor/ZoomView.h"
#include "editor/tools/TextTool.h"
#include "model/SelectBitmap.h"

namespace {

const char* const FontSizes[] = {"8",  "10", "11", "12", "13", "14",
                                 "15", "16", "18", "20", "22", "24"};

// Four lines of text, ragged as the alignment makes them.
QIcon AlignIcon(TTextAlign align) {
  QPixmap pixmap(16, 16);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  const int lengths[] = {12, 8, 12, 8};
  for (int i = 0; i < 4; ++i) {
    const int room = 14 - lengths[i];
    const int left = 1 + (align == TTextAlign::Right    ? room
                          : align == TTextAlign::Center ? room / 2
                                                        : 0);
    painter.fillRect(left, 2 + i * 4, lengths[i], 2, Qt::black);
  }
  return QIcon(pixmap);
}

Qt::Alignment EditAlignment(TTextAlign align) {
  return align == TTextAlign::Right    ? Qt::AlignRight
         : align == TTextAlign::Center ? Qt::AlignHCenter
                                       : Qt::AlignLeft;
}

}  // namespace

TTextPadForm::TTextPadForm(TEditor& editor, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint), editor_(editor) {
  setObjectName("TextPadForm");
  setWindowTitle("Text");
  setWhatsThis("60");  // help topic
  BuildTextToolBar();
  BuildFontToolBar();
  TextPad = new QTextEdit(this);
  TextPad->setObjectName("TextPad");
  TextPad->setAccessibleName("Text");
  TextPad->setAcceptRichText(false);
  connect(TextPad, &QTextEdit::textChanged, this, &TTextPadForm::TextPadChange);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(TextToolBar);
  layout->addWidget(FontToolBar);
  layout->addWidget(TextPad, 1);
  // Wide enough that "New text" never hides behind the tool bar's overflow arrow.
  resize(std::max(253, TextToolBar->sizeHint().width()), 209);
  padTextColor_ = editor_.Colors().CurrentLeftColor();
  connect(&editor_.Colors(), &TColorPanel::LeftColorApplied, this, &TTextPadForm::SetPadTextColor);
}

TCheckToolButton* TTextPadForm::StyleButton(const char* name, const QString& caption,
                                            const QString& letter, void (QFont::*style)(bool)) {
  auto* button = new TCheckToolButton(caption, false, TextToolBar);
  button->setObjectName(name);
  button->setText(letter);
  QFont face = button->font();
  face.setBold(true);
  (face.*style)(true);
  button->setFont(face);
  connect(button, &QToolButton::toggled, this, &TTextPadForm::TextPadChange);
  TextToolBar->addWidget(button);
  return button;
}

TCheckToolButton* TTextPadForm::AlignButton(const char* name, const QString& caption,
                                            TTextAlign align) {
  auto* button = new TCheckToolButton(caption, true, TextToolBar);
  button->setObjectName(name);
  button->setIcon(AlignIcon(align));
  connect(button, &QToolButton::clicked, this, [this, align] { ToolButton3Click(align); });
  TextToolBar->addWidget(button);
  return button;
}

void TTextPadForm::BuildTextToolBar() {
  TextToolBar = new QToolBar(this);
  TextToolBar->setObjectName("TextToolBar");
  TextToolBar->setIconSize({16, 16});
  btnBold = StyleButton("btnBold", "Bold", "B", &QFont::setBold);
  btnItalic = StyleButton("btnItalic", "Italic", "I", &QFont::setItalic);
  btnUnderline = StyleButton("btnUnderline", "Underline", "U", &QFont::setUnderline);
  btnStrike = StyleButton("btnStrike", "Strike out", "S", &QFont::setStrikeOut);
  TextToolBar->addSeparator();
  btnAlignLeft = AlignButton("btnAlignLeft", "Align left", TTextAlign::Left);
  btnAlignCenter = AlignButton("btnAlignCenter", "Center", TTextAlign::Center);
  btnAlignRight = AlignButton("btnAlignRight", "Align right", TTextAlign::Right);
  auto* group = new QButtonGroup(this);
  group->setExclusive(true);
  for (QToolButton* b : {btnAlignLeft, btnAlignCenter, btnAlignRight}) group->addButton(b);
  btnAlignLeft->setChecked(true);
  TextToolBar->addSeparator();
  ToolButton7 = new QToolButton(TextToolBar);
  ToolButton7->setObjectName("ToolButton7");
  ToolButton7->setText("New text");
  ToolButton7->setAccessibleName("New text");
  ToolButton7->setAutoRaise(true);
  connect(ToolButton7, &QToolButton::clicked, this, &TTextPadForm::ToolButton7Click);
  TextToolBar->addWidget(ToolButton7);
}

void TTextPadForm::BuildFontToolBar() {
  FontToolBar = new QToolBar(this);
  FontToolBar->setObjectName("FontToolBar");
  cbFontSelect = new TNamedComboBox("Font", FontToolBar);
  cbFontSelect->setObjectName("cbFontSelect");
  cbFontSelect->addItems(QFontDatabase::families());
  cbFontSelect->setCurrentIndex(0);
  cbFontSelect->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  cbFontSelect->setMinimumContentsLength(14);
  cbFontSize = new TNamedComboBox("Font size", FontToolBar);
  cbFontSize->setObjectName("cbFontSize");
  cbFontSize->setEditable(true);
  // A size typed and confirmed is used, not added to the list.
  cbFontSize->setInsertPolicy(QComboBox::NoInsert);
  for (const char* size : FontSizes) cbFontSize->addItem(size);
  cbFontSize->setCurrentIndex(0);
  connect(cbFontSelect, &QComboBox::currentIndexChanged, this, &TTextPadForm::TextPadChange);
  connect(cbFontSize, &QComboBox::currentTextChanged, this, &TTextPadForm::TextPadChange);
  FontToolBar->addWidget(cbFontSelect);
  FontToolBar->addWidget(cbFontSize);
}

void TTextPadForm::Show() {
  active_ = true;
  if (!placed_) FormShow();
  show();
  raise();
  activateWindow();
  TextPad->setFocus();
}

void TTextPadForm::Hide() {
  active_ = false;
  // The keyboard goes back to the picture's window.
  if (isActiveWindow() && parentWidget()) parentWidget()->activateWindow();
  hide();
}

void TTextPadForm::FormShow() {
  placed_ = true;
  // The text starts at the view's top-left corner: the pad keeps clear of it at the bottom.
  const QWidget* panel = editor_.View().ZoomPanel;
  const QPoint corner = panel->mapToGlobal(QPoint(0, panel->height()));
  move(corner.x(), corner.y() - frameGeometry().height());
}

void TTextPadForm::TextPadChange() {
  RenderText();
}

void TTextPadForm::SetPadTextColor(TColor color) {
  if (color == padTextColor_) return;
  padTextColor_ = color;
  RenderText();
}

QFont TTextPadForm::TextPadFont() const {
  const TTextStyle style{btnBold->isChecked(), btnItalic->isChecked(), btnUnderline->isChecked(),
                         btnStrike->isChecked()};
  return TextFont(cbFontSelect->currentText(), cbFontSize->currentText(), style);
}

TTextAlign TTextPadForm::Alignment() const {
  return align_;
}

QStringList TTextPadForm::Lines() const {
  QString text = TextPad->toPlainText();
  text.replace(QChar::LineSeparator, '\n');
  return text.split('\n');
}

void TTextPadForm::RenderText() {
  // Only the text tool's own layer takes the text; a layer the select tool moves is left alone.
  if (!active_) return;
  TEditSession& session = editor_.Session();
  TSelectBitmap* copy = session.WorkingCopy();
  if (!copy || !copy->HasLayer()) return;
  ::RenderText(Lines(), TextPadFont(), align_, padTextColor_, *copy->EditLayer(), copy->EditMask());
  TTextTool::CommitText(session);
  editor_.View().Redraw(true);
}

void TTextPadForm::ToolButton3Click(TTextAlign align) {
  align_ = align;
  QTextOption option = TextPad->document()->defaultTextOption();
  option.setAlignment(EditAlignment(align));
  TextPad->document()->setDefaultTextOption(option);
  RenderText();
}

void TTextPadForm::ToolButton7Click() {
  TSelectBitmap* copy = editor_.Session().WorkingCopy();
  if (active_ && copy && copy->HasLayer()) {
    // The text so far lands; an empty layer starts at the view's top-left corner.
    copy->DropLayer();
    copy->ClearSelection();
    copy->LiftSelection(false, clWhite);
    const TRect visible = editor_.View().VisibleRect();
    copy->LayerLeft = visible.Left;
    copy->LayerTop = visible.Top;
  }
  {
    const QSignalBlocker quiet(TextPad);
    TextPad->clear();
  }
  RenderText();
  editor_.View().Redraw(true);
}

void TTextPadForm::closeEvent(QCloseEvent* event) {
  // The text tool alone shows and hides the pad.
  event->ignore();
}
