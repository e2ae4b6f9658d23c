#include "model/transparent_region.h"

#include <gtest/gtest.h>

#include <bit>
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

// The plain reading the row scan must agree with: each pixel's colour against
// the top-left one's, a run merged into the last rectangle when it continues it.
Rects PixelByPixelRects(const Bitmap& bitmap) {
  Rects rects;
  const std::uint32_t transparent = bitmap.pixelColour(0, 0);
  for (int y = 0; y < bitmap.height(); ++y)
    for (int x = 0; x < bitmap.width();) {
      if (bitmap.pixelColour(x, y) == transparent) {
        ++x;
        continue;
      }
      const int start = x;
      while (x < bitmap.width() && bitmap.pixelColour(x, y) != transparent) ++x;
      if (!rects.empty() && rects.back().left == start && rects.back().right == x && rects.back().bottom == y)
        rects.back().bottom = y + 1;
      else
        rects.push_back({start, y, x, y + 1});
    }
  return rects;
}

void PutValue(Bitmap& bitmap, int x, int y, std::uint32_t value) {
  std::uint8_t* row = bitmap.row(y);
  const int depth = bitmap.bitsPerPixel();
  if (depth < 8) {
    const int bit = depth == 1 ? 7 - (x & 7) : (x & 1 ? 0 : 4);
    std::uint8_t& byte = row[x * depth / 8];
    const auto mask = static_cast<std::uint8_t>(((1u << depth) - 1) << bit);
    byte = static_cast<std::uint8_t>((byte & ~mask) | ((value << bit) & mask));
    return;
  }
  for (int i = 0; i < depth / 8; ++i) row[x * depth / 8 + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

// Pictures of every depth and of widths around the word and chunk sizes,
// whose padding is noise: palettes of distinct colours, palettes that repeat
// the transparent colour or stop short (black past the end), channel masks
// narrow, wide, overlapping, gapped and missing, and values that differ only
// in bits no channel reads.
TEST(TransparentRegion, RowScanSeesWhatPixelColourSees) {
  std::mt19937 random(11);
  const std::uint32_t masks[][3] = {
      {0x7C00, 0x03E0, 0x001F}, {0xF800, 0x07E0, 0x001F}, {0xFFF00000, 0x000FFC00, 0x3FF},
      {0x00FF, 0x00FF, 0x00F0}, {0x0005, 0x0030, 0x0F00}, {0x000F00FF, 0xFF00, 0xF0000000},
      {0, 0xFF00, 0},           {0xFF0000, 0xFF00, 0xFF}};
  const std::uint32_t colours[] = {0x000000, 0xFF00FF, 0x102030};
  const char* kinds[] = {"noise", "corner unlike the rest", "clear", "opaque", "repeated rows", "checks"};
  int picture = 0;
  for (const int depth : {1, 4, 8, 16, 24, 32})
    for (const int width : {1, 3, 8, 15, 16, 17, 31, 63, 64, 65, 100, 120, 129, 200})
      for (int kind = 0; kind < 6; ++kind, ++picture) {
        const int height = width == 1 && kind == 0 ? 1 : 1 + static_cast<int>(random() % 9);
        auto bitmap = Bitmap::Create(width, height, depth);
        for (std::size_t i = 0; i < bitmap->byteSize(); ++i) bitmap->bits()[i] = static_cast<std::uint8_t>(random());
        const bool distinct = random() % 2 == 0;
        if (depth <= 8)
          for (std::uint32_t i = random() % ((1u << depth) + 1); i > 0; --i) {
            const std::uint32_t c = distinct ? i * 0x050301 + 7 : colours[random() % 3];
            bitmap->colourTable().push_back({static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(c >> 8),
                                             static_cast<std::uint8_t>(c >> 16), static_cast<std::uint8_t>(random())});
          }
        const std::uint32_t* m = masks[picture / 6 % 8];  // each set with every kind
        if (depth == 16 || depth == 32) bitmap->setMasks(m[0], m[1], m[2]);
        const std::uint32_t clear = static_cast<std::uint32_t>(random()), other = static_cast<std::uint32_t>(random());
        // Besides the two values, the transparent one with a bit flipped: any
        // bit, the bits no channel reads, or one channel's lowest or highest
        // bit (which a wide or gapped channel may drop).
        const std::uint32_t unread = ~(m[0] | m[1] | m[2]);
        auto value = [&](std::uint32_t pick) {
          const std::uint32_t mask = m[pick % 3];
          const std::uint32_t flips[] = {0,      clear ^ other, 1u << (pick >> 8) % 32,
                                         unread, mask & -mask,  std::bit_floor(mask)};
          return clear ^ flips[pick / 3 % 6];
        };
        for (int y = 0; y < height; ++y)
          for (int x = 0; x < width; ++x) {
            std::uint32_t v = value(static_cast<std::uint32_t>(random()));
            if (kind == 1) v = random() % 8 == 0 ? clear : other;
            if (kind == 2) v = clear;
            if (kind == 3) v = other;
            if (kind == 4) v = value(static_cast<std::uint32_t>(x * 7 / (y % 3 + 2) + (y > height / 2)));
            if (kind == 5) v = (x + y) % 2 ? other : clear;
            PutValue(*bitmap, x, y, v);
          }
        PutValue(*bitmap, 0, 0, kind == 1 ? other : clear);
        const std::string name = "depth " + std::to_string(depth) + ", width " + std::to_string(width) + ", " +
                                 kinds[kind] + ", picture " + std::to_string(picture);

        const Rects expected = PixelByPixelRects(*bitmap);
        Rects rects;
        FindOpaqueRects(*bitmap, rects);
        EXPECT_EQ(rects, expected) << name;
        Rects work, stored = expected;
        const auto fromPixels = BuildTransparentRegion(bitmap.get(), work, true);
        const auto fromRects = BuildTransparentRegion(nullptr, stored, false);
        ASSERT_EQ(fromPixels == nullptr, fromRects == nullptr) << name;
        if (fromPixels) {
          EXPECT_EQ(fromPixels->rects(), fromRects->rects()) << name;
        }
      }
}

}  // namespace
}  // namespace mascot
