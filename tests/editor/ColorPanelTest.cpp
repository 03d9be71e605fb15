#include "documents/DocWinFixture.h"
#include "model/Errors.h"
#include "render/ColorMath.h"

namespace {

class ColorStateTest : public DocWinTest {
 protected:
  // A new bitmap of the depth, with a palette of `entries` colours when given.
  TWorkImage* NewImage(TMainForm& form, int bits, int entries = 0) {
    TPaletteRecord palette;
    FillDefaultPalette(palette, bits);
    if (entries) palette.Count = uint16_t(entries);
    QTreeWidgetItem* node = form.Navigator->NewDocument(
        QString("Noname%1.bmp").arg(form.Navigator->NextNonameNumber() + 1), 4, 4, bits, false,
        entries ? &palette : nullptr);
    form.Documents().NavigatorPicTreeChange(node);
    Settle();
    return NodeImage(node);
  }

  static QSize GridShape(TMainForm& form) {
    return {form.Editor().Colors().ColorGrid->ColCount(),
            form.Editor().Colors().ColorGrid->RowCount()};
  }

  static void ClickCell(TMainForm& form, int col, int row, Qt::MouseButton button) {
    const QRect cell = form.Editor().Colors().ColorGrid->CellRect(col, row);
    QTest::mouseClick(form.Editor().Colors().ColorGrid->viewport(), button, Qt::NoModifier,
                      cell.center());
  }
};

TEST_F(ColorStateTest, GridShapeFollowsThePaletteSize) {
  auto form = Start();
  const std::pair<int, int> cases[] = {{1, 0}, {4, 0}, {8, 17}, {8, 32}, {8, 33}, {8, 0}, {24, 0}};
  const QSize shapes[] = {{2, 1}, {2, 8}, {4, 5}, {4, 8}, {8, 5}, {8, 32}, {8, 33}};
  for (size_t i = 0; i < std::size(cases); ++i) {
    NewImage(*form, cases[i].first, cases[i].second);
    EXPECT_EQ(GridShape(*form), shapes[i]) << i;
  }
}

TEST_F(ColorStateTest, CellsFillTheGridWithTheLeftoverOnTheFirstColumnsAndRows) {
  auto form = Start();
  NewImage(*form, 8);
  form->Editor().Colors().ColorGrid->resize(97, 295);
  EXPECT_EQ(form->Editor().Colors().ColorGrid->ColWidth(0), 13);
  for (int c = 1; c < 8; ++c) EXPECT_EQ(form->Editor().Colors().ColorGrid->ColWidth(c), 12) << c;
  for (int r = 0; r < 32; ++r)
    EXPECT_EQ(form->Editor().Colors().ColorGrid->RowHeight(r), r < 7 ? 10 : 9) << r;
  // Cells never grow beyond 20 x 20, and then nothing is spread.
  NewImage(*form, 1);
  form->Editor().Colors().ColorGrid->resize(97, 295);
  EXPECT_EQ(form->Editor().Colors().ColorGrid->ColWidth(0), 20);
  EXPECT_EQ(form->Editor().Colors().ColorGrid->RowHeight(0), 20);
  // Neighbouring cells share their outline: the first cell reaches one pixel into the second.
  const QImage shown = form->Editor().Colors().ColorGrid->viewport()->grab().toImage();
  EXPECT_EQ(shown.pixelColor(20, 5), QColor(96, 96, 96));
  EXPECT_EQ(shown.pixelColor(5, 5), QColor(0, 0, 0));
}

TEST_F(ColorStateTest, GridPicksWithLeftAndRightButtonOnly) {
  auto form = Start();
  TWorkImage* image = NewImage(*form, 8, 17);
  const TPaletteRecord& pal = image->GetPalette();
  ClickCell(*form, 3, 0, Qt::LeftButton);
  EXPECT_EQ(form->Editor().Colors().CurrentLeftColor(), pal.Color(3));
  ClickCell(*form, 1, 1, Qt::RightButton);
  EXPECT_EQ(form->Editor().Colors().CurrentRightColor(), pal.Color(5));
  EXPECT_EQ(form->Editor().Colors().MColor->Color(),
            ColorToQColor(MiddleColor(pal.Color(3), pal.Color(5))));
  ClickCell(*form, 0, 2, Qt::MiddleButton);
  EXPECT_EQ(form->Editor().Colors().CurrentLeftColor(), pal.Color(3));
  EXPECT_EQ(form->Editor().Colors().CurrentRightColor(), pal.Color(5));
  // Past the palette the grid offers silver, snapped to the palette.
  ClickCell(*form, 2, 4, Qt::LeftButton);
  EXPECT_EQ(form->Editor().Colors().CurrentLeftColor(), NearestPaletteColor(clSilver, pal));
  // The readout follows the pointer over the grid and clears past the palette.
  QTest::mouseMove(form->Editor().Colors().ColorGrid->viewport(),
                   form->Editor().Colors().ColorGrid->CellRect(0, 1).center());
  EXPECT_EQ(form->StatusText(0), ColorReadoutText(pal.Color(4)));
  QTest::mouseMove(form->Editor().Colors().ColorGrid->viewport(),
                   form->Editor().Colors().ColorGrid->CellRect(3, 4).center());
  EXPECT_EQ(form->StatusText(0), "");
  EXPECT_EQ(form->Editor().Colors().PreviewCol->Color(), QColor(192, 192, 192));
}

TEST_F(ColorStateTest, SwapMiddleAndPerImageColours) {
  auto form = Start();
  TWorkImage* first = NewImage(*form, 4);
  form->Editor().Colors().ApplyLeftColor(MakeColor(255, 0, 0));
  form->Editor().Colors().ApplyRightColor(MakeColor(0, 0, 255));
  const TColor left = form->Editor().Colors().CurrentLeftColor(),
               right = form->Editor().Colors().CurrentRightColor();
  form->Editor().Colors().UpdateMiddleColor();
  const QColor middle = form->Editor().Colors().MColor->Color();
  Trigger(*form, "SwapColors");
  EXPECT_EQ(form->Editor().Colors().CurrentLeftColor(), right);
  EXPECT_EQ(form->Editor().Colors().MColor->Color(), middle);
  Trigger(*form, "SwapColors");
  EXPECT_EQ(form->Editor().Colors().CurrentLeftColor(), left);
  EXPECT_EQ(form->Editor().Colors().CurrentRightColor(), right);
  // The middle swatch hands its colour to the left (left button) or right working colour.
  QTest::mouseClick(form->Editor().Colors().MColor, Qt::LeftButton);
  EXPECT_EQ(form->Editor().Colors().CurrentLeftColor(), first->NearestColor(QColorToColor(middle)));
  // Another image has its own pair; coming back restores the first one's.
  NewImage(*form, 24);
  EXPECT_EQ(form->Editor().Colors().CurrentLeftColor(), clBlack);
  EXPECT_EQ(form->Editor().Colors().LeftColPanel->Color(), QColor(0, 0, 0));
  form->Navigator->Select(Node(*form, 0));
  EXPECT_EQ(form->Editor().Session().CurrentImage(), first);
  EXPECT_EQ(form->Editor().Colors().RightColPanel->Color(), ColorToQColor(right));
}

TEST_F(ColorStateTest, TransparentAndInvertingColoursOfASubIcon) {
  auto form = Start();
  ASSERT_TRUE(form->Files().TryOpenFile(MakeIcon("i.ico", {{16, 4}})));
  form->UpdateActions();
  EXPECT_FALSE(form->Act("GetInvColorAct").isEnabled());  // the icon itself is current
  form->Navigator->Select(Node(*form, 0, 0));
  form->UpdateActions();
  ASSERT_TRUE(form->Act("GetInvColorAct").isEnabled());
  ASSERT_TRUE(form->Act("GetTranspColAct").isEnabled());
  Trigger(*form, "GetTranspColAct");
  EXPECT_EQ(form->Editor().Colors().CurrentRightColor(), IconTransparentColor);
  Trigger(*form, "GetInvColorAct");
  EXPECT_EQ(form->Editor().Colors().CurrentLeftColor(), IconInvertColor);
  EXPECT_EQ(form->Editor().Colors().MColor->Color(),
            ColorToQColor(MiddleColor(IconInvertColor, IconTransparentColor)));
}

TEST_F(ColorStateTest, SwatchClicksAskThePaletteColourHook) {
  auto form = Start();
  TWorkImage* image = NewImage(*form, 8);
  struct TAsked {
    uint16_t Count;
    TColor Initial;
    bool More;
  };
  std::vector<TAsked> asked;
  std::optional<TColor> answer = image->GetPalette().Color(40);
  form->Editor().Colors().PickPaletteColorHook = [&](const TPaletteRecord& pal, TColor initial,
                                                     bool more) {
    asked.push_back({pal.Count, initial, more});
    return answer;
  };
  QTest::mouseClick(form->Editor().Colors().LeftColPanel, Qt::LeftButton, Qt::NoModifier, {5, 5});
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].Count, 256);
  EXPECT_EQ(asked[0].Initial, clBlack);
  EXPECT_FALSE(asked[0].More);
  EXPECT_EQ(form->Editor().Colors().CurrentLeftColor(), image->GetPalette().Color(40));
  EXPECT_EQ(form->Editor().Colors().MColor->Color(),
            ColorToQColor(MiddleColor(image->GetPalette().Color(40),
                                      form->Editor().Colors().CurrentRightColor())));
  // A cancelled dialog changes nothing; deeper images offer "More...".
  NewImage(*form, 24);
  answer.reset();
  QTest::mouseClick(form->Editor().Colors().RightColPanel, Qt::LeftButton, Qt::NoModifier,
                    {35, 35});
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[1].Initial, clWhite);
  EXPECT_TRUE(asked[1].More);
  EXPECT_EQ(form->Editor().Colors().CurrentRightColor(), clWhite);
}

TEST_F(ColorStateTest, PaletteIndexPastTheEndIsAnError) {
  auto form = Start();
  TWorkImage* image = NewImage(*form, 1);
  EXPECT_EQ(TColorPanel::PaletteColor(image, 1), image->GetPalette().Color(1));
  for (const TSelectBitmap* target :
       {static_cast<const TSelectBitmap*>(image), static_cast<const TSelectBitmap*>(nullptr)}) {
    try {
      TColorPanel::PaletteColor(target, 2);
      ADD_FAILURE();
    } catch (const EVelmoraError& e) {
      EXPECT_STREQ(e.what(), "Out of range palette index.");
    }
  }
}

}  // namespace
