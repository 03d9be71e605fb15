#include "model/WindowPlacement.h"

#include <gtest/gtest.h>

namespace {

const TRect Primary{0, 0, 1920, 1040};   // available area under a panel
const TRect Second{1920, 0, 3200, 1024};  // a smaller screen to the right

TEST(WindowPlacement, AnAbsurdSizeIsLimitedToTheScreenItStartsOn) {
  EXPECT_EQ(FitWindowToScreens({0, 0, 100000, 100000}, {Primary, Second}), Primary);
  EXPECT_EQ(FitWindowToScreens({-50000, -50000, 50000, 50000}, {Primary}), Primary);
  // Mostly on the second screen: it takes that one's size and place.
  EXPECT_EQ(FitWindowToScreens({1800, 100, 9000, 900}, {Primary, Second}),
            (TRect{1920, 100, 3200, 900}));
}

TEST(WindowPlacement, AWindowThatFitsStaysOrIsMovedInside) {
  EXPECT_EQ(FitWindowToScreens({100, 50, 900, 650}, {Primary, Second}), (TRect{100, 50, 900, 650}));
  // Hanging over the bottom right corner: moved back in, keeping its size.
  EXPECT_EQ(FitWindowToScreens({1500, 900, 2100, 1300}, {Primary}), (TRect{1320, 640, 1920, 1040}));
}

TEST(WindowPlacement, NothingWhenTheWindowShowsNowhere) {
  EXPECT_EQ(FitWindowToScreens({100000, 100000, 100400, 100300}, {Primary, Second}), std::nullopt);
  EXPECT_EQ(FitWindowToScreens({1900, 10, 1940, 500}, {Primary, Second}), std::nullopt);  // 20 + 20 wide
  EXPECT_EQ(FitWindowToScreens({300, 300, 100, 100}, {Primary}), std::nullopt);
  // Without screen information the stored rectangle is all there is.
  EXPECT_EQ(FitWindowToScreens({5, 6, 7, 8}, {}), (TRect{5, 6, 7, 8}));
}

}  // namespace
