#include <QCursor>
#include <QScrollBar>
#include <QWheelEvent>

#include "documents/DocWinFixture.h"
#include "editor/ZoomMouse.h"
#include "render/ColorMath.h"

namespace {

constexpr TColor Red = MakeColor(255, 0, 0);
constexpr TColor Blue = MakeColor(0, 0, 255);

TColor ViewAt(TMainForm& form, int x, int y) {
  return PixelToColor(form.Editor().View().ViewBitmap.Pixel(x, y));
}

class ZoomViewTest : public DocWinTest {
 protected:
  std::unique_ptr<TMainForm> Open(const QString& path, int zoomIndex) {
    auto form = Start();
    form->Editor().View().ZoomCombo->setCurrentIndex(zoomIndex);
    EXPECT_TRUE(form->Files().TryOpenFile(path));
    Settle();
    return form;
  }
};

TEST_F(ZoomViewTest, OnePixelAt1600PercentIsCentredIn17By17) {
  auto form = Open(MakeBitmap("dot.bmp", 1, 1, 24, Red), 4);
  EXPECT_EQ(form->Editor().View().ZoomFactor, 16);
  EXPECT_EQ(form->Editor().View().ZoomBox->size(), QSize(17, 17));
  EXPECT_EQ(form->Editor().View().ViewBitmap.Width(), 17);
  const QSize panel = form->Editor().View().ZoomPanel->size();
  EXPECT_EQ(form->Editor().View().ZoomBox->pos(),
            QPoint((panel.width() - 16) / 2, (panel.height() - 16) / 2));
  EXPECT_EQ(ViewAt(*form, 8, 8), Red);
  EXPECT_EQ(ViewAt(*form, 0, 8), MakeColor(128, 128, 128));
  EXPECT_TRUE(form->Editor().View().HScr->isHidden());
  EXPECT_TRUE(form->Editor().View().VScr->isHidden());
  // What the zoom box shows on the screen is the rendered view.
  const QImage shown = form->Editor().View().ZoomBox->grab().toImage();
  EXPECT_EQ(shown.pixelColor(8, 8), QColor(255, 0, 0));
  EXPECT_EQ(shown.pixelColor(16, 3), QColor(128, 128, 128));
}

TEST_F(ZoomViewTest, TheBarShowsWhenThePictureIsExactlyAsWideAsThePanel) {
  auto form = Start();
  form->Editor().View().ZoomCombo->setCurrentIndex(0);
  form->Splitter1->show();  // the colour panel takes its room, as with any current image
  Settle();
  const int width = form->Editor().View().ZoomPanel->width();
  for (int w : {width - 1, width}) {
    ASSERT_TRUE(form->Files().TryOpenFile(MakeBitmap(QString("w%1.bmp").arg(w), w, 10)));
    Settle();
    EXPECT_EQ(form->Editor().View().HScr->isHidden(), w < width) << w;
    if (w == width) {
      EXPECT_EQ(form->Editor().View().HScr->maximum(), 0);  // the only position is 0
      EXPECT_EQ(form->Editor().View().ZoomBox->x(), 0);
    }
  }
}

TEST_F(ZoomViewTest, ScrollingShowsTheImagePartAndStopsAtTheEnd) {
  auto form = Open(
      MakeImage("wide.bmp", 300, 200, 24, [](int x, int y) { return MakeColor(x % 256, y, 0); }),
      3);
  ASSERT_FALSE(form->Editor().View().HScr->isHidden());
  const int columns = (form->Editor().View().ViewBitmap.Width() - 1) / 8;
  EXPECT_EQ(form->Editor().View().HScr->maximum(), 300 - columns);
  form->Editor().View().HScr->setValue(10000);
  EXPECT_EQ(form->Editor().View().HScr->value(), 300 - columns);
  form->Editor().View().VScr->setValue(5);
  const TRect v = form->Editor().View().VisibleRect();
  EXPECT_EQ(v.Right, 300);
  EXPECT_EQ(v.Top, 5);
  // View cell (1, 2) shows image pixel (left + 1, top + 2).
  EXPECT_EQ(ViewAt(*form, 8 + 3, 16 + 3), MakeColor((v.Left + 1) % 256, 7, 0));
  EXPECT_EQ(form->Editor().View().PressToImage({8 + 7, 16}), (TPoint{v.Left + 1, 7}));
}

TEST_F(ZoomViewTest, ZoomCommandsFollowTheListAndTheImage) {
  auto form = Start();
  form->UpdateActions();
  EXPECT_FALSE(form->Act("ZoomInAct").isEnabled());
  EXPECT_FALSE(form->Act("ZoomOutAct").isEnabled());
  EXPECT_FALSE(form->Editor().View().ZoomCombo->isEnabled());
  ASSERT_TRUE(form->Files().TryOpenFile(MakeBitmap("a.bmp", 4, 4)));
  form->Editor().View().ZoomCombo->setCurrentIndex(4);
  form->UpdateActions();
  EXPECT_FALSE(form->Act("ZoomInAct").isEnabled());
  EXPECT_TRUE(form->Editor().View().ZoomCombo->isEnabled());
  for (int i = 0; i < 4; ++i) Trigger(*form, "ZoomOutAct");
  EXPECT_EQ(form->Editor().View().ZoomCombo->currentText(), "100%");
  EXPECT_EQ(form->Editor().View().ZoomBox->size(), QSize(5, 5));
  form->UpdateActions();
  EXPECT_FALSE(form->Act("ZoomOutAct").isEnabled());
  Trigger(*form, "ZoomInAct");
  EXPECT_EQ(form->Editor().View().ZoomFactor, 2);
  EXPECT_EQ(form->Editor().View().ZoomBox->size(), QSize(9, 9));
}

TEST_F(ZoomViewTest, GridToggleAndTransparentHatch) {
  const QString path = FilePath("t.gif");
  {
    TWorkGifImage gif;
    gif.InitImage(2, 1, nullptr, 4);
    gif.EditImage().Fill(ColorToPixel(gif.GetPalette().Color(9)));
    gif.EditImage().SetPixel(1, 0, ColorToPixel(gif.GetPalette().Color(0)));
    gif.SetTransparent(true);
    gif.SetTransparentColor(gif.GetPalette().Color(0));
    gif.SaveToFile(Local(path));
  }
  auto form = Open(path, 3);
  const TColor grid = MakeColor(128, 128, 128), back = MakeColor(192, 192, 192);
  EXPECT_EQ(ViewAt(*form, 0, 3), grid);
  EXPECT_EQ(ViewAt(*form, 8 + 3, 3), back ^ 0xFFFFFF);  // the hatch at 800%: 3 mod 4 = 3
  EXPECT_EQ(ViewAt(*form, 8 + 2, 3), back);
  Trigger(*form, "ToggleGridAct");
  EXPECT_FALSE(form->Editor().View().GridVisible);
  EXPECT_NE(ViewAt(*form, 0, 3), grid);
  EXPECT_EQ(ViewAt(*form, 16, 3), grid);  // the closing line stays
}

TEST_F(ZoomViewTest, TheOutlineTimerRunsOnlyWhileAnEdgeIsVisible) {
  auto form = Open(MakeBitmap("big.bmp", 400, 300), 3);
  form->Editor().Session().WorkingCopy()->EditMask().SetSelected(2, 2, true);
  form->Editor().View().RenderView(true);
  EXPECT_TRUE(form->Editor().View().Timer1->isActive());
  const uint32_t pattern = form->Editor().View().DashPattern;
  form->Editor().View().Timer1Timer();
  EXPECT_EQ(form->Editor().View().DashPattern, (pattern << 1) | (pattern >> 31));
  form->Editor().View().HScr->setValue(50);  // the selection scrolls out of view
  EXPECT_FALSE(form->Editor().View().Timer1->isActive());
  form->Editor().View().HScr->setValue(0);
  EXPECT_TRUE(form->Editor().View().Timer1->isActive());
  // A hidden outline makes the button's picture cycle through 13, 14 and 15.
  Trigger(*form, "ToggleSelectAct");
  EXPECT_FALSE(form->Editor().View().OutlineVisible);
  std::vector<int> seen;
  for (int i = 0; i < 4; ++i) {
    form->Editor().View().Timer1Timer();
    seen.push_back(form->Editor().View().SelectImageIndex);
  }
  EXPECT_EQ(seen, (std::vector<int>{14, 15, 13, 14}));
  Trigger(*form, "ToggleSelectAct");
  form->Editor().View().Timer1Timer();
  EXPECT_EQ(form->Editor().View().SelectImageIndex, 13);
}

TEST_F(ZoomViewTest, DraggingBeyondTheRightEdgeScrollsByAQuarterView) {
  auto form = Open(MakeBitmap("big.bmp", 400, 300), 3);
  const int w = form->Editor().View().ZoomBox->width();
  const int x = w + 40;
  const QPoint back = form->Editor().View().AutoScrollDrag({x, 10});
  const int scrolled = (x - (w - w / 4)) / 8;
  EXPECT_EQ(form->Editor().View().HScr->value(), scrolled);
  EXPECT_EQ(back, QPoint(x - scrolled * 8, 10));
  EXPECT_TRUE(form->Editor().View().ScrollRepaint);
  // Inside the box nothing scrolls.
  EXPECT_EQ(form->Editor().View().AutoScrollDrag({5, 5}), QPoint(5, 5));
  EXPECT_EQ(form->Editor().View().HScr->value(), scrolled);
}

TEST_F(ZoomViewTest, ShiftSnapsToDiagonalsSlopesAndAxes) {
  auto form = Open(MakeBitmap("big.bmp", 40, 40), 3);
  form->Editor().View().AnchorPoint = {0, 0};
  const auto snap = [&](int x, int y) {
    return form->Editor().View().ClampAndConstrain(x, y, Qt::ShiftModifier);
  };
  EXPECT_EQ(snap(10, 3), (TPoint{10, 5}));
  EXPECT_EQ(snap(10, 1), (TPoint{10, 0}));
  EXPECT_EQ(snap(9, 8), (TPoint{9, 9}));
  EXPECT_EQ(snap(9, 4), (TPoint{9, 4}));
  EXPECT_EQ(form->Editor().View().ClampAndConstrain(-5, 99, Qt::NoModifier), (TPoint{0, 39}));
  // Leftwards the snapped offset is truncated toward zero; the axis case keeps the anchor.
  form->Editor().View().AnchorPoint = {20, 20};
  EXPECT_EQ(snap(17, 29), (TPoint{16, 29}));
  EXPECT_EQ(snap(17, 45), (TPoint{20, 39}));
}

TEST_F(ZoomViewTest, PointerShowsPositionAndColourAndCtrlClickPicks) {
  auto form = Open(
      MakeImage("p.bmp", 8, 8, 24, [](int x, int y) { return x == 3 && y == 4 ? Blue : clWhite; }),
      3);
  QTest::mouseMove(form->Editor().View().ZoomBox, {3 * 8 + 4, 4 * 8 + 4});
  EXPECT_EQ(form->StatusText(1), "X: 3  Y: 4");
  EXPECT_EQ(form->StatusText(0), ColorReadoutText(Blue));
  EXPECT_EQ(form->Editor().Colors().PreviewCol->Color(), QColor(0, 0, 255));
  QTest::mouseClick(form->Editor().View().ZoomBox, Qt::RightButton, Qt::ControlModifier,
                    {3 * 8 + 4, 4 * 8 + 4});
  EXPECT_EQ(form->Editor().Colors().CurrentRightColor(), Blue);
  EXPECT_EQ(form->Editor().Colors().RightColPanel->Color(), QColor(0, 0, 255));
  EXPECT_EQ(form->Editor().View().PositionText(12, 3, true), "X: 12     Y: 3");
  // The zoom box's mouse goes to the target set last, in place of the active tool.
  struct TCountingTarget : IZoomMouse {
    int Downs = 0;
    void MouseDown(Qt::MouseButton, const QPoint&, Qt::KeyboardModifiers) override { ++Downs; }
    void MouseMove(const QPoint&, Qt::KeyboardModifiers) override {}
    void MouseUp() override {}
    bool Dragging() const override { return false; }
  } target;
  TZoomView& view = form->Editor().View();
  view.SetMouseTarget(&target);
  QTest::mouseClick(view.ZoomBox, Qt::LeftButton, Qt::ControlModifier, {4, 4});
  EXPECT_EQ(target.Downs, 1);
  EXPECT_EQ(form->Editor().Colors().CurrentLeftColor(), clBlack);
  view.SetMouseTarget(form->Editor().Tools().ActiveTool());
}

TEST_F(ZoomViewTest, PreviewShowsThePictureAtOneToOne) {
  auto form = Open(MakeImage("p.bmp", 12, 7, 24, [](int x, int) { return x < 6 ? Red : Blue; }), 3);
  EXPECT_EQ(form->Editor().View().ViewImg->size(), QSize(12, 7));
  const QImage shown = form->Editor().View().ViewImg->grab().toImage();
  EXPECT_EQ(shown.pixelColor(2, 2), QColor(255, 0, 0));
  EXPECT_EQ(shown.pixelColor(9, 6), QColor(0, 0, 255));
}

}  // namespace

namespace {

void Wheel(QWidget* target, QPoint at, QPoint angle, Qt::KeyboardModifiers shift = Qt::NoModifier) {
  QWheelEvent event(at, target->mapToGlobal(at), QPoint(), angle, Qt::NoButton, shift,
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(target, &event);
}

}  // namespace

TEST_F(ZoomViewTest, TheWheelScrollsAndCtrlWheelZoomsAboutThePointer) {
  auto form = Open(MakeImage("grid.bmp", 200, 200, 24,
                             [](int x, int y) { return MakeColor(x, y, 0); }),
                   3);
  TZoomView& view = form->Editor().View();
  ASSERT_FALSE(view.VScr->isHidden());
  ASSERT_FALSE(view.HScr->isHidden());
  // One notch down: 48 screen pixels, 6 image pixels at 800 %.
  Wheel(view.ZoomBox, {40, 40}, {0, -120});
  EXPECT_EQ(view.VScr->value(), 6);
  EXPECT_EQ(view.HScr->value(), 0);
  Wheel(view.ZoomBox, {40, 40}, {0, -120}, Qt::ShiftModifier);
  EXPECT_EQ(view.HScr->value(), 6);
  Wheel(view.ZoomBox, {40, 40}, {0, 120});
  EXPECT_EQ(view.VScr->value(), 0);
  // Ctrl and a notch up zoom in; the pixel under the pointer stays under it.
  const QPoint at(83, 52);
  const TPoint before = view.PointerToImage(at);
  Wheel(view.ZoomBox, at, {0, 120}, Qt::ControlModifier);
  EXPECT_EQ(view.ZoomFactor, 16);
  EXPECT_EQ(view.ZoomCombo->currentIndex(), 4);
  ASSERT_EQ(view.ZoomBox->pos(), QPoint(0, 0));
  const TPoint after = view.PointerToImage(at);
  EXPECT_NEAR(after.X, before.X, 1);
  EXPECT_NEAR(after.Y, before.Y, 1);
  Wheel(view.ZoomBox, at, {0, 120}, Qt::ControlModifier);  // already the largest zoom
  EXPECT_EQ(view.ZoomCombo->currentIndex(), 4);
  Wheel(view.ZoomBox, at, {0, -240}, Qt::ControlModifier);
  EXPECT_EQ(view.ZoomCombo->currentIndex(), 2);
}
