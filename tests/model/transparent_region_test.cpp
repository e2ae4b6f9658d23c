#include "model/transparent_region.h"

#include <gtest/gtest.h>

#include <random>
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

// The region built in one pass is the very shape that uniting the rectangles
// one at a time gives, box for box: for pictures of noise, stripes and
// checks, and for stored rectangles that overlap, touch and come in any order.
TEST(TransparentRegion, OnePassGivesTheShapeOfTheUnion) {
  std::mt19937 random(7);
  auto expectSameAsUnion = [](const Rects& list, const SharedHandle<Region>& built, const std::string& name) {
    Region reference;
    for (const Rect& r : list) reference.unite(r);
    ASSERT_TRUE(built) << name;
    EXPECT_EQ(built->rects(), reference.rects()) << name;
    EXPECT_TRUE(*built == reference) << name;
  };
  for (int picture = 0; picture < 40; ++picture) {
    const int width = 1 + static_cast<int>(random() % 40), height = 1 + static_cast<int>(random() % 40);
    std::vector<std::string> rows(static_cast<std::size_t>(height), std::string(static_cast<std::size_t>(width), '.'));
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x) {
        const bool opaque = picture % 4 == 0   ? (x + y) % 2 == 1
                            : picture % 4 == 1 ? x % 3 != 0 && y % 5 != 2
                                               : random() % (2 + picture % 3) == 0;
        if (opaque && (x | y) != 0) rows[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = '#';
      }
    rows[static_cast<std::size_t>(height - 1)][static_cast<std::size_t>(width - 1)] = '#';
    Rects runs;
    FindOpaqueRects(*Picture(rows), runs);
    Rects work;
    expectSameAsUnion(runs, BuildTransparentRegion(Picture(rows).get(), work, true), "picture " + std::to_string(picture));

    Rects stored;
    for (int i = 0; i < 1 + picture; ++i) {
      const int left = static_cast<int>(random() % 30) - 5, top = static_cast<int>(random() % 30) - 5;
      stored.push_back({left, top, left + static_cast<int>(random() % 12), top + static_cast<int>(random() % 12)});
    }
    stored.push_back({0, 0, 1, 1});
    Rects copy = stored;
    expectSameAsUnion(stored, BuildTransparentRegion(nullptr, copy, false), "stored " + std::to_string(picture));
  }
  // Rectangles spanning more than any picture can be are no picture's shape.
  Rects far{{0, 0, 1, 1}, {0, 20000, 1, 20001}};
  EXPECT_FALSE(BuildTransparentRegion(nullptr, far, false));
}

}  // namespace
}  // namespace mascot
