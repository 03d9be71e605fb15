#pragma once
// TTextPadForm: the "Text" pad of the text tool. The user types and styles the text here (font,
// size, bold, italic, underline, strike-out, alignment); every change renders the whole text into
// the floating layer and the selection mask of the editor's working copy, so the text shows where
// it will land. The pad lives for the whole run; the text tool shows and hides it, and the user
// cannot close it.
//
// The text follows the left working colour. "New text" freezes the text into the picture and
// starts an empty one at the top-left corner of the view.

#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QWidget>

#include "editor/ToolWindows.h"
#include "model/Colors.h"
#include "render/TextRender.h"
#include "windows/CheckToolButton.h"
#include "windows/NamedComboBox.h"

class TEditor;

class TTextPadForm : public QWidget, public ITextPad {
  Q_OBJECT
 public:
  explicit TTextPadForm(TEditor& editor, QWidget* parent = nullptr);

  // ITextPad: the text tool's side.
  void Show() override;
  void Hide() override;
  void TextPadChange() override;

  TColor PadTextColor() const { return padTextColor_; }
  // The text takes `color` (the left working colour) and renders anew when it changed.
  void SetPadTextColor(TColor color);
  // Renders the text into the working copy's floating layer and mask while the tool is on.
  void RenderText();
  // An alignment button.
  void ToolButton3Click(TTextAlign align);
  // "New text".
  void ToolButton7Click();

  // The font and alignment the text renders with now.
  QFont TextPadFont() const;
  TTextAlign Alignment() const;
  QStringList Lines() const;

  QToolBar* TextToolBar;
  TCheckToolButton* btnBold;
  TCheckToolButton* btnItalic;
  TCheckToolButton* btnUnderline;
  TCheckToolButton* btnStrike;
  TCheckToolButton* btnAlignLeft;
  TCheckToolButton* btnAlignCenter;
  TCheckToolButton* btnAlignRight;
  QToolButton* ToolButton7;
  QToolBar* FontToolBar;
  TNamedComboBox* cbFontSelect;
  TNamedComboBox* cbFontSize;
  QTextEdit* TextPad;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildTextToolBar();
  void BuildFontToolBar();
  TCheckToolButton* StyleButton(const char* name, const QString& caption, const QString& letter,
                                void (QFont::*style)(bool));
  TCheckToolButton* AlignButton(const char* name, const QString& caption, TTextAlign align);
  // The first time the pad shows, it goes to the view's bottom-left corner.
  void FormShow();

  TEditor& editor_;
  TColor padTextColor_ = clSilver;
  TTextAlign align_ = TTextAlign::Left;
  // The text tool is on: changes render into the working copy.
  bool active_ = false;
  bool placed_ = false;
};
