#include "files/image_table.h"

#include <gtest/gtest.h>

#include <cerrno>

#include "errors/system_error.h"
#include "mascot_samples.h"

namespace mascot {
namespace {

// Pictures of 8192 x 4096 1-bit pixels: half the pixel budget each, in
// 4 MB of table.
std::vector<std::uint8_t> TableOfHalfBudgetPictures(std::uint32_t count) {
  constexpr std::uint32_t kWidth = 8192, kHeight = 4096, kStride = kWidth / 8;
  constexpr std::uint32_t kRecordSize = 24 + 8 + kStride * kHeight;
  std::vector<std::uint8_t> table;
  testing::AppendLe32(table, {count});
  for (std::uint32_t i = 0; i < count; ++i) testing::AppendLe32(table, {4 + 4 * count + i * kRecordSize});
  for (std::uint32_t i = 0; i < count; ++i) {
    testing::AppendLe32(table, {kWidth, kStride, kHeight, 1, 2, 0, 0, 0xFFFFFF});
    table.resize(table.size() + std::size_t{kStride} * kHeight, 0);
  }
  return table;
}

TEST(ImageTable, PicturesOfOneFileShareOnePixelBudget) {
  std::vector<FrameImage> images;
  ASSERT_TRUE(ReadImageTable(TableOfHalfBudgetPictures(1), images));
  EXPECT_EQ(images.size(), 1u);

  images.clear();
  SetLastSystemError(0);
  EXPECT_FALSE(ReadImageTable(TableOfHalfBudgetPictures(3), images));
  EXPECT_EQ(LastSystemError(), CrtErrorCode(EFBIG));
}

}  // namespace
}  // namespace mascot
