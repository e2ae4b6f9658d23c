#include "storage/crc32.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <ostream>
#include <random>
#include <vector>

#include "scratch_folder.h"
#include "storage/crc32_paths.h"

namespace mascot {
namespace {

std::vector<std::uint8_t> RandomBytes(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::vector<std::uint8_t> bytes(size);
  for (auto& b : bytes) b = static_cast<std::uint8_t>(random());
  return bytes;
}

std::uint32_t ZlibCrc(const std::uint8_t* data, std::size_t size) {
  return static_cast<std::uint32_t>(crc32(0L, data, static_cast<uInt>(size)));
}

// Each way UpdateCrc32 can run, tested on its own so that one cannot hide a
// fault in another, and UpdateCrc32 itself.
struct Way {
  const char* name;
  std::uint32_t (*update)(std::uint32_t, const void*, std::size_t);
  bool (*available)();
};

void PrintTo(const Way& way, std::ostream* out) { *out << way.name; }

bool Always() { return true; }

const Way kWays[] = {
    {"Table", UpdateCrc32Table, Always},
    {"Folding", UpdateCrc32Folding, Crc32FoldingAvailable},
    {"WideFolding", UpdateCrc32WideFolding, Crc32WideFoldingAvailable},
    {"Chosen", UpdateCrc32, Always},
};

class Crc32WayTest : public ::testing::TestWithParam<Way> {
 protected:
  void SetUp() override {
    if (!GetParam().available()) GTEST_SKIP() << "this processor lacks the instructions";
  }
  std::uint32_t Crc(const std::uint8_t* data, std::size_t size) const {
    return FinishCrc32(GetParam().update(kCrc32Initial, data, size));
  }
};

// Lengths up to 4096 cross each way's threshold, leave every remainder of
// the 16-, 64- and 256-byte strides and turn each loop several times; the
// offsets start the data at every position within 16 bytes.
TEST_P(Crc32WayTest, AgreesWithZlibAtEveryLengthAndAlignment) {
  constexpr std::size_t kMaxSize = 4096, kOffsets = 16;
  const auto bytes = RandomBytes(kMaxSize + kOffsets + 64, 1);
  const std::uint8_t* base =
      bytes.data() + (64 - reinterpret_cast<std::uintptr_t>(bytes.data()) % 64);
  for (std::size_t offset = 0; offset < kOffsets; ++offset)
    for (std::size_t size = 0; size <= kMaxSize; ++size)
      ASSERT_EQ(Crc(base + offset, size), ZlibCrc(base + offset, size))
          << "offset " << offset << " size " << size;
}

// The register carries over between pieces that start and end anywhere.
TEST_P(Crc32WayTest, CarriesTheRegisterAcrossUnevenPieces) {
  const auto bytes = RandomBytes(300000, 2);
  std::mt19937 random(3);
  std::uint32_t state = kCrc32Initial;
  uLong expected = crc32(0L, nullptr, 0);
  for (std::size_t at = 0; at < bytes.size();) {
    const std::size_t size = std::min<std::size_t>(random() % 9000, bytes.size() - at);
    state = GetParam().update(state, bytes.data() + at, size);
    expected = crc32(expected, bytes.data() + at, static_cast<uInt>(size));
    at += size;
    ASSERT_EQ(FinishCrc32(state), expected) << "after " << at << " bytes";
  }
}

INSTANTIATE_TEST_SUITE_P(Ways, Crc32WayTest, ::testing::ValuesIn(kWays),
                         [](const ::testing::TestParamInfo<Way>& info) { return info.param.name; });

TEST(Crc32Test, CheckValue) {
  EXPECT_EQ(Crc32("123456789", 9), 0xCBF43926u);
  EXPECT_EQ(Crc32(nullptr, 0), 0u);
}

TEST(Crc32Test, FileChecksumStartsAtOffset8AndSpansChunks) {
  const auto dir = testing::ScratchFolder();
  const auto path = (dir / "data.bin").string();
  auto bytes = RandomBytes(3 * 32768 + 123, 7);
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
  std::uint32_t crc = 0;
  ASSERT_TRUE(FileCrc32FromOffset8(path, crc));
  EXPECT_EQ(crc, ZlibCrc(bytes.data() + 8, bytes.size() - 8));

  std::ofstream(path, std::ios::binary | std::ios::trunc).write("short", 5);
  ASSERT_TRUE(FileCrc32FromOffset8(path, crc));
  EXPECT_EQ(crc, 0u);  // nothing after offset 8

  EXPECT_FALSE(FileCrc32FromOffset8((dir / "missing").string(), crc));
}

}  // namespace
}  // namespace mascot
