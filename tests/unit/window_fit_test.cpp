#include "ui/window_fit.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace velmora {
namespace {

constexpr int kMainWidth = 981;
constexpr int kMainHeight = 621;
constexpr WindowFrame kFrame{16, 39};

bool Inside(const ScreenRect& inner, const ScreenRect& outer) {
  return inner.left >= outer.left && inner.top >= outer.top &&
         inner.left + inner.width <= outer.left + outer.width &&
         inner.top + inner.height <= outer.top + outer.height;
}

TEST(WindowFitTest, KeepsThePreferredScaleWhereTheWindowFits) {
  const ScreenRect work{0, 0, 1920, 1040};
  const WindowFit fit = FitWindow(kMainWidth, kMainHeight, kFrame, work, 144, true);
  EXPECT_EQ(fit.dpi, 144);
  // At the preferred scale the outer size is the layout's, scaled as a whole.
  EXPECT_NEAR(fit.outer.width, kMainWidth * 3 / 2, 1);
  EXPECT_NEAR(fit.outer.height, kMainHeight * 3 / 2, 1);
  EXPECT_EQ(fit.outer.left, (1920 - fit.outer.width) / 2);
  EXPECT_EQ(fit.outer.top, (1040 - fit.outer.height) / 2);
}

TEST(WindowFitTest, TakesTheLargestScaleThatFitsOnALaptopScreen) {
  // 1366 x 768 with a taskbar at the bottom, at 125 % and at 150 %.
  const ScreenRect work{0, 0, 1366, 728};
  for (const int preferred : {120, 144}) {
    const WindowFit fit = FitWindow(kMainWidth, kMainHeight, kFrame, work, preferred, true);
    EXPECT_LT(fit.dpi, preferred);
    EXPECT_GT(fit.dpi, 96);
    EXPECT_TRUE(Inside(fit.outer, work)) << preferred;
    // The largest: one step of scale more (1/96 of the layout's size) would not fit.
    const int slack = std::min(work.width - fit.outer.width, work.height - fit.outer.height);
    EXPECT_LT(slack, kMainWidth / 96 + 1) << "a larger scale fits too at " << preferred;
  }
}

TEST(WindowFitTest, NeverGoesBelowOneToOneNorAboveTheWorkArea) {
  // A work area below the second monitor's top taskbar, too small for the window at 1:1.
  const ScreenRect work{1920, 40, 800, 560};
  const WindowFit fit = FitWindow(kMainWidth, kMainHeight, kFrame, work, 120, true);
  EXPECT_EQ(fit.dpi, 96);
  EXPECT_EQ(fit.outer.left, 1920);
  EXPECT_EQ(fit.outer.top, 40);
  // A window that is not centred stands at the work area's corner.
  const WindowFit corner = FitWindow(342, 187, kFrame, ScreenRect{0, 30, 1366, 738}, 144, false);
  EXPECT_EQ(corner.dpi, 144);
  EXPECT_EQ(corner.outer.left, 0);
  EXPECT_EQ(corner.outer.top, 30);
}

}  // namespace
}  // namespace velmora
