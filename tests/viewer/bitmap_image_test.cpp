#include "viewer/bitmap_image.h"

#include <gtest/gtest.h>

#include <cstring>

namespace mascot {
namespace {

struct DepthCase {
  int bits;
  std::vector<std::uint8_t> row;  // the first row's bytes
  std::vector<QRgb> expected;     // its first pixels
};

// Palette entries 0..3 for the indexed depths.
const std::vector<RgbQuad> kTable = {{0, 0, 0, 0}, {255, 0, 0, 0}, {0, 255, 0, 0}, {0, 0, 255, 0}};

TEST(BitmapToImage, GivesEachDepthsExactColours) {
  const DepthCase cases[] = {
      {1, {0b10100000}, {qRgb(0, 0, 255), qRgb(0, 0, 0), qRgb(0, 0, 255)}},
      {4, {0x31, 0x20}, {qRgb(255, 0, 0), qRgb(0, 0, 255), qRgb(0, 255, 0)}},
      {8, {2, 3, 9}, {qRgb(0, 255, 0), qRgb(255, 0, 0), qRgb(0, 0, 0)}},  // 9: beyond the table
      {16, {0xFF, 0x7F, 0x1F, 0x00, 0x00, 0x7C}, {qRgb(255, 255, 255), qRgb(0, 0, 255), qRgb(255, 0, 0)}},
      {24, {0x10, 0x20, 0x30, 0xFF, 0x00, 0x80}, {qRgb(0x30, 0x20, 0x10), qRgb(0x80, 0x00, 0xFF)}},
      {32, {0x01, 0x02, 0x03, 0xEE, 0xFF, 0xFF, 0x00, 0x00}, {qRgb(3, 2, 1), qRgb(0, 0xFF, 0xFF)}},
  };
  for (const DepthCase& c : cases) {
    SCOPED_TRACE(c.bits);
    auto bitmap = Bitmap::Create(3, 2, c.bits);
    ASSERT_TRUE(bitmap);
    if (c.bits <= 8) bitmap->colourTable() = kTable;
    std::memcpy(bitmap->row(0), c.row.data(), c.row.size());
    std::memset(bitmap->row(1), 0, bitmap->stride());
    const QImage image = BitmapToImage(*bitmap);
    ASSERT_EQ(image.size(), QSize(3, 2));
    for (std::size_t x = 0; x < c.expected.size(); ++x) {
      EXPECT_EQ(image.pixel(static_cast<int>(x), 0), c.expected[x]) << "pixel " << x;
    }
  }
}

TEST(BitmapImageCache, ConvertsEachBitmapOnce) {
  BitmapImageCache cache;
  SharedHandle<Bitmap> first = Bitmap::Create(4, 4, 24);
  const QImage* image = &cache.imageFor(first);
  const qint64 key = image->cacheKey();
  EXPECT_EQ(cache.imageFor(first).cacheKey(), key);
  EXPECT_EQ(&cache.imageFor(first), image);

  SharedHandle<Bitmap> second = Bitmap::Create(2, 2, 24);
  EXPECT_EQ(cache.imageFor(second).size(), QSize(2, 2));
  first.reset();
  SharedHandle<Bitmap> third = Bitmap::Create(3, 3, 24);
  cache.imageFor(third);
  EXPECT_EQ(cache.size(), 2u) << "the entry of a freed bitmap goes";
  EXPECT_TRUE(cache.imageFor(nullptr).isNull());
}

}  // namespace
}  // namespace mascot
