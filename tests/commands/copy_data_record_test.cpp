#include <gtest/gtest.h>

#include "commands/copy_data_record.h"

namespace mascot {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(CopyDataRecordTest, CarriesTheArgumentWithItsZero) {
  const Bytes record = EncodeCopyDataRecord("/home/me/Fox.mascot");
  const Bytes header = {1, 0, 0, 0, 20, 0, 0, 0};
  ASSERT_EQ(record.size(), 8u + 20u);
  EXPECT_TRUE(std::equal(header.begin(), header.end(), record.begin()));
  EXPECT_EQ(record.back(), 0);
  const auto decoded = DecodeCopyDataRecord(record);
  ASSERT_TRUE(decoded && decoded->hasData);
  EXPECT_EQ(decoded->argument, "/home/me/Fox.mascot");

  EXPECT_FALSE(DecodeCopyDataRecord(Bytes{1, 0, 0, 0, 0, 0, 0, 0})->hasData);
}

TEST(CopyDataRecordTest, RefusesMalformedRecords) {
  const Bytes cases[] = {
      {},
      {1, 0, 0, 0, 2, 0, 0},                    // short header
      {1, 0, 0, 0, 3, 0, 0, 0, 'a', 0},         // shorter than announced
      {1, 0, 0, 0, 1, 0, 0, 0, 'a', 0},         // longer than announced
      {1, 0, 0, 0, 2, 0, 0, 0, 'a', 'b'},       // no zero
      {1, 0, 0, 0, 3, 0, 0, 0, 'a', 0, 0},      // a zero inside
      {1, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0},  // absurd length
  };
  for (const Bytes& bytes : cases) EXPECT_FALSE(DecodeCopyDataRecord(bytes)) << bytes.size();
  EXPECT_FALSE(CopyDataRecordSize(Bytes{1, 0, 0, 0, 0x01, 0x00, 0x01, 0x00}));  // over the cap
}

}  // namespace
}  // namespace mascot
