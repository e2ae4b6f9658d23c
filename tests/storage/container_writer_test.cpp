#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <zlib.h>

#include <cerrno>
#include <filesystem>
#include <functional>

#include "container_test_files.h"
#include "errors/error_text.h"
#include "errors/system_error.h"
#include "scratch_folder.h"
#include "storage/error_log.h"
#include "storage/resource_file_reader.h"
#include "storage/resource_file_writer.h"

namespace mascot {
namespace {

namespace fs = std::filesystem;
using testing::Bytes;
using testing::Le32;
using testing::ReadBytes;
using testing::TextBytes;
using testing::WriteBytes;

constexpr std::uint32_t kMsct = TypeCode("MSCT");

class ContainerWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = testing::ScratchFolder();
    path_ = (dir_ / "cat.mascot").string();
  }
  std::size_t FilesInFolder() const {
    return static_cast<std::size_t>(std::distance(fs::directory_iterator(dir_), {}));
  }
  static std::uint32_t ZlibCrcFrom8(const Bytes& bytes) {
    return static_cast<std::uint32_t>(crc32(0L, bytes.data() + 8, static_cast<uInt>(bytes.size() - 8)));
  }
  std::string LoadText(std::uint32_t type, std::uint32_t id) {
    ResourceFileReader reader;
    EXPECT_TRUE(reader.Open(path_)) << reader.LastErrorText();
    auto resource = reader.Load(type, id);
    return resource->hasData ? std::string(resource->data.begin(), resource->data.end()) : "<none>";
  }

  fs::path dir_;
  std::string path_;
};

TEST_F(ContainerWriterTest, EmptyContainerIsSixteenStampedBytes) {
  ResourceFileWriter writer;
  ASSERT_TRUE(writer.Open(path_, true));
  ASSERT_TRUE(writer.Close());
  const Bytes bytes = ReadBytes(path_);
  ASSERT_EQ(bytes.size(), 16u);
  EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 4), (Bytes{0x52, 0x52, 0x56, 0x51}));
  EXPECT_EQ(Le32(bytes, 8), 0u);
  EXPECT_EQ(Le32(bytes, 12), 16u);
  EXPECT_EQ(Le32(bytes, 4), ZlibCrcFrom8(bytes));
  EXPECT_EQ(FilesInFolder(), 1u);  // no temporary file left behind
}

TEST_F(ContainerWriterTest, DataBackToBackThenDictionarySortedUnsigned) {
  {
    ResourceFileWriter writer;
    ASSERT_TRUE(writer.Open(path_, true));
    ASSERT_TRUE(writer.WriteResource(TextBytes("first"), TypeCode("ZZZZ"), 1, false));
    ASSERT_TRUE(writer.WriteResource(TextBytes("bb"), kMsct, 200, false));
    ASSERT_TRUE(writer.WriteResource(TextBytes("c"), kMsct, 100, true));
    ASSERT_TRUE(writer.WriteResource(TextBytes("d"), 0xFFFFFFF0u, 5, false));
    ASSERT_TRUE(writer.WriteResource(Bytes{}, kMsct, 7, false));
    // Destruction closes.
  }
  const Bytes bytes = ReadBytes(path_);
  EXPECT_EQ(std::string(bytes.begin() + 16, bytes.begin() + 25), "firstbbcd");
  EXPECT_EQ(Le32(bytes, 8), 5u);
  ASSERT_EQ(Le32(bytes, 12), 25u);
  ASSERT_EQ(bytes.size(), 25u + 5 * 16);
  EXPECT_EQ(Le32(bytes, 4), ZlibCrcFrom8(bytes));
  // The code MSCT is stored reversed.
  EXPECT_EQ(std::string(bytes.begin() + 25, bytes.begin() + 29), "TCSM");
  struct Expected {
    std::uint32_t type, id, location, size;
  };
  const Expected expected[] = {{kMsct, 7, 25, 0},
                               {kMsct, 100, 23 | 0x80000000u, 1},
                               {kMsct, 200, 21, 2},
                               {TypeCode("ZZZZ"), 1, 16, 5},
                               {0xFFFFFFF0u, 5, 24, 1}};
  for (std::size_t i = 0; i < 5; ++i) {
    const std::size_t at = 25 + 16 * i;
    EXPECT_EQ(Le32(bytes, at), expected[i].type) << i;
    EXPECT_EQ(Le32(bytes, at + 4), expected[i].id) << i;
    EXPECT_EQ(Le32(bytes, at + 8), expected[i].location) << i;
    EXPECT_EQ(Le32(bytes, at + 12), expected[i].size) << i;
  }
}

TEST_F(ContainerWriterTest, SecondWriteOfAPairWinsAndFirstBytesStay) {
  ResourceFileWriter writer;
  ASSERT_TRUE(writer.Open(path_, true));
  ASSERT_TRUE(writer.WriteResource(TextBytes("old!"), kMsct, 100, false));
  ASSERT_TRUE(writer.WriteResource(TextBytes("new"), kMsct, 100, false));
  ASSERT_TRUE(writer.Close());
  const Bytes bytes = ReadBytes(path_);
  EXPECT_EQ(std::string(bytes.begin() + 16, bytes.begin() + 23), "old!new");
  EXPECT_EQ(Le32(bytes, 8), 1u);
  EXPECT_EQ(Le32(bytes, 23 + 8), 20u);
  EXPECT_EQ(LoadText(kMsct, 100), "new");
}

TEST_F(ContainerWriterTest, AddModeAppendsAndMergesTheDictionary) {
  ResourceFileWriter writer;
  ASSERT_TRUE(writer.Open(path_, false));  // no file yet: a new container
  ASSERT_TRUE(writer.WriteResource(TextBytes("one"), kMsct, 1, false));
  ASSERT_TRUE(writer.WriteResource(TextBytes("two"), kMsct, 2, false));
  ASSERT_TRUE(writer.Close());
  const Bytes before = ReadBytes(path_);

  // Adding nothing rewrites the same container.
  ASSERT_TRUE(writer.Open(path_, false));
  ASSERT_TRUE(writer.Close());
  EXPECT_EQ(ReadBytes(path_), before);

  // Backslashes are accepted as separators.
  const std::string windowsStyle = dir_.string() + "\\cat.mascot";
  ASSERT_TRUE(writer.Open(windowsStyle, false));
  ASSERT_TRUE(writer.WriteResource(TextBytes("three"), kMsct, 3, false));
  ASSERT_TRUE(writer.WriteResource(TextBytes("uno"), kMsct, 1, false));
  ASSERT_TRUE(writer.Close());
  const Bytes after = ReadBytes(path_);
  EXPECT_EQ(Le32(after, 8), 3u);
  EXPECT_EQ(std::string(after.begin() + 22, after.begin() + 30), "threeuno");  // over the old dictionary
  EXPECT_EQ(LoadText(kMsct, 1), "uno");
  EXPECT_EQ(LoadText(kMsct, 2), "two");
  EXPECT_EQ(LoadText(kMsct, 3), "three");
  EXPECT_EQ(FilesInFolder(), 1u);
}

TEST_F(ContainerWriterTest, AddModeStartsAfreshOnADamagedContainer) {
  auto makeDamaged = [&](auto damage) {
    ResourceFileWriter writer;
    ASSERT_TRUE(writer.Open(path_, true));
    ASSERT_TRUE(writer.WriteResource(TextBytes("payload"), kMsct, 1, false));
    ASSERT_TRUE(writer.Close());
    Bytes bytes = ReadBytes(path_);
    damage(bytes);
    WriteBytes(path_, bytes);
  };
  const std::vector<std::function<void(Bytes&)>> damages = {
      [](Bytes& b) { b[17] ^= 1; },                            // CRC mismatch
      [](Bytes& b) { b.resize(10); },                          // short header
      [](Bytes& b) { testing::PutLe32(b, 4, 0); testing::PutLe32(b, 8, 1000); },  // dictionary past the end
      [](Bytes& b) { testing::PutLe32(b, 4, 0); testing::PutLe32(b, 12, 4); },    // dictionary in the header
  };
  for (std::size_t i = 0; i < damages.size(); ++i) {
    makeDamaged(damages[i]);
    ResourceFileWriter writer;
    ASSERT_TRUE(writer.Open(path_, false)) << i;
    ASSERT_TRUE(writer.WriteResource(TextBytes("fresh"), kMsct, 9, false));
    ASSERT_TRUE(writer.Close());
    const Bytes bytes = ReadBytes(path_);
    EXPECT_EQ(bytes.size(), 16u + 5 + 16) << i;
    EXPECT_EQ(LoadText(kMsct, 1), "<none>") << i;
    EXPECT_EQ(LoadText(kMsct, 9), "fresh") << i;
  }
}

TEST_F(ContainerWriterTest, AddModeRefusesAForeignFileAndLeavesItAlone) {
  for (const Bytes& foreign : {TextBytes("GIF89a and then some picture"), TextBytes("abc")}) {
    WriteBytes(path_, foreign);
    ResourceFileWriter writer;
    EXPECT_FALSE(writer.Open(path_, false, false));
    EXPECT_EQ(writer.LastErrorCode(), kErrNotResourceFile);
    EXPECT_EQ(writer.LastErrorText(),
              DescribeErrorText("File is not a recognized resource file.", path_, kErrNotResourceFile));
    EXPECT_FALSE(writer.WriteResource(TextBytes("x"), kMsct, 1, false));
    EXPECT_TRUE(writer.Close());
    EXPECT_EQ(ReadBytes(path_), foreign);
    EXPECT_EQ(FilesInFolder(), 1u);
  }
}

TEST_F(ContainerWriterTest, FailedOpenNamesItsStage) {
  const std::string missing = (dir_ / "no such folder" / "cat.mascot").string();
  ResourceFileWriter writer;
  EXPECT_FALSE(writer.Open("", true));
  EXPECT_EQ(writer.LastErrorCode(), 0u);
  EXPECT_FALSE(writer.Open(missing, true, true));
  EXPECT_EQ(writer.LastErrorCode(), 0xE0000AF2u);
  EXPECT_EQ(writer.LastErrorText(),
            DescribeErrorText("Opening resource file for writing", missing, 0xE0000AF2u));
  EXPECT_NE(writer.LastErrorText().find("No such file or directory"), std::string::npos);
  // Asked to, the failure also went to the error log.
  const Bytes log = ReadBytes(ErrorLogPath());
  EXPECT_NE(std::string(log.begin(), log.end()).find("Opening resource file for writing \"" + missing + "\""),
            std::string::npos);
}

// Writes beyond a file-size limit fail with EFBIG, a real write failure that
// needs no special file system.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &saved_);
    previousHandler_ = signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &saved_);
    signal(SIGXFSZ, previousHandler_);
  }

 private:
  rlimit saved_{};
  sighandler_t previousHandler_;
};

TEST_F(ContainerWriterTest, FailedWriteNamesTheResourceAndKeepsTheTarget) {
  const Bytes previous = TextBytes("the previous file");
  WriteBytes(path_, previous);
  ResourceFileWriter writer;
  {
    FileSizeLimit limit(64 * 1024);
    ASSERT_TRUE(writer.Open(path_, true));
    ASSERT_TRUE(writer.WriteResource(TextBytes("fits"), kMsct, 99, false));
    EXPECT_FALSE(writer.WriteResource(Bytes(512 * 1024, 7), kMsct, 100, false));
    EXPECT_EQ(writer.LastErrorCode(), CrtErrorCode(EFBIG));
    EXPECT_EQ(writer.LastErrorText(),
              DescribeErrorText("Writing resource TCSM 100", path_, CrtErrorCode(EFBIG)));
    EXPECT_FALSE(writer.Close());
  }
  EXPECT_EQ(ReadBytes(path_), previous);
  EXPECT_EQ(FilesInFolder(), 1u);
}

// Refused before a byte is written, yet the container without it is just as
// incomplete.
TEST_F(ContainerWriterTest, RefusedResourceKeepsTheTarget) {
  const Bytes previous = TextBytes("the previous file");
  WriteBytes(path_, previous);
  ResourceFileWriter writer;
  ASSERT_TRUE(writer.Open(path_, true));
  ASSERT_TRUE(writer.WriteResource(TextBytes("fits"), kMsct, 100, false));
  // Beyond the 31 bits of a location; refused on its size, so the one byte
  // behind the pointer is never read.
  const std::uint8_t one = 0;
  EXPECT_FALSE(writer.WriteResource(&one, 0x7FFFFFFFu, kMsct, 101, false));
  EXPECT_EQ(writer.LastErrorCode(), CrtErrorCode(EFBIG));
  EXPECT_FALSE(writer.WriteResource(nullptr, 4, kMsct, 102, false));
  EXPECT_FALSE(writer.Close());
  EXPECT_EQ(ReadBytes(path_), previous);
  EXPECT_EQ(FilesInFolder(), 1u);
}

}  // namespace
}  // namespace mascot
