#include <gtest/gtest.h>

#include "controls/Pictures.h"

namespace {

bool HasInk(const QImage& image) {
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qAlpha(image.pixel(x, y)) != 0) return true;
  return false;
}

// At 2x every picture pixel is a 2 x 2 block: the picture is as crisp as at 1x.
bool DoubledExactly(const QImage& one, const QImage& two) {
  for (int y = 0; y < one.height(); ++y)
    for (int x = 0; x < one.width(); ++x)
      for (int d = 0; d < 4; ++d)
        if (two.pixel(2 * x + d % 2, 2 * y + d / 2) != one.pixel(x, y)) return false;
  return true;
}

TEST(Pictures, EveryCommandIconIsDrawnAtBothScales) {
  const QStringList names = Pictures::CommandIconNames();
  EXPECT_GE(names.size(), 60);
  for (const QString& name : names) {
    const QImage one = Pictures::CommandImage(name, 1), two = Pictures::CommandImage(name, 2);
    EXPECT_EQ(one.size(), QSize(16, 16)) << qPrintable(name);
    EXPECT_EQ(two.size(), QSize(32, 32)) << qPrintable(name);
    EXPECT_TRUE(HasInk(one)) << qPrintable(name);
    EXPECT_TRUE(DoubledExactly(one, two)) << qPrintable(name);
    EXPECT_FALSE(Pictures::CommandIcon(name).isNull());
  }
  EXPECT_TRUE(Pictures::CommandIcon("NoSuchCommand").isNull());
}

TEST(Pictures, FourteenNodeIconsAndTheFloatingOnesDiffer) {
  for (int i = 0; i < Pictures::NodeIconCount; ++i) {
    EXPECT_TRUE(HasInk(Pictures::NodeImage(i, 1))) << i;
    if (i < Pictures::FloatingNodeOffset) {
      EXPECT_NE(Pictures::NodeImage(i, 1),
                Pictures::NodeImage(i + Pictures::FloatingNodeOffset, 1));
    }
  }
  EXPECT_TRUE(Pictures::NodeIcon(Pictures::NodeIconCount).isNull());
}

TEST(Pictures, CursorsHaveTheirHotSpotOnTheirInk) {
  Pictures::LoadCursors();
  for (int slot = 1; slot <= Pictures::CursorCount; ++slot) {
    const QString name = Pictures::CursorResourceName(slot);
    const QImage image = Pictures::CursorImage(name, 1);
    const QPoint hot = Pictures::CursorHotSpot(name);
    ASSERT_EQ(image.size(), QSize(32, 32)) << qPrintable(name);
    EXPECT_TRUE(image.rect().contains(hot)) << qPrintable(name);
    // The hot spot is on the drawn shape or right beside it (the centre of a cross is open).
    bool near = false;
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx)
        if (image.rect().contains(hot + QPoint(dx, dy)) &&
            qAlpha(image.pixel(hot + QPoint(dx, dy))))
          near = true;
    EXPECT_TRUE(near) << qPrintable(name);
    EXPECT_EQ(Pictures::Cursor(slot).shape(), Qt::BitmapCursor);
  }
  EXPECT_EQ(Pictures::LoadCursor("CR_NOPE").shape(), Qt::ArrowCursor);
  EXPECT_EQ(Pictures::CursorResourceName(4), "CR_PICK");
}

}  // namespace
