#include "tracking/device_pixels.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

namespace mascot {
namespace {

constexpr double kRatios[] = {1.0, 1.25, 1.5, 1.75, 2.0, 3.0};

TEST(DevicePixels, ScalesAsTheToolkitRoundsWindowGeometry) {
  struct Case {
    double ratio;
    Rect logical, device;
  } const cases[] = {
      {1.0, {10, 20, 60, 70}, {10, 20, 60, 70}},
      {2.0, {10, 20, 60, 70}, {20, 40, 120, 140}},
      // Corner and size round on their own: 1.5 -> 2 and 3 * 1.5 = 4.5 -> 5.
      {1.5, {1, 1, 4, 4}, {2, 2, 7, 7}},
      {1.5, {-1, -3, 0, 0}, {-2, -5, -0, -0}},
      {0.0, {3, 4, 5, 6}, {3, 4, 5, 6}},  // no ratio: as 1
  };
  for (const Case& c : cases)
    EXPECT_EQ(DeviceRect(c.logical, {c.ratio}), c.device) << "ratio " << c.ratio << " at " << c.logical.left;
  // Around a second screen's corner, which both measures share.
  EXPECT_EQ(DeviceRect({1034, 10, 1044, 20}, {2.0, 1024, 0}), (Rect{1044, 20, 1064, 40}));
  EXPECT_EQ(DeviceLength(-7, 1.5), -11);
  EXPECT_EQ(DeviceLength(2'000'000'000, 2.0), 2'147'483'647);
}

TEST(DevicePixels, PlacementFindsBackEveryGeometryTheToolkitCanMake) {
  for (const double ratio : kRatios) {
    const DeviceScale scale{ratio, 7, -3};
    for (int left = -20; left < 20; ++left) {
      for (int size = 1; size < 12; ++size) {
        const Rect logical{left, 2 * left, left + size, 2 * left + size + 3};
        EXPECT_EQ(LogicalPlacement(DeviceRect(logical, scale), scale), logical)
            << "ratio " << ratio << " left " << left << " size " << size;
      }
    }
  }
}

// What the toolkit cannot reach, the desktop layer moves to on the X server;
// the toolkit's own idea of the window stays within half a step of its grid.
TEST(DevicePixels, PlacementOffTheToolkitsGridStaysWithinHalfALogicalPixelAndLeansLower) {
  for (const double ratio : kRatios) {
    const DeviceScale scale{ratio};
    for (int bottom = -30; bottom < 60; ++bottom) {
      for (const int height : {7, 8}) {
        const int deviceHeight = DeviceLength(height, ratio);
        const Rect wanted{bottom, bottom - deviceHeight, bottom + deviceHeight, bottom};
        const Rect logical = LogicalPlacement(wanted, scale);
        const Rect shown = DeviceRect(logical, scale);
        const int below = shown.bottom - wanted.bottom;
        const std::string what = "ratio " + std::to_string(ratio) + " bottom " + std::to_string(bottom);
        // Rounded, the grid's steps are up to a whole pixel longer than the ratio.
        const double step = std::ceil(ratio);
        EXPECT_LE(2 * std::abs(below), step) << what;
        if (2 * std::abs(below) == step) {
          EXPECT_GT(below, 0) << what << ": a tie goes into the target";
        }
        EXPECT_LE(2 * std::abs(shown.left - wanted.left), step) << what;
        EXPECT_EQ(shown.bottom - shown.top, deviceHeight) << what;
        EXPECT_EQ(LogicalTopStandingOn(wanted.bottom, height, scale), logical.top) << what;
      }
    }
  }
}

}  // namespace
}  // namespace mascot
