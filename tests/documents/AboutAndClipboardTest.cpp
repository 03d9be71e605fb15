#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>

#include "documents/AboutBox.h"
#include "documents/ActionList.h"
#include "documents/MainFormFixture.h"
#include "documents/QtClipboard.h"

namespace {

TEST_F(MainFormTest, AboutBoxScrollsItsTitleAndCloses) {
  auto form = Start();
  form->UpdateActions();
  bool checked = false;
  dialogs_.DialogScripts.push_back([&](QDialog& dialog) {
    auto& box = dynamic_cast<TAboutBox&>(dialog);
    EXPECT_EQ(box.windowTitle(), "About");
    EXPECT_EQ(box.CloseBtn->text(), "Close");
    EXPECT_TRUE(box.Title->Running());
    const int before = box.Title->Offset();
    QTest::qWait(5 * TScrollingTitle::StepMs);
    EXPECT_GT(box.Title->Offset(), before);
    QTest::mouseClick(box.CloseBtn, Qt::LeftButton);
    checked = true;
    return box.result();
  });
  form->Act("About1").trigger();
  EXPECT_TRUE(checked);
  EXPECT_EQ(dialogs_.Shown("dialog"), QStringList{"AboutBox"});
}

TEST(ScrollingTitle, StepsComeRoundAgain) {
  TScrollingTitle title("Velmora");
  title.resize(50, 20);
  int maxOffset = 0;
  for (int i = 0; i < 1000; ++i) {
    title.Step();
    maxOffset = std::max(maxOffset, title.Offset());
  }
  EXPECT_LT(title.Offset(), maxOffset + 1);
  EXPECT_LT(maxOffset, 1000);  // it wrapped
}

TEST(QtClipboard, PixelWordsSurviveTheDesktopClipboard) {
  TSurface surface(3, 2);
  surface.SetPixel(0, 0, 0x0000FF);  // blue in the low byte
  surface.SetPixel(1, 0, 0xF707F7);
  surface.SetPixel(2, 1, 0x123456);
  TQtClipboard clipboard;
  clipboard.SetBitmap(surface);
  ASSERT_TRUE(clipboard.HasBitmap());
  const auto back = clipboard.GetBitmap();
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(*back, surface);
  const QImage image = TQtClipboard::ToImage(surface);
  EXPECT_EQ(QColor(image.pixel(0, 0)), QColor(0, 0, 255));
  QGuiApplication::clipboard()->clear();
  EXPECT_FALSE(clipboard.HasBitmap());
  EXPECT_FALSE(clipboard.GetBitmap().has_value());
}

TEST(QtClipboard, OtherProgramsSeeUnselectedPixelsTransparent) {
  TSurface surface(2, 1);
  surface.SetPixel(0, 0, 0x123456);
  surface.SetPixel(1, 0, ClipboardKeyColor);
  const QImage image = TQtClipboard::ToImage(surface);
  EXPECT_TRUE(image.hasAlphaChannel());
  EXPECT_EQ(image.pixel(0, 0), 0xFF123456u);
  EXPECT_EQ(qAlpha(image.pixel(1, 0)), 0);
}

TEST(QtClipboard, AlphaTravelsBothWaysAndClearPixelsAreTheKey) {
  QImage argb(4, 1, QImage::Format_ARGB32);
  argb.setPixel(0, 0, qRgba(10, 20, 30, 255));
  argb.setPixel(1, 0, qRgba(10, 20, 30, 127));
  argb.setPixel(2, 0, qRgba(10, 20, 30, 128));
  argb.setPixel(3, 0, qRgba(10, 20, 30, 0));
  const TSurface surface = TQtClipboard::FromImage(argb);
  EXPECT_EQ(surface.Pixel(0, 0), 0x0A141Eu);
  EXPECT_EQ(surface.Pixel(1, 0), WithAlpha(0x0A141E, 127));
  EXPECT_EQ(surface.Pixel(2, 0), WithAlpha(0x0A141E, 128));
  EXPECT_EQ(surface.Pixel(3, 0), ClipboardKeyColor);
  const QImage back = TQtClipboard::ToImage(surface);
  for (int x = 0; x < 3; ++x) EXPECT_EQ(back.pixel(x, 0), argb.pixel(x, 0)) << x;
  EXPECT_EQ(back.pixel(3, 0), ClipboardKeyColor);  // alpha 0 under the key
  // Pictures without alpha are taken whole.
  EXPECT_EQ(TQtClipboard::FromImage(argb.convertToFormat(QImage::Format_RGB32)).Pixel(1, 0),
            0x0A141Eu);
}

}  // namespace
