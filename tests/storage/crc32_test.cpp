#include "storage/crc32.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

#include "scratch_folder.h"

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

TEST(Crc32Test, AgreesWithZlibWholeAndInPieces) {
  EXPECT_EQ(Crc32("123456789", 9), 0xCBF43926u);
  EXPECT_EQ(Crc32(nullptr, 0), 0u);
  // Lengths around the 16-byte stride and odd split points exercise the tail paths.
  for (std::size_t size : {1u, 7u, 15u, 16u, 17u, 31u, 33u, 255u, 4096u, 100003u}) {
    auto bytes = RandomBytes(size, static_cast<unsigned>(size));
    const std::uint32_t expected = ZlibCrc(bytes.data(), size);
    EXPECT_EQ(Crc32(bytes.data(), size), expected) << size;
    for (std::size_t split : {std::size_t{0}, size / 3, size - 1}) {
      std::uint32_t state = UpdateCrc32(kCrc32Initial, bytes.data(), split);
      state = UpdateCrc32(state, bytes.data() + split, size - split);
      EXPECT_EQ(FinishCrc32(state), expected) << size << " split " << split;
    }
  }
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
