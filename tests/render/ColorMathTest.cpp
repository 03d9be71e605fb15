// The editor's colour helpers: the middle colour and the readout text.

#include "render/ColorMath.h"

#include <gtest/gtest.h>

namespace {

TEST(ColorMath, MiddleColourTiesGoToTheEvenValue) {
  EXPECT_EQ(MiddleColor(MakeColor(255, 0, 0), MakeColor(0, 0, 255)), MakeColor(128, 0, 128));
  EXPECT_EQ(MiddleColor(MakeColor(1, 1, 1), MakeColor(2, 2, 2)), MakeColor(2, 2, 2));
  EXPECT_EQ(MiddleColor(MakeColor(2, 2, 2), MakeColor(3, 3, 3)), MakeColor(2, 2, 2));
  EXPECT_EQ(MiddleColor(MakeColor(10, 20, 30), MakeColor(20, 40, 60)), MakeColor(15, 30, 45));
}

TEST(ColorMath, ReadoutAlignsDecimalsAndWritesUpperCaseHex) {
  EXPECT_EQ(ColorReadoutText(MakeColor(0, 128, 128)), "RGB:   0,128,128 <#008080>");
  EXPECT_EQ(ColorReadoutText(MakeColor(255, 10, 171)), "RGB: 255, 10,171 <#FF0AAB>");
}

}  // namespace
