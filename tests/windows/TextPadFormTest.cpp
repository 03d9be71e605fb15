// The text pad with the text tool: live rendering into the floating layer, the left colour, the
// font size fallback, "New text", one undo step per use of the tool, and nothing changed by a use
// that placed nothing.

#include "windows/TextPadForm.h"

#include <QAccessible>
#include <QFontDatabase>
#include <QLineEdit>

#include "editor/ColorPanel.h"
#include "editor/ToolFixture.h"

namespace {

class TextPadTest : public ToolTest {
 protected:
  static TTextPadForm& Pad(TMainForm& form) { return form.TextPadForm(); }
  static TSelectBitmap& Copy(TMainForm& form) { return *form.Editor().Session().WorkingCopy(); }
  static TWorkImage& Image(TMainForm& form) { return *form.Editor().Session().CurrentImage(); }

  // The text tool on, with a font every test machine has.
  static void StartText(TMainForm& form) {
    Trigger(form, "Text1");
    TTextPadForm& pad = Pad(form);
    ASSERT_TRUE(pad.isVisible());
    pad.cbFontSelect->setCurrentText("DejaVu Sans");
    pad.cbFontSize->setCurrentText("12");
  }
  static void Type(TMainForm& form, const QString& text) { Pad(form).TextPad->setPlainText(text); }
  static QStringList Shifted(const QStringList& points, int dx, int dy) {
    QStringList moved;
    for (const QString& p : points)
      moved << QString("%1,%2")
                   .arg(p.section(',', 0, 0).toInt() + dx)
                   .arg(p.section(',', 1).toInt() + dy);
    return moved;
  }
  static QStringList Sorted(QStringList list) {
    list.sort();
    return list;
  }
  // What the text renders as on a picture of the image's size, without any window.
  static TMaskSurface Expected(TMainForm& form, const QStringList& lines, const QFont& font,
                               TTextAlign align) {
    TSurface layer(Image(form).Width(), Image(form).Height());
    TMaskSurface mask(layer.Width(), layer.Height());
    RenderText(lines, font, align, clBlack, layer, mask);
    return mask;
  }
};

TEST_F(TextPadTest, SwitchingTheToolOnAndOffWithoutTypingChangesNothing) {
  auto form = OpenWhite();
  Drag(*form, {2, 2}, {5, 5});  // a selection, which the text tool must give back
  const TMaskSurface selection = Image(*form).Mask();
  const int depth = UndoDepth(*form);
  ASSERT_FALSE(Image(*form).IsModified());
  for (const char* leave : {"Select1", "Pencil1"}) {
    StartText(*form);
    EXPECT_TRUE(Copy(*form).HasLayer());
    Drag(*form, {1, 1}, {4, 6});  // the empty layer moves to where the text is to start
    EXPECT_EQ(Copy(*form).LayerTop, 5);
    Trigger(*form, leave);
    EXPECT_FALSE(Pad(*form).isVisible());
    EXPECT_FALSE(Image(*form).IsModified()) << leave;
    EXPECT_EQ(UndoDepth(*form), depth) << leave;
    EXPECT_FALSE(Copy(*form).HasLayer());
    EXPECT_TRUE(Image(*form).Mask() == selection);
    EXPECT_TRUE(Copy(*form).Mask() == selection);
  }
}

TEST_F(TextPadTest, TypingRendersAtOnceAndOneUndoTakesBackEveryTextOfTheUse) {
  auto form = OpenWhite(60, 40);
  form->Editor().Colors().ApplyLeftColor(Blue);
  const int depth = UndoDepth(*form);
  StartText(*form);
  EXPECT_EQ(Pad(*form).PadTextColor(), Blue);
  Type(*form, "Hi");
  // The image holds the live text as its floating layer: saving or closing sees it.
  ASSERT_TRUE(Image(*form).HasLayer());
  EXPECT_TRUE(Image(*form).IsModified());
  const QFont font = Pad(*form).TextPadFont();
  EXPECT_TRUE(Copy(*form).Mask() == Expected(*form, {"Hi"}, font, TTextAlign::Left));
  for (const QString& p : Selected(Copy(*form).Mask()))
    EXPECT_EQ(PixelToColor(Copy(*form).Layer()->Pixel(p.section(',', 0, 0).toInt(),
                                                      p.section(',', 1).toInt())),
              Blue);
  Type(*form, "Hi!");
  EXPECT_EQ(UndoDepth(*form), depth + 1);
  Drag(*form, {3, 8}, {13, 18});  // any press moves the text
  EXPECT_EQ(Copy(*form).LayerLeft, 10);
  EXPECT_EQ(Copy(*form).LayerTop, 10);
  Pad(*form).ToolButton7->click();
  Type(*form, "Yo");
  EXPECT_EQ(UndoDepth(*form), depth + 1);
  Trigger(*form, "Pencil1");
  EXPECT_FALSE(Image(*form).HasLayer());
  QStringList placed = Shifted(Selected(Expected(*form, {"Hi!"}, font, TTextAlign::Left)), 10, 10);
  placed += Selected(Expected(*form, {"Yo"}, font, TTextAlign::Left));
  placed.removeDuplicates();  // the moved text and the new one overlap
  EXPECT_EQ(Sorted(PixelsOf(*form, Blue)), Sorted(placed));
  EXPECT_EQ(UndoDepth(*form), depth + 1);
  Trigger(*form, "UndoAct");
  EXPECT_TRUE(PixelsOf(*form, Blue).isEmpty());
  EXPECT_FALSE(Image(*form).HasLayer());
}

TEST_F(TextPadTest, UndoWhileTypingTakesBackTheText) {
  auto form = OpenWhite(60, 40);
  Trigger(*form, "Pencil1");
  form->Editor().Colors().ApplyLeftColor(Red);
  Click(*form, {59, 39});  // an earlier change, which must stay
  form->Editor().Colors().ApplyLeftColor(Blue);
  StartText(*form);
  Type(*form, "Hi");
  Trigger(*form, "UndoAct");
  EXPECT_EQ(ImagePixel(*form, 59, 39), Red);
  EXPECT_TRUE(form->Editor().Tools().SelectBtn->Down());
  EXPECT_FALSE(Pad(*form).isVisible());
  EXPECT_TRUE(PixelsOf(*form, Blue).isEmpty());
  EXPECT_FALSE(Copy(*form).HasLayer());
  Trigger(*form, "RedoAct");
  EXPECT_FALSE(PixelsOf(*form, Blue).isEmpty());
}

TEST_F(TextPadTest, TheTextFollowsTheLeftColourAndOnlyItsOwnLayer) {
  auto form = OpenWhite(60, 40);
  StartText(*form);
  Type(*form, "A");
  form->Editor().Colors().ApplyLeftColor(Red);
  const TSelectBitmap& copy = Copy(*form);
  const QStringList glyphs = Selected(copy.Mask());
  ASSERT_FALSE(glyphs.isEmpty());
  for (const QString& p : glyphs)
    EXPECT_EQ(
        PixelToColor(copy.Layer()->Pixel(p.section(',', 0, 0).toInt(), p.section(',', 1).toInt())),
        Red);
  EXPECT_EQ(PixelToColor(Image(*form).Layer()->Pixel(glyphs[0].section(',', 0, 0).toInt(),
                                                     glyphs[0].section(',', 1).toInt())),
            Red);
  // With the tool left, a layer the select tool moves keeps its pixels whatever the colour.
  Trigger(*form, "Select1");
  Drag(*form, {30, 30}, {35, 35});
  Drag(*form, {31, 31}, {40, 31}, Qt::RightButton);
  ASSERT_TRUE(Copy(*form).HasLayer());
  const TSurface moved = *Copy(*form).Layer();
  form->Editor().Colors().ApplyLeftColor(Green);
  EXPECT_TRUE(*Copy(*form).Layer() == moved);
}

TEST_F(TextPadTest, EveryControlRendersTheTextAnew) {
  auto form = OpenWhite(80, 60);
  StartText(*form);
  Type(*form, "ab\nabcd");
  TTextPadForm& pad = Pad(*form);
  std::vector<TMaskSurface> seen{Copy(*form).Mask()};
  const auto changed = [&](const char* what) {
    EXPECT_FALSE(Copy(*form).Mask() == seen.back()) << what;
    seen.push_back(Copy(*form).Mask());
  };
  pad.btnAlignCenter->click();
  changed("centre");
  EXPECT_TRUE(Copy(*form).Mask() ==
              Expected(*form, {"ab", "abcd"}, pad.TextPadFont(), TTextAlign::Center));
  EXPECT_EQ(pad.TextPad->document()->defaultTextOption().alignment(), Qt::AlignHCenter);
  pad.btnAlignRight->click();
  changed("right");
  EXPECT_FALSE(pad.btnAlignCenter->isChecked());
  for (TCheckToolButton* style : {pad.btnBold, pad.btnItalic, pad.btnUnderline, pad.btnStrike}) {
    style->click();
    changed(style->objectName().toUtf8().constData());
  }
  pad.cbFontSize->lineEdit()->clear();
  QTest::keyClicks(pad.cbFontSize->lineEdit(), "20");
  QTest::keyClick(pad.cbFontSize->lineEdit(), Qt::Key_Return);
  changed("size");
  EXPECT_EQ(pad.cbFontSize->count(), 12);  // a typed size is not added to the list
  pad.cbFontSelect->setCurrentText("DejaVu Serif");
  changed("font");
  EXPECT_TRUE(Copy(*form).Mask() ==
              Expected(*form, {"ab", "abcd"},
                       TextFont("DejaVu Serif", "20", {true, true, true, true}),
                       TTextAlign::Right));
}

TEST_F(TextPadTest, ASizeThatIsNoNumberUsesTheDefaultFontAtEight) {
  auto form = OpenWhite(60, 40);
  StartText(*form);
  Type(*form, "Hi");
  Pad(*form).cbFontSize->setCurrentText("7x");
  const QFont font = Pad(*form).TextPadFont();
  EXPECT_EQ(font.family(), QFontDatabase::systemFont(QFontDatabase::GeneralFont).family());
  EXPECT_EQ(font.pointSize(), 8);
  EXPECT_TRUE(Copy(*form).Mask() == Expected(*form, {"Hi"}, font, TTextAlign::Left));
  EXPECT_FALSE(Copy(*form).Mask() ==
               Expected(*form, {"Hi"}, TextFont("DejaVu Sans", "12", {}), TTextAlign::Left));
}

TEST_F(TextPadTest, NewTextFreezesTheTextAndStartsAtTheScrollPosition) {
  auto form = OpenWhite(200, 200);
  form->Editor().View().HScr->setValue(7);
  form->Editor().View().VScr->setValue(5);
  const TRect view = form->Editor().View().VisibleRect();
  ASSERT_EQ(view.Left, 7);
  ASSERT_EQ(view.Top, 5);
  form->Editor().Colors().ApplyLeftColor(clBlack);
  StartText(*form);
  EXPECT_EQ(Copy(*form).LayerLeft, 7);
  EXPECT_EQ(Copy(*form).LayerTop, 5);
  Type(*form, "A");
  Drag(*form, {10, 10}, {14, 13});  // zoom box cells: image pixels from the scroll position on
  EXPECT_EQ(Copy(*form).LayerLeft, 11);
  EXPECT_EQ(Copy(*form).LayerTop, 8);
  const QStringList glyphs = Selected(Copy(*form).Mask());
  for (int i = 0; i < 2; ++i) {
    Pad(*form).ToolButton7->click();
    EXPECT_TRUE(Pad(*form).TextPad->toPlainText().isEmpty());
    ASSERT_TRUE(Copy(*form).HasLayer());
    EXPECT_EQ(Copy(*form).LayerLeft, 7);
    EXPECT_EQ(Copy(*form).LayerTop, 5);
    EXPECT_FALSE(Copy(*form).Mask().AnySelected());
    EXPECT_EQ(Sorted(PixelsOf(*form, clBlack)), Sorted(Shifted(glyphs, 11, 8)));
  }
}

TEST_F(TextPadTest, ThePadStaysOpenAndNamesItsControls) {
  auto form = OpenWhite();
  StartText(*form);
  TTextPadForm& pad = Pad(*form);
  EXPECT_EQ(pad.windowTitle(), "Text");
  pad.close();
  EXPECT_TRUE(pad.isVisible());
  EXPECT_EQ(pad.cbFontSize->itemText(0), "8");
  EXPECT_EQ(pad.cbFontSelect->count(), QFontDatabase::families().size());
  const std::tuple<QWidget*, const char*, QAccessible::Role> controls[] = {
      {pad.btnBold, "Bold", QAccessible::CheckBox},
      {pad.btnItalic, "Italic", QAccessible::CheckBox},
      {pad.btnUnderline, "Underline", QAccessible::CheckBox},
      {pad.btnStrike, "Strike out", QAccessible::CheckBox},
      {pad.btnAlignLeft, "Align left", QAccessible::RadioButton},
      {pad.btnAlignCenter, "Center", QAccessible::RadioButton},
      {pad.btnAlignRight, "Align right", QAccessible::RadioButton},
      {pad.ToolButton7, "New text", QAccessible::Button},
      {pad.cbFontSelect, "Font", QAccessible::ComboBox},
      {pad.cbFontSize, "Font size", QAccessible::ComboBox},
      {pad.TextPad, "Text", QAccessible::EditableText}};
  for (const auto& [widget, name, role] : controls) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    ASSERT_TRUE(face) << name;
    EXPECT_EQ(face->text(QAccessible::Name), name);
    EXPECT_EQ(face->role(), role) << name;
  }
  // The lists are read by their names, with the current choice as the value.
  QAccessibleInterface* size = QAccessible::queryAccessibleInterface(pad.cbFontSize);
  EXPECT_EQ(size->text(QAccessible::Value), "12");
  size->valueInterface()->setCurrentValue(QString("14"));
  EXPECT_EQ(pad.cbFontSize->currentText(), "14");
  QAccessibleInterface* bold = QAccessible::queryAccessibleInterface(pad.btnBold);
  EXPECT_FALSE(bold->state().checked);
  bold->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
  EXPECT_TRUE(pad.btnBold->isChecked());
  EXPECT_TRUE(bold->state().checkable && bold->state().checked);
  EXPECT_TRUE(QAccessible::queryAccessibleInterface(pad.btnAlignLeft)->state().checked);
  // Typing goes into the text; the window's shortcuts still work from the pad.
  QTest::keyClicks(pad.TextPad, "Hi");
  EXPECT_EQ(pad.TextPad->toPlainText(), "Hi");
  QTest::keyClick(pad.TextPad, Qt::Key_Escape);
  EXPECT_TRUE(form->Editor().Tools().SelectBtn->Down());
  EXPECT_FALSE(pad.isVisible());
  EXPECT_TRUE(Image(*form).IsModified());
}

}  // namespace
