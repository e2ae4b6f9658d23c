#include "model/transparent_region.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace mascot {
namespace {

using Rects = std::vector<Rect>;

// Rows of '.' (white) and '#' (black), top to bottom, as a 24-bit picture.
std::shared_ptr<Bitmap> Picture(const std::vector<std::string>& rows) {
  auto bitmap = Bitmap::Create(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), 24);
  for (int y = 0; y < bitmap->height(); ++y)
    for (int x = 0; x < bitmap->width(); ++x)
      std::fill_n(bitmap->row(y) + 3 * x, 3, rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] == '.' ? 0xFF : 0);
  return bitmap;
}

TEST(TransparentRegion, LeftColumnTransparentGivesOneRectangle) {
  Rects rects;
  FindOpaqueRects(*Picture({".##", ".##"}), rects);
  EXPECT_EQ(rects, (Rects{{1, 0, 3, 2}}));
  auto region = BuildTransparentRegion(Picture({".##", ".##"}).get(), rects, true);
  ASSERT_TRUE(region);
  EXPECT_EQ(region->rects(), (Rects{{1, 0, 3, 2}}));
  EXPECT_TRUE(rects.empty());
}

TEST(TransparentRegion, MergesOnlyIntoTheLastRectangle) {
  Rects rects;
  // Row 1's run matches row 0's first run, but the last rectangle is row 0's
  // second run; row 2 then merges with row 1. The top-left colour is the
  // transparent one, whatever it is.
  FindOpaqueRects(*Picture({"#..#.", "#..##", "#..##", "##..."}), rects);
  EXPECT_EQ(rects, (Rects{{1, 0, 3, 1}, {4, 0, 5, 1}, {1, 1, 3, 3}, {2, 3, 5, 4}}));
}

TEST(TransparentRegion, StoredRectanglesStandUnlessRecomputeIsAsked) {
  auto bitmap = Picture({".##", ".##"});
  Rects stored{{0, 0, 1, 1}, {5, 5, 7, 6}};
  EXPECT_EQ(BuildTransparentRegion(bitmap.get(), stored, false)->rects(), (Rects{{0, 0, 1, 1}, {5, 5, 7, 6}}));
  stored = {{0, 0, 1, 1}};
  EXPECT_EQ(BuildTransparentRegion(bitmap.get(), stored, true)->rects(), (Rects{{1, 0, 3, 2}}));
  // A wholly transparent picture, or rectangles that cover nothing, give no region.
  EXPECT_FALSE(BuildTransparentRegion(Picture({"##", "##"}).get(), stored, true));
  stored = {{3, 3, 3, 9}};
  EXPECT_FALSE(BuildTransparentRegion(nullptr, stored, false));
}

}  // namespace
}  // namespace mascot
