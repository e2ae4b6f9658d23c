#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>
#include <random>

#include "container_test_files.h"
#include "errors/error_text.h"
#include "scratch_folder.h"
#include "storage/lzss.h"
#include "storage/resource_file_reader.h"
#include "storage/resource_file_writer.h"

namespace mascot {
namespace {

using testing::AppendLe32;
using testing::Bytes;
using testing::PutLe32;
using testing::ReadBytes;
using testing::TextBytes;
using testing::WriteBytes;

constexpr std::uint32_t kMsct = TypeCode("MSCT");
constexpr std::uint32_t kPict = TypeCode("PICT");

class ContainerReaderTest : public ::testing::Test {
 protected:
  void SetUp() override { path_ = (testing::ScratchFolder() / "cat.mascot").string(); }

  // A container laid out by hand: header, data, then the given entries.
  struct Entry {
    std::uint32_t type, id, location, size;
  };
  void WriteContainer(const Bytes& data, const std::vector<Entry>& entries, bool stamp = true) {
    Bytes bytes;
    AppendLe32(bytes, {0x51565252, 0, static_cast<std::uint32_t>(entries.size()),
                       static_cast<std::uint32_t>(16 + data.size())});
    bytes.insert(bytes.end(), data.begin(), data.end());
    for (const Entry& e : entries) AppendLe32(bytes, {e.type, e.id, e.location, e.size});
    if (stamp)
      PutLe32(bytes, 4, static_cast<std::uint32_t>(crc32(0L, bytes.data() + 8, static_cast<uInt>(bytes.size() - 8))));
    WriteBytes(path_, bytes);
  }
  std::string Expected(const std::string& stage, ErrorCode code) const {
    return DescribeErrorText(stage, path_, code);
  }

  std::string path_;
};

Bytes PictureLikeBytes() {
  Bytes picture(64 * 40, 3);
  for (std::size_t y = 10; y < 30; ++y)
    for (std::size_t x = 20; x < 44; ++x) picture[y * 64 + x] = static_cast<std::uint8_t>((x ^ y) & 7);
  return picture;
}

TEST_F(ContainerReaderTest, LoadsRawAndCompressedResourcesOnceEach) {
  const Bytes picture = PictureLikeBytes();
  auto packed = CompressIfSmaller(picture);
  ASSERT_TRUE(packed.compressed);
  {
    ResourceFileWriter writer;
    ASSERT_TRUE(writer.Open(path_, true));
    ASSERT_TRUE(writer.WriteResource(packed.bytes, kPict, 2, true));
    ASSERT_TRUE(writer.WriteResource(TextBytes("record"), kMsct, 100, false));
    ASSERT_TRUE(writer.WriteResource(TextBytes("p1"), kPict, 1, false));
    ASSERT_TRUE(writer.Close());
  }
  ResourceFileReader reader;
  ASSERT_TRUE(reader.Open(path_));
  EXPECT_EQ(reader.ListIds(kPict), (std::vector<std::uint32_t>{1, 2}));
  EXPECT_EQ(reader.ListIds(kMsct), (std::vector<std::uint32_t>{100}));
  EXPECT_TRUE(reader.ListIds(TypeCode("NONE")).empty());

  ResourceHandle image = reader.Load(kPict, 2);
  ASSERT_TRUE(image->hasData);
  EXPECT_TRUE(image->compressed);
  EXPECT_EQ(image->data, picture);
  EXPECT_EQ(reader.Load(kPict, 2), image);  // served from the cache
  auto record = reader.Load(kMsct, 100);
  EXPECT_FALSE(record->compressed);
  EXPECT_EQ(std::string(record->data.begin(), record->data.end()), "record");

  std::weak_ptr<const LoadedResource> watch = image;
  reader.Release(image);
  EXPECT_FALSE(image);
  EXPECT_FALSE(watch.expired());  // the cache still holds it
  reader.Open(path_);
  EXPECT_TRUE(watch.expired());   // a new Open forgets the cache

  auto missing = reader.Load(kMsct, 101);
  EXPECT_FALSE(missing->hasData);
  EXPECT_EQ(missing->id, 101u);
  EXPECT_EQ(reader.LastErrorCode(), 0u);
}

TEST_F(ContainerReaderTest, FirstDuplicateWinsCrcZeroPassesMismatchFails) {
  WriteContainer(TextBytes("firstsecond"), {{kMsct, 100, 16, 5}, {kMsct, 100, 21, 6}}, false);
  ResourceFileReader reader;
  ASSERT_TRUE(reader.Open(path_));
  auto resource = reader.Load(kMsct, 100);
  EXPECT_EQ(std::string(resource->data.begin(), resource->data.end()), "first");
  EXPECT_EQ(reader.ListIds(kMsct).size(), 1u);

  Bytes bytes = ReadBytes(path_);
  PutLe32(bytes, 4, 0x12345678);
  WriteBytes(path_, bytes);
  EXPECT_FALSE(reader.Open(path_));
  EXPECT_FALSE(reader.IsLoaded());
  EXPECT_EQ(reader.LastErrorCode(), kErrCrcMismatch);
  EXPECT_EQ(reader.LastErrorText(), Expected("Validating CRC on resource file", kErrCrcMismatch));
  EXPECT_TRUE(reader.ListIds(kMsct).empty());
}

TEST_F(ContainerReaderTest, ShortMissingAndForeignFiles) {
  ResourceFileReader reader;
  WriteBytes(path_, {});
  EXPECT_TRUE(reader.Open(path_));  // an empty file is an empty container
  EXPECT_TRUE(reader.Dictionary().empty());

  WriteBytes(path_, {0x52, 0x52, 0x56, 0x51, 0, 0, 0, 0, 0, 0});
  EXPECT_TRUE(reader.Open(path_));

  WriteBytes(path_, TextBytes("BM this is a picture"));
  EXPECT_FALSE(reader.Open(path_));
  EXPECT_EQ(reader.LastErrorCode(), kErrNotResourceFile);
  EXPECT_EQ(reader.LastErrorText(), "");

  std::filesystem::remove(path_);
  EXPECT_FALSE(reader.Open(path_));
  EXPECT_EQ(reader.LastErrorText(), Expected("Opening resource file header", 0xE0000AF2));
  EXPECT_FALSE(reader.Open(""));
}

TEST_F(ContainerReaderTest, DictionaryOutsideTheFileFailsOnOpen) {
  for (std::uint32_t count : {2u, 0x10000000u, 0xFFFFFFFFu}) {  // 0x10000000 * 16 wraps in 32 bits
    WriteContainer(TextBytes("abc"), {{kMsct, 1, 16, 3}}, false);
    Bytes bytes = ReadBytes(path_);
    PutLe32(bytes, 8, count);
    WriteBytes(path_, bytes);
    ResourceFileReader reader;
    EXPECT_FALSE(reader.Open(path_)) << count;
    EXPECT_EQ(reader.LastErrorText(), Expected("Reading resource file", kErrUnexpectedEnd));
  }
}

TEST_F(ContainerReaderTest, BadEntriesFailOnLoadWithTheirStage) {
  Bytes block = CompressIfSmaller(Bytes(100, 'z')).bytes;
  Bytes wrongSize = block;
  PutLe32(wrongSize, 0, static_cast<std::uint32_t>(block.size() + 1));
  Bytes hugeOutput = block;
  PutLe32(hugeOutput, 4, 0xFFFFFFF0u);
  Bytes data = block;
  data.insert(data.end(), wrongSize.begin(), wrongSize.end());
  data.insert(data.end(), hugeOutput.begin(), hugeOutput.end());
  const auto n = static_cast<std::uint32_t>(block.size());
  WriteContainer(data, {{kMsct, 100, 16 | 0x80000000u, n},
                        {kMsct, 101, 16 + n, 4000},
                        {kMsct, 102, 0x7FFFFFFF, 2},
                        {kMsct, 103, (16 + n) | 0x80000000u, n},
                        {kMsct, 104, (16 + 2 * n) | 0x80000000u, n}});
  ResourceFileReader reader;
  ASSERT_TRUE(reader.Open(path_));
  EXPECT_EQ(reader.Load(kMsct, 100)->data, Bytes(100, 'z'));
  for (std::uint32_t id : {101u, 102u, 103u, 104u}) {
    auto resource = reader.Load(kMsct, id);
    EXPECT_FALSE(resource->hasData) << id;
    EXPECT_TRUE(resource->data.empty());
    EXPECT_EQ(reader.LastErrorCode(), kErrUnexpectedEnd);
    EXPECT_EQ(reader.LastErrorText(), Expected("Loading Resource TCSM " + std::to_string(id), kErrUnexpectedEnd));
  }
}

TEST_F(ContainerReaderTest, TruncatedOrScrambledContainersFailCleanly) {
  {
    ResourceFileWriter writer;
    ASSERT_TRUE(writer.Open(path_, true));
    auto packed = CompressIfSmaller(PictureLikeBytes());
    ASSERT_TRUE(writer.WriteResource(packed.bytes, kPict, 1, packed.compressed));
    ASSERT_TRUE(writer.WriteResource(TextBytes("text"), kMsct, 1, false));
    ASSERT_TRUE(writer.Close());
  }
  const Bytes whole = ReadBytes(path_);
  std::mt19937 random(5);
  for (std::size_t cut = 0; cut < whole.size(); cut += 7) {
    for (bool scramble : {false, true}) {
      Bytes bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(cut));
      if (scramble)
        for (std::size_t i = 8; i < bytes.size(); i += 1 + random() % 9) bytes[i] = static_cast<std::uint8_t>(random());
      if (bytes.size() >= 8) PutLe32(bytes, 4, 0);  // skip the CRC to reach the later checks
      WriteBytes(path_, bytes);
      ResourceFileReader reader;
      if (!reader.Open(path_)) continue;
      for (const auto& [key, entry] : reader.Dictionary()) {
        auto resource = reader.Load(key.first, key.second);
        if (resource->hasData && !entry.compressed()) {
          EXPECT_EQ(resource->size(), entry.size);
        }
      }
    }
  }
}

}  // namespace
}  // namespace mascot
