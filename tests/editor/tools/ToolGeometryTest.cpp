// The tools' rubber-band geometry and metrics texts, without widgets.

#include <gtest/gtest.h>

#include "editor/tools/ToolGeometry.h"

namespace {

TEST(ToolGeometry, ClosedRectanglesFromAnchorAndPointer) {
  EXPECT_EQ(ClosedRect(ckEdgeRect, {5, 5}, {2, 8}), (TRect{2, 5, 6, 9}));
  EXPECT_EQ(ClosedRect(ckCenterEllipse, {10, 10}, {12, 13}), (TRect{8, 7, 13, 14}));
  // Mirrored about the anchor, a centre shape may reach past the image's top-left corner.
  EXPECT_EQ(ClosedRect(ckCenterRect, {1, 1}, {4, 0}), (TRect{-2, 0, 5, 3}));
}

TEST(ToolGeometry, MetricsTextsPadTheFirstNumber) {
  EXPECT_EQ(LineMetrics(5, 2), "W: 6      H: 3 L: 7");
  EXPECT_EQ(LineMetrics(0, 0), "W: 1      H: 1 L: 1");
  EXPECT_EQ(ClosedMetrics(ckEdgeRect, 123456, 2), "W: 123456  H: 2");
  EXPECT_EQ(ClosedMetrics(ckCenterEllipse, 5, 7), "Dx: 5      Dy: 7");
}

}  // namespace
