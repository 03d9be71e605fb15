// The properties panel on each kind of document: loading, "&Apply" with its undo step and its
// limits, "Reset", the transparency toggle and swatch, the comment editor and the colour depth
// through the reduction dialog.

#include <QAccessible>
#include <QPlainTextEdit>

#include "documents/properties/CommentEditor.h"
#include "documents/properties/PropertiesPanel.h"
#include "editor/ToolFixture.h"
#include "model/GraphUtils.h"
#include "model/Groups.h"
#include "model/WorkImages.h"
#include "model/FileIO.h"
#include "model/codecs/PngCodec.h"
#include "palettes/ColorChoiceDlg.h"
#include "palettes/PaletteEditor.h"
#include "palettes/PixelFormatDlg.h"

namespace {

class PropertiesPanelTest : public ToolTest {
 protected:
  std::unique_ptr<TMainForm> OpenShown(const QString& path) {
    auto form = OpenAt800(path);
    Trigger(*form, "PropEditAct");
    EXPECT_TRUE(form->Properties().Shown());
    return form;
  }
  static TPropertiesPanel& Panel(TMainForm& form) { return form.Properties(); }
  static TWorkImage& Image(TMainForm& form) { return *form.Editor().Session().CurrentImage(); }
  static bool ApplyEnabled(TMainForm& form) {
    form.UpdateActions();
    return form.Act("ApplyAct").isEnabled();
  }
  // Types into an integer field as the user does.
  static void Type(TIntegerEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClicks(edit, text);
  }
  static void ChooseMode(TMainForm& form, int bits) {
    QComboBox* modes = Panel(form).cbColorMode;
    modes->setCurrentIndex(modes->findText(QString::fromStdString(ColorModeName(bits))));
  }
  // The next reduction dialog answers with `script`.
  void AnswerReduction(std::function<int(TfrmPixelFormat&)> script) {
    dialogs_.DialogScripts.push_back(
        [script](QDialog& d) { return script(static_cast<TfrmPixelFormat&>(d)); });
  }
};

TEST_F(PropertiesPanelTest, ABitmapIsResizedAndMadeTransparentAsOneUndoStep) {
  auto form = OpenShown(MakeBitmap("a.bmp", 6, 4));
  TPropertiesPanel& p = Panel(*form);
  EXPECT_EQ(p.Page(), BitmapPage);
  // The panel is centred in its strip.
  EXPECT_GT(p.pnlProperties->x(), 0);
  EXPECT_EQ(p.pnlProperties->x(), (p.width() - p.pnlProperties->width()) / 2);
  EXPECT_EQ(p.eXSize->text(), "6");
  EXPECT_EQ(p.eYSize->text(), "4");
  EXPECT_EQ(p.cbColorMode->currentText(), "24 bit (True color)");
  EXPECT_FALSE(p.TranspCol->isVisible());
  EXPECT_FALSE(ApplyEnabled(*form));
  Type(p.eXSize, "9");
  QTest::mouseClick(p.chbTransparent, Qt::LeftButton);
  EXPECT_TRUE(p.TranspCol->isVisible());
  EXPECT_TRUE(form->Act("ChgTranspAct").isChecked());
  ASSERT_TRUE(ApplyEnabled(*form));
  Trigger(*form, "ApplyAct");
  EXPECT_EQ(Image(*form).Width(), 9);
  EXPECT_EQ(form->Editor().Session().WorkingCopy()->Width(), 9);
  EXPECT_EQ(ImagePixel(*form, 8, 3), clWhite);
  EXPECT_TRUE(Image(*form).GetTransparent());
  EXPECT_TRUE(Image(*form).IsModified());
  EXPECT_EQ(UndoDepth(*form), 1);
  EXPECT_FALSE(ApplyEnabled(*form));
  Trigger(*form, "UndoAct");  // the panel follows the history
  EXPECT_EQ(p.eXSize->text(), "6");
  EXPECT_FALSE(p.chbTransparent->isChecked());
}

TEST_F(PropertiesPanelTest, OutOfRangeValuesAreRefusedWithTheFieldAndItsLimits) {
  auto form = OpenShown(MakeImage<TWorkJpeg>("a.jpg", 4, 4, 24, [](int, int) { return clWhite; }));
  TPropertiesPanel& p = Panel(*form);
  ASSERT_EQ(p.Page(), JpegPage);
  Type(p.eXSize, "0");
  Trigger(*form, "ApplyAct");
  Type(p.eXSize, "70000");
  Trigger(*form, "ApplyAct");
  Type(p.eXSize, "5");
  Type(p.QEdit, "101");
  Trigger(*form, "ApplyAct");
  Type(p.eYSize, "99999999999999");
  Trigger(*form, "ApplyAct");
  EXPECT_EQ(dialogs_.Shown("error"),
            QStringList({"Width must be between 1 and 65500.", "Width must be between 1 and 65500.",
                         "Quality must be between 1 and 100.",
                         "Height must be between 1 and 65500."}));
  EXPECT_EQ(Image(*form).Width(), 4);  // nothing was applied
  EXPECT_EQ(UndoDepth(*form), 0);
  EXPECT_TRUE(ApplyEnabled(*form));
}

TEST_F(PropertiesPanelTest, JpegQualityIsOneUndoStepAndResetBringsItBack) {
  auto form = OpenShown(MakeImage<TWorkJpeg>("a.jpg", 4, 4, 24, [](int, int) { return clWhite; }));
  TPropertiesPanel& p = Panel(*form);
  EXPECT_EQ(p.QEdit->text(), "90");
  Type(p.QEdit, "35");
  Trigger(*form, "CancelAct");
  EXPECT_EQ(p.QEdit->text(), "90");
  EXPECT_FALSE(ApplyEnabled(*form));
  Type(p.QEdit, "3 5");
  Trigger(*form, "ApplyAct");
  auto& jpeg = static_cast<TWorkJpeg&>(Image(*form));
  EXPECT_EQ(jpeg.Quality, 35);
  EXPECT_EQ(p.QEdit->text(), "35");
  EXPECT_EQ(UndoDepth(*form), 1);
  EXPECT_TRUE(jpeg.IsModified());
  Trigger(*form, "UndoAct");
  EXPECT_EQ(jpeg.Quality, 90);
}

TEST_F(PropertiesPanelTest, ACancelledDepthChangeKeepsThePixelsButAppliesTheRest) {
  auto form = OpenShown(MakeImage("a.bmp", 4, 4, 24, [](int x, int y) {
    return MakeColor(x * 60, y * 60, 100);
  }));
  TPropertiesPanel& p = Panel(*form);
  const TSurface before = Image(*form).Image();
  const TPaletteRecord palette = Image(*form).GetPalette();
  ChooseMode(*form, 8);
  Type(p.eYSize, "5");
  bool asked = false;
  AnswerReduction([&](TfrmPixelFormat&) {
    asked = true;
    return int(QDialog::Rejected);
  });
  Trigger(*form, "ApplyAct");
  ASSERT_TRUE(asked);
  EXPECT_EQ(Image(*form).GetBitCount(), 24);
  EXPECT_EQ(Image(*form).GetPalette(), palette);
  EXPECT_EQ(Image(*form).Height(), 5);  // the rest went in
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(Image(*form).Image().Pixel(x, y), before.Pixel(x, y));
  EXPECT_TRUE(ApplyEnabled(*form));  // so the user can try again
  EXPECT_EQ(p.cbColorMode->currentText(), "8 bit (256colors)");
  // The one step holds exactly what went in.
  EXPECT_EQ(UndoDepth(*form), 1);
  Trigger(*form, "UndoAct");
  EXPECT_EQ(Image(*form).Height(), 4);
  EXPECT_FALSE(Image(*form).IsModified());
  Trigger(*form, "RedoAct");
  EXPECT_EQ(Image(*form).Height(), 5);
  ChooseMode(*form, 8);

  AnswerReduction([](TfrmPixelFormat& d) {
    d.rbOptimal->click();
    return int(QDialog::Accepted);
  });
  Trigger(*form, "ApplyAct");
  EXPECT_EQ(Image(*form).GetBitCount(), 8);
  EXPECT_EQ(Image(*form).GetPalette().Count, 256);
  EXPECT_EQ(Image(*form).Image().Pixel(3, 2), before.Pixel(3, 2));  // 16 colours fit exactly
  EXPECT_FALSE(ApplyEnabled(*form));
}

TEST_F(PropertiesPanelTest, LeavingAlphaSaysWhatBecameTransparent) {
  std::vector<uint8_t> rgba(4 * 4 * 4, 200);
  rgba[3] = 20;  // the top-left pixel is nearly clear
  WriteFileAtomic(Local(FilePath("a.png")), WritePng(4, 4, rgba.data()));
  auto form = OpenShown(FilePath("a.png"));
  TPropertiesPanel& p = Panel(*form);
  EXPECT_EQ(p.cbColorMode->count(), 5);  // 1, 4, 8, 24 and 32 bits
  EXPECT_EQ(p.cbColorMode->currentText(), "32 bit (True color)");
  ChooseMode(*form, 24);
  Trigger(*form, "ApplyAct");
  EXPECT_EQ(Image(*form).GetBitCount(), 24);
  EXPECT_TRUE(Image(*form).GetTransparent());
  EXPECT_EQ(ImagePixel(*form, 0, 0), Image(*form).GetTransparentColor());
  EXPECT_EQ(form->StatusText(2), "Pixels less than half opaque became the transparent color.");
}

TEST_F(PropertiesPanelTest, ACancelledDepthChangeAloneRecordsNothing) {
  const auto cancel = [](TfrmPixelFormat&) { return int(QDialog::Rejected); };
  auto form = OpenShown(MakeBitmap("a.bmp", 4, 4));
  ChooseMode(*form, 4);
  AnswerReduction(cancel);
  Trigger(*form, "ApplyAct");
  EXPECT_EQ(Image(*form).GetBitCount(), 24);
  EXPECT_EQ(UndoDepth(*form), 0);
  EXPECT_FALSE(Image(*form).IsModified());
  form->UpdateActions();
  EXPECT_FALSE(form->Act("UndoAct").isEnabled());
  EXPECT_TRUE(ApplyEnabled(*form));

  // The same for an animation and for one of its frames: no frame gets a step.
  form.reset();
  form = OpenShown(MakeAnimation("b.gif", 2));
  TImageGroup* group = form->Editor().Session().CurrentGroup();
  ChooseMode(*form, 1);
  AnswerReduction(cancel);
  Trigger(*form, "ApplyAct");
  form->Navigator->Select(Node(*form, 0, 1));
  ChooseMode(*form, 1);
  AnswerReduction(cancel);
  Trigger(*form, "ApplyAct");
  EXPECT_TRUE(dialogs_.DialogScripts.empty());  // both were asked
  EXPECT_EQ(group->BitCount, 4);
  EXPECT_FALSE(group->IsModified());
  for (int i = 0; i < group->Count(); ++i) EXPECT_EQ(group->GetFrame(i)->UndoStack.Count(), 0);
}

TEST_F(PropertiesPanelTest, GifImageCommentsInterlacingAndTransparentColour) {
  auto form = OpenShown(MakeImage<TWorkGifImage>("a.gif", 4, 4, 4, [](int, int) { return clWhite; }));
  TPropertiesPanel& p = Panel(*form);
  ASSERT_EQ(p.Page(), GifImagePage);
  dialogs_.DialogScripts.push_back([](QDialog& d) {
    static_cast<TfrmCommentEditor&>(d).Memo1->setPlainText("made here\nby hand");
    return int(QDialog::Accepted);
  });
  QTest::mouseClick(p.GifComment->viewport(), Qt::LeftButton);
  EXPECT_EQ(p.GifComment->toPlainText(), "made here\nby hand");
  EXPECT_TRUE(ApplyEnabled(*form));
  QTest::mouseClick(p.chbTransparent, Qt::LeftButton);
  dialogs_.DialogScripts.push_back([](QDialog& d) {
    auto& choice = static_cast<TfrmColorChoice&>(d);
    EXPECT_FALSE(choice.btnMore->isEnabled());  // a palette image takes palette colours only
    choice.SetChosenColor(MakeColor(0, 0, 255));
    return int(QDialog::Accepted);
  });
  QTest::mouseClick(p.TranspCol, Qt::LeftButton);
  p.chbInterlaced->setChecked(true);
  p.cbImageCommpress->setCurrentIndex(1);
  Trigger(*form, "ApplyAct");
  auto& gif = static_cast<TWorkGifImage&>(Image(*form));
  EXPECT_EQ(gif.Comments(), (std::vector<std::string>{"made here", "by hand"}));
  EXPECT_TRUE(gif.Interlaced());
  EXPECT_EQ(gif.Compression(), 1);
  EXPECT_TRUE(gif.GetTransparent());
  EXPECT_EQ(gif.GetTransparentColor(), MakeColor(0, 0, 255));
  // Cancelling the comment editor keeps the text.
  QTest::mouseClick(p.GifComment->viewport(), Qt::LeftButton);
  EXPECT_EQ(p.GifComment->toPlainText(), "made here\nby hand");
  EXPECT_FALSE(ApplyEnabled(*form));
}

TEST_F(PropertiesPanelTest, AnIconGroupShowsOnlyItsNoteAndSubIconsKeepTheirTransparency) {
  auto form = OpenShown(MakeIcon("a.ico", {{16, 4}, {32, 8}}));
  TPropertiesPanel& p = Panel(*form);
  ASSERT_TRUE(form->Editor().Session().CurrentGroup());
  EXPECT_EQ(p.Page(), IconGroupPage);
  EXPECT_TRUE(p.IconGroupNote->isVisible());
  EXPECT_FALSE(p.eXSize->isVisible());
  form->UpdateActions();
  EXPECT_FALSE(form->Act("ChgTranspAct").isEnabled());
  form->Navigator->Select(Node(*form, 0, 1));
  EXPECT_EQ(p.Page(), IconFramePage);
  EXPECT_EQ(p.eXSize->text(), "32");
  EXPECT_TRUE(p.chbTransparent->isChecked());
  form->UpdateActions();
  EXPECT_FALSE(p.chbTransparent->isEnabled());
  Type(p.eXSize, "300");
  Trigger(*form, "ApplyAct");
  EXPECT_EQ(dialogs_.Shown("error"), QStringList({"Width must be between 1 and 256."}));
}

TEST_F(PropertiesPanelTest, AnAnimationTakesLoopsCompressionSizeAndDepthForAllFrames) {
  auto form = OpenShown(MakeAnimation("a.gif", 3));
  TPropertiesPanel& p = Panel(*form);
  auto* group = dynamic_cast<TGifImageGroup*>(form->Editor().Session().CurrentGroup());
  ASSERT_TRUE(group);
  EXPECT_EQ(p.Page(), GifGroupPage);
  EXPECT_FALSE(p.chbTransparent->isVisible());
  EXPECT_FALSE(p.TranspCol->isVisible());
  EXPECT_EQ(p.PlayCntEdit->text(), "0");
  Type(p.PlayCntEdit, "70000");
  Trigger(*form, "ApplyAct");
  EXPECT_EQ(dialogs_.Shown("error"), QStringList({"Loops must be between 0 and 65535."}));
  Type(p.PlayCntEdit, "3");
  p.cbCompression->setCurrentIndex(1);
  Type(p.eXSize, "10");
  ChooseMode(*form, 2);
  AnswerReduction([](TfrmPixelFormat& d) {
    d.rbOptimal->click();
    return int(QDialog::Accepted);
  });
  Trigger(*form, "ApplyAct");
  EXPECT_EQ(group->LoopCount, 3);
  EXPECT_EQ(group->Compression(), 1);
  EXPECT_EQ(group->BitCount, 2);
  EXPECT_EQ(group->Palette.Count, 4);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(group->GetFrame(i)->Width(), 10);
    EXPECT_EQ(group->GetFrame(i)->GetBitCount(), 2);
  }
  EXPECT_TRUE(group->IsModified());
  EXPECT_FALSE(ApplyEnabled(*form));

  // The whole change is one step of the animation's own history.
  Trigger(*form, "UndoAct");
  EXPECT_EQ(group->LoopCount, 0);
  EXPECT_EQ(group->Compression(), 0);
  EXPECT_EQ(group->BitCount, 4);
  EXPECT_EQ(group->GetFrame(2)->Width(), 8);
  EXPECT_EQ(p.PlayCntEdit->text(), "0");
  EXPECT_EQ(p.eXSize->text(), "8");
  EXPECT_EQ(p.cbColorMode->currentText(), "4 bit (16colors)");
  form->UpdateActions();
  EXPECT_FALSE(form->Act("UndoAct").isEnabled());
  Trigger(*form, "RedoAct");
  EXPECT_EQ(p.PlayCntEdit->text(), "3");
  EXPECT_EQ(group->GetFrame(2)->GetBitCount(), 2);
}

TEST_F(PropertiesPanelTest, AnAnimationThatPlaysOnceKeepsDoingSoWhenOtherValuesChange) {
  auto form = OpenShown(MakeAnimation("a.gif", 2));
  auto* group = static_cast<TGifImageGroup*>(form->Editor().Session().CurrentGroup());
  group->LoopCount = NoLoopExtension;  // as read from a file without a looping extension
  Trigger(*form, "CancelAct");
  TPropertiesPanel& p = Panel(*form);
  EXPECT_EQ(p.PlayCntEdit->text(), "65535");
  p.cbCompression->setCurrentIndex(1);
  Trigger(*form, "ApplyAct");
  EXPECT_EQ(group->Compression(), 1);
  EXPECT_EQ(group->LoopCount, NoLoopExtension);
}

TEST_F(PropertiesPanelTest, AFramePageLoadsAndAppliesDelayDisposalAndLimits) {
  auto form = OpenShown(MakeAnimation("a.gif", 2));
  form->Navigator->Select(Node(*form, 0, 1));
  TPropertiesPanel& p = Panel(*form);
  ASSERT_EQ(p.Page(), GifFramePage);
  EXPECT_EQ(p.IntervalEdit->text(), "100");
  EXPECT_EQ(p.cbColorMode->currentText(), "4 bit (16colors)");
  Type(p.IntervalEdit, "655351");
  Trigger(*form, "ApplyAct");
  EXPECT_EQ(dialogs_.Shown("error"), QStringList({"Delay must be between 0 and 655350."}));
  Type(p.IntervalEdit, "655350");
  p.cbDisposeMethod->setCurrentIndex(2);
  Type(p.eYSize, "12");
  Trigger(*form, "ApplyAct");
  auto& frame = static_cast<TWorkGifFrame&>(Image(*form));
  EXPECT_EQ(frame.Delay(), 655350u);
  EXPECT_EQ(frame.Disposal, 2);
  // The size reached the other frame too, and each frame has its undo step.
  TWorkFrame* first = frame.Group()->GetFrame(0);
  EXPECT_EQ(first->Height(), 12);
  EXPECT_EQ(UndoDepth(*form), 1);
  EXPECT_EQ(first->UndoStack.Count(), 1);
}

TEST_F(PropertiesPanelTest, UndoAndRedoOfAFrameBringBackItsDelayAndDisposal) {
  const QString path = MakeAnimation("a.gif", 3);
  auto form = OpenShown(path);
  form->Navigator->Select(Node(*form, 0, 1));
  TPropertiesPanel& p = Panel(*form);
  ASSERT_EQ(p.Page(), GifFramePage);
  const int oldDisposal = p.cbDisposeMethod->currentIndex();
  const int newDisposal = oldDisposal == 2 ? 3 : 2;
  Type(p.IntervalEdit, "250");
  p.cbDisposeMethod->setCurrentIndex(newDisposal);
  Trigger(*form, "ApplyAct");
  auto& frame = static_cast<TWorkGifFrame&>(Image(*form));
  ASSERT_EQ(frame.Delay(), 250u);
  ASSERT_EQ(UndoDepth(*form), 1);

  const auto saved = [&] {
    Trigger(*form, "SaveAct");
    TGifImageGroup reread;
    reread.LoadFromFile(Local(path));
    auto& f = static_cast<TWorkGifFrame&>(*reread.GetFrame(1));
    return std::pair(f.Delay(), int(f.Disposal));
  };
  Trigger(*form, "UndoAct");
  EXPECT_EQ(frame.Delay(), 100u);
  EXPECT_EQ(p.IntervalEdit->text(), "100");
  EXPECT_EQ(p.cbDisposeMethod->currentIndex(), oldDisposal);
  EXPECT_EQ(saved(), std::pair(100u, oldDisposal));
  Trigger(*form, "RedoAct");
  EXPECT_EQ(p.IntervalEdit->text(), "250");
  EXPECT_EQ(p.cbDisposeMethod->currentIndex(), newDisposal);
  EXPECT_EQ(saved(), std::pair(250u, newDisposal));
}

TEST_F(PropertiesPanelTest, ThePaletteEditorChangesEveryFrameSharingThePalette) {
  auto form = OpenShown(MakeAnimation("a.gif", 3));
  auto* group = form->Editor().Session().CurrentGroup();
  static_cast<TUniformFrame*>(group->GetFrame(2))->SetLocalPalette(true);
  form->Navigator->Select(Node(*form, 0, 0));
  // Frame 0 is painted in entry 9, frame 1 in entry 10; each pixel takes the nearest colour of
  // the new palette, so both entries are moved a little.
  const TColor old = group->Palette.Color(9);
  const auto nudged = [](TColor c) {
    const auto near = [](int v) { return v < 128 ? v + 5 : v - 5; };
    return MakeColor(near(RedOf(c)), near(GreenOf(c)), near(BlueOf(c)));
  };
  const TColor new9 = nudged(old), new10 = nudged(group->Palette.Color(10));
  const TColor own = Pixel(*group->GetFrame(2), 0, 0);
  dialogs_.DialogScripts.push_back([&](QDialog& d) {
    auto& editor = static_cast<TfrmPaletteEditor&>(d);
    EXPECT_EQ(editor.ImageBitCount, 4);
    EXPECT_EQ(editor.EditPalette.Count, 16);
    editor.SetCellColor(new9, 1, 4);   // entry 9 of a grid of 2 columns
    editor.SetCellColor(new10, 0, 5);  // entry 10
    editor.OKAct->trigger();
    return editor.result();
  });
  Trigger(*form, "PaletteEditorAct");
  EXPECT_EQ(group->Palette.Color(9), new9);
  EXPECT_EQ(ImagePixel(*form, 0, 0), new9);
  EXPECT_EQ(Pixel(*group->GetFrame(1), 0, 0), new10);
  EXPECT_EQ(Pixel(*group->GetFrame(2), 0, 0), own);  // its own palette
  EXPECT_EQ(group->GetFrame(0)->UndoStack.Count(), 1);
  EXPECT_EQ(group->GetFrame(1)->UndoStack.Count(), 1);
  EXPECT_EQ(group->GetFrame(2)->UndoStack.Count(), 0);
  // Each step holds its frame with the palette its pixels were on.
  group->GetFrame(1)->Undo();
  EXPECT_EQ(group->Palette.Color(9), old);
  // Cancelling the editor changes nothing.
  Trigger(*form, "PaletteEditorAct");
  EXPECT_EQ(group->GetFrame(0)->UndoStack.Count(), 1);
}

TEST_F(PropertiesPanelTest, ControlsAreNamedForAssistiveTechnology) {
  auto form = OpenShown(MakeAnimation("a.gif", 1));
  form->Navigator->Select(Node(*form, 0, 0));
  TPropertiesPanel& p = Panel(*form);
  const auto check = [](QWidget* w, const QString& name, QAccessible::Role role) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    ASSERT_TRUE(a) << name.toStdString();
    EXPECT_EQ(a->text(QAccessible::Name), name);
    EXPECT_EQ(a->role(), role) << name.toStdString();
  };
  check(p.eXSize, "Set X size (Width)", QAccessible::EditableText);
  check(p.eYSize, "Set Y size (Height)", QAccessible::EditableText);
  check(p.chbTransparent, "Transparent", QAccessible::CheckBox);
  check(p.TranspCol, "Transparent color", QAccessible::Button);
  // On Linux a list's accessible name is its current item; the label is told by relation.
  EXPECT_EQ(p.cbColorMode->accessibleName(), "Select color mode");
  check(p.ApplyBtn, "Apply", QAccessible::Button);
  check(p.CancelBtn, "Reset", QAccessible::Button);
  check(p.IntervalEdit, "Time delay [ms]", QAccessible::EditableText);
  check(p.QEdit, "Quality", QAccessible::EditableText);
  check(p.PlayCntEdit, "Loops", QAccessible::EditableText);
  check(p.chbLocalPalette, "Local palette", QAccessible::CheckBox);
  check(p.GifFrameComment, "Click to edit comment.", QAccessible::EditableText);
}

}  // namespace
