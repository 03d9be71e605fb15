#include "palettes/PaletteEditor.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>
#include <QTest>

#include "PaletteTestFolder.h"
#include "model/PaletteFormats.h"
#include "palettes/NewPaletteDlg.h"
#include "palettes/OpenPaletteDlg.h"
#include "palettes/PaletteGrid.h"
#include "windows/ScriptedDialogs.h"

namespace {

class PaletteEditorTest : public ::testing::Test {
 protected:
  // An editor for an image of `bits` with `palette`, shown, its drags collected.
  std::unique_ptr<TfrmPaletteEditor> Open(const TPaletteRecord& palette, int bits) {
    auto editor = std::make_unique<TfrmPaletteEditor>(dialogs_);
    editor->SetEditPalette(palette);
    editor->ImageBitCount = bits;
    editor->OKActUpdate();
    editor->OnStartDrag = [this](std::unique_ptr<QMimeData> mime) { drags_.push_back(std::move(mime)); };
    editor->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(editor.get()));
    return editor;
  }

  // Answers the next "New palette" dialog with the item of that caption (or cancels).
  void ChooseNewSize(const QString& item, bool* warningShown = nullptr, int* preselected = nullptr) {
    dialogs_.DialogScripts.push_back([=](QDialog& d) {
      auto& dlg = static_cast<TfrmNewPalette&>(d);
      if (warningShown) *warningShown = dlg.lblWarning->isVisible();
      if (preselected) *preselected = dlg.cbPaletteSize->currentIndex();
      if (item.isEmpty()) return int(QDialog::Rejected);
      dlg.cbPaletteSize->setCurrentIndex(dlg.cbPaletteSize->findText(item));
      return int(QDialog::Accepted);
    });
  }

  // Presses the left button on `source` and moves it past the drag threshold.
  static void DragFrom(QWidget* source, QPoint at = {4, 4}) {
    QTest::mousePress(source, Qt::LeftButton, {}, at);
    for (const QPoint to : {at + QPoint(3, 0), at + QPoint(12, 0)}) {
      QMouseEvent e(QEvent::MouseMove, to, source->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                    Qt::NoModifier);
      QApplication::sendEvent(source, &e);
    }
    QTest::mouseRelease(source, Qt::LeftButton, {}, at + QPoint(12, 0));
  }

  // Drops the last drag on a cell of the editor's grid.
  bool DropOn(TfrmPaletteEditor& e, int col, int row) {
    return e.ColorGridDragDrop(drags_.back().get(), e.ColorGrid->CellRect(col, row).center());
  }

  static TPaletteRecord Numbered(int count) {
    TPaletteRecord pal;
    pal.Count = uint16_t(count);
    for (int i = 0; i < count; ++i) pal.SetColor(i, MakeColor(i & 0xFF, i >> 8, 7));
    return pal;
  }

  TPaletteTestFolder folder_;
  TScriptedDialogs dialogs_;
  std::vector<std::unique_ptr<QMimeData>> drags_;
};

TEST_F(PaletteEditorTest, NewSizesDecideWhetherThePaletteCanBeApplied) {
  TPaletteRecord pal;
  FillDefaultPalette(pal, 8);
  auto e = Open(pal, 8);
  EXPECT_EQ(e->ColorGrid->ColCount(), 8);
  EXPECT_EQ(e->ColorGrid->RowCount(), 32);
  EXPECT_TRUE(e->OKAct->isEnabled());
  bool warning = false;
  int preselected = -1;
  ChooseNewSize("16 colors (2x8)", &warning, &preselected);
  e->NewPaletteAct->trigger();
  EXPECT_TRUE(warning);
  EXPECT_EQ(preselected, 7);  // the image's own size
  EXPECT_EQ(e->EditPalette.Count, 16);
  EXPECT_EQ(e->EditPalette.Color(0), MakeColor(128, 128, 128));
  EXPECT_EQ(e->EditPalette.Color(4), MakeColor(168, 168, 168));
  EXPECT_EQ(e->ColorGrid->ColCount(), 2);
  EXPECT_FALSE(e->OKAct->isEnabled());
  ChooseNewSize("256 colors (8x32)");
  e->NewPaletteAct->trigger();
  EXPECT_TRUE(e->OKAct->isEnabled());
  ChooseNewSize("");  // cancelled: the palette stays
  e->NewPaletteAct->trigger();
  EXPECT_EQ(e->EditPalette.Count, 256);

  auto deep = Open(pal, 24);  // any size fits an image of more than 8 bits
  ChooseNewSize("2 colors  (2x1)", &warning);
  deep->NewPaletteAct->trigger();
  EXPECT_FALSE(warning);
  EXPECT_TRUE(deep->OKAct->isEnabled());
}

TEST_F(PaletteEditorTest, WithoutAnImageOnlySavingIsPossible) {
  TfrmPaletteEditor e(dialogs_);
  bool warning = true;
  int preselected = -1;
  ChooseNewSize("264 colors (8x33)", &warning, &preselected);
  e.NewPaletteActExecute();
  EXPECT_FALSE(warning);
  EXPECT_EQ(preselected, 8);
  EXPECT_EQ(e.EditPalette.Count, 264);
  EXPECT_FALSE(e.OKAct->isEnabled());
  dialogs_.DialogScripts.push_back([](QDialog& d) {
    d.findChild<QLineEdit*>("ePaletteName")->setText("Mine");
    return int(QDialog::Accepted);
  });
  e.SavePaletteActExecute();
  EXPECT_EQ(folder_.ReadRaw("Mine.plt").size(), 1060);
  EXPECT_TRUE(e.ImportPaletteFrame->lbPalettes->FileNames().contains("Mine.plt"));
}

TEST_F(PaletteEditorTest, EveryFileFormatOpensIntoTheEditorAndSavesBackAlike) {
  // Colours that a format rounding or reordering channels would change.
  TPaletteRecord pal;
  pal.Count = 5;
  const TColor colors[] = {MakeColor(1, 2, 3), MakeColor(255, 0, 128), MakeColor(0, 255, 7),
                           MakeColor(200, 100, 50), MakeColor(255, 255, 255)};
  for (int i = 0; i < 5; ++i) pal.SetColor(i, colors[i]);
  auto e = Open(Numbered(16), 8);
  for (const TPaletteFormatInfo& from : PaletteFormats()) {
    if (from.Format == TPaletteFormat::Velmora) continue;
    const QString stored = QString("in-%1%2").arg(from.Key, from.Extension);
    const std::string bytes = PaletteBytesAs(from.Format, pal, "In");
    folder_.WriteRaw(stored, QByteArray(bytes.data(), qsizetype(bytes.size())));
    dialogs_.DialogScripts.push_back([&](QDialog& d) {
      auto& dlg = static_cast<TfrmOpenPaletteDlg&>(d);
      EXPECT_TRUE(dlg.frmStoredPalettes->lbPalettes->SelectFile(stored)) << from.Key;
      return int(QDialog::Accepted);
    });
    e->SetEditPalette(Numbered(16));
    e->OpenPaletteAct->trigger();
    EXPECT_TRUE(SameEntries(e->EditPalette, pal)) << "opening " << from.Key;
    // The editor's own list of stored palettes offers it to take colours from, too.
    e->ImportPaletteFrame->lbPalettes->Reread();
    ASSERT_TRUE(e->ImportPaletteFrame->lbPalettes->SelectFile(stored)) << from.Key;
    EXPECT_TRUE(SameEntries(e->ImportPaletteFrame->Palette, pal)) << "listing " << from.Key;

    for (const TPaletteFormatInfo& to : PaletteFormats()) {
      const QString name = QString("out-%1-%2").arg(from.Key, to.Key);
      dialogs_.DialogScripts.push_back([&](QDialog& d) {
        auto& dlg = static_cast<TfrmOpenPaletteDlg&>(d);
        dlg.cbFormat->setCurrentIndex(dlg.cbFormat->findData(int(to.Format)));
        dlg.ePaletteName->setText(name);
        return int(QDialog::Accepted);
      });
      e->SavePaletteAct->trigger();
      const QString saved = name + (to.Format == TPaletteFormat::Velmora ? ".plt" : to.Extension);
      EXPECT_TRUE(e->ImportPaletteFrame->lbPalettes->IsUsable(saved)) << saved.toStdString();
      TPaletteRecord back;
      ReadPalette(QFile::encodeName(folder_.Path(saved)).toStdString(), back);
      EXPECT_TRUE(SameEntries(back, pal)) << saved.toStdString();
    }
  }
  EXPECT_TRUE(dialogs_.Shown("error").isEmpty()) << dialogs_.Shown("error").join('\n').toStdString();
}

TEST_F(PaletteEditorTest, RampRunsLandRowWiseAndColumnWiseWithWrapAround) {
  auto e = Open(Numbered(256), 8);  // 8 x 32 cells
  e->pnlBeginColor->SetColor(Qt::black);
  e->pnlEndColor->SetColor(Qt::white);
  ASSERT_EQ(e->eFromColor->value(), 0);
  ASSERT_EQ(e->eToColor->value(), 15);
  DragFrom(e->Panel4);  // "Drag as row"
  ASSERT_EQ(drags_.size(), 1u);
  ASSERT_TRUE(DropOn(*e, 6, 2));
  EXPECT_EQ(e->CellColor(6, 2), clBlack);
  EXPECT_EQ(e->CellColor(7, 2), MakeColor(16, 16, 16));
  EXPECT_EQ(e->CellColor(0, 3), MakeColor(34, 34, 34));
  EXPECT_EQ(e->CellColor(5, 4), clWhite);
  EXPECT_EQ(e->CellColor(6, 4), MakeColor(38, 0, 7));  // untouched
  e->eFromColor->setValue(14);
  DragFrom(e->Panel1);  // "Drag as column": 14 and 15 down from the last row
  ASSERT_TRUE(DropOn(*e, 3, 31));
  EXPECT_EQ(e->CellColor(3, 31), MakeColor(238, 238, 238));
  EXPECT_EQ(e->CellColor(4, 0), clWhite);
  EXPECT_EQ(e->EditPalette.Count, 256);
  e->eFromColor->setValue(9);
  e->eToColor->setValue(3);
  DragFrom(e->Panel1);  // an empty run changes nothing
  const TPaletteRecord before = e->EditPalette;
  ASSERT_TRUE(DropOn(*e, 0, 0));
  EXPECT_EQ(e->EditPalette, before);
}

TEST_F(PaletteEditorTest, AWholeStoredPaletteWrapsRoundASmallGrid) {
  folder_.Write("Big.plt", Numbered(264));
  auto e = Open(Numbered(16), 4);
  ASSERT_TRUE(e->ImportPaletteFrame->lbPalettes->SelectFile("Big.plt"));
  DragFrom(e->Panel6);
  ASSERT_TRUE(DropOn(*e, 0, 0));
  for (int p = 0; p < 16; ++p) EXPECT_EQ(e->EditPalette.Color(p), Numbered(264).Color(p < 8 ? 256 + p : 240 + p));
  EXPECT_EQ(e->EditPalette.Count, 16);
  EXPECT_TRUE(e->OKAct->isEnabled());
}

TEST_F(PaletteEditorTest, CellsOfTheGridSwapWhileOtherColoursOverwrite) {
  folder_.Write("Warm.plt4", TPaletteTestFolder::Ramp(4));
  auto e = Open(Numbered(16), 4);
  QWidget* grid = e->ColorGrid->viewport();
  DragFrom(grid, e->ColorGrid->CellRect(1, 0).center());  // entry 1
  ASSERT_EQ(drags_.size(), 1u);
  EXPECT_EQ(DragColorFrom(drags_[0].get()), (TDragColor{MakeColor(1, 0, 7), 0, 1}));
  ASSERT_TRUE(DropOn(*e, 0, 3));  // entry 6
  EXPECT_EQ(e->EditPalette.Color(6), MakeColor(1, 0, 7));
  EXPECT_EQ(e->EditPalette.Color(1), MakeColor(6, 0, 7));
  ASSERT_TRUE(e->ImportPaletteFrame->lbPalettes->SelectFile("Warm.plt4"));
  QWidget* stored = e->ImportPaletteFrame->ColorGrid->viewport();
  DragFrom(stored, e->ImportPaletteFrame->ColorGrid->CellRect(1, 1).center());  // entry 3
  ASSERT_TRUE(DropOn(*e, 0, 0));
  EXPECT_EQ(e->EditPalette.Color(0), MakeColor(3, 6, 9));
  EXPECT_EQ(e->EditPalette.Color(1), MakeColor(6, 0, 7));  // no swap
  EXPECT_EQ(e->lblIndexR->text(), "3");
  EXPECT_EQ(e->lblRGBR->text(), "3, 6, 9");
  // A drop beside the cells or of something else changes nothing.
  QMimeData text;
  text.setText("red");
  EXPECT_FALSE(e->ColorGridDragDrop(&text, e->ColorGrid->CellRect(0, 0).center()));
  EXPECT_FALSE(e->ColorGridDragOver(&text, e->ColorGrid->CellRect(0, 0).center()));
  EXPECT_TRUE(e->ColorGridDragOver(drags_.back().get(), e->ColorGrid->CellRect(1, 7).center()));
  EXPECT_EQ(e->StatPanels[2]->text(), "x=1 y=7");
}

TEST_F(PaletteEditorTest, ComposerSwatchesAndRampStayInStep) {
  auto e = Open(Numbered(16), 4);
  e->sbGreen->setValue(10);
  EXPECT_EQ(e->eGreen->value(), 10);
  EXPECT_EQ(e->pnlPreview->Color(), QColor(192, 10, 192));
  // A colour dropped on the preview sets the composer.
  DragFrom(e->ColorGrid->viewport(), e->ColorGrid->CellRect(0, 2).center());  // entry 4
  // Qt delivers a drop only to the widget that accepted the drag's entry.
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, drags_.back().get(), Qt::LeftButton, {});
  QApplication::sendEvent(e->pnlPreview, &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(5, 5), Qt::CopyAction, drags_.back().get(), Qt::LeftButton, {});
  QApplication::sendEvent(e->pnlPreview, &drop);
  EXPECT_EQ(e->eRed->value(), 4);
  EXPECT_EQ(e->sbBlue->value(), 7);
  // Fewer steps pull "To" back onto the ramp.
  e->eSteps->setValue(8);
  EXPECT_EQ(e->eToColor->value(), 7);
  e->eFromColor->setValue(200);
  EXPECT_EQ(e->eFromColor->value(), 7);
  // Three steps of red to blue: cells of 86, 85 and 85 pixels.
  e->pnlBeginColor->SetColor(QColor(255, 0, 0));
  e->pnlEndColor->SetColor(QColor(0, 0, 255));
  e->eSteps->setValue(3);
  const QImage ramp = e->pbxSmooth->grab().toImage();
  EXPECT_EQ(PixelOf(ramp, 85, 5), MakeColor(255, 0, 0));
  EXPECT_EQ(PixelOf(ramp, 86, 5), MakeColor(128, 0, 128));
  EXPECT_EQ(PixelOf(ramp, 171, 5), MakeColor(0, 0, 255));
  EXPECT_EQ(e->RampPixelColor({170, 3}), MakeColor(128, 0, 128));
  DragFrom(e->pbxSmooth, {200, 10});
  EXPECT_EQ(DragColorFrom(drags_.back().get())->Color, MakeColor(0, 0, 255));
  EXPECT_EQ(e->StatPanels[0]->text(), "RGB: 0,0,255");
}

TEST_F(PaletteEditorTest, ControlsAreNamedForAssistiveTechnology) {
  auto e = Open(Numbered(16), 4);
  const auto check = [](QWidget* w, const QString& name, QAccessible::Role role) {
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(w);
    ASSERT_TRUE(a) << name.toStdString();
    EXPECT_EQ(a->text(QAccessible::Name), name);
    EXPECT_EQ(a->role(), role) << name.toStdString();
  };
  check(e->ColorGrid, "Color palette", QAccessible::Table);
  check(e->pnlPreview, "Preview", QAccessible::Button);
  check(e->pnlBeginColor, "Begin color", QAccessible::Button);
  check(e->pbxSmooth, "Smooth colors", QAccessible::Graphic);
  check(e->Panel1, "Drag as column", QAccessible::Grip);
  check(e->Panel6, "Drag all palette", QAccessible::Grip);
  check(e->eSteps, "Steps", QAccessible::SpinBox);
  check(e->eRed, "R", QAccessible::SpinBox);
  check(e->sbRed, "Red", QAccessible::ScrollBar);
}

}  // namespace
