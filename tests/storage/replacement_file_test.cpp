#include "storage/replacement_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "errors/system_error.h"
#include "scratch_folder.h"

namespace mascot {
namespace {

namespace fs = std::filesystem;

class ReplacementFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = testing::ScratchFolder();
  }
  static void Write(const fs::path& p, const std::string& s) { std::ofstream(p, std::ios::binary) << s; }
  static std::string Read(const fs::path& p) {
    std::ostringstream out;
    out << std::ifstream(p, std::ios::binary).rdbuf();
    return out.str();
  }
  size_t EntryCount() const { return static_cast<size_t>(std::distance(fs::directory_iterator(dir_), {})); }
  fs::path dir_;
};

TEST_F(ReplacementFileTest, TargetChangesOnlyOnCommit) {
  fs::path target = dir_ / "a.ini";
  Write(target, "old");
  chmod(target.c_str(), 0640);
  {
    ReplacementFile file(target.string());
    ASSERT_TRUE(file.isReady());
    Write(file.path(), "new");
    EXPECT_EQ(Read(target), "old");
    ASSERT_TRUE(file.commit());
  }
  EXPECT_EQ(Read(target), "new");
  EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(ReplacementFileTest, AbandonedWriteLeavesTheOldFileAndNoTemporary) {
  fs::path target = dir_ / "b.mascot";
  Write(target, "keep me");
  {
    ReplacementFile file(target.string());
    ASSERT_TRUE(file.copyFromTarget());
    EXPECT_EQ(Read(file.path()), "keep me");
    std::ofstream(file.path(), std::ios::app) << " and more";
  }
  EXPECT_EQ(Read(target), "keep me");
  EXPECT_EQ(EntryCount(), 1u);
}

TEST_F(ReplacementFileTest, MissingFolderIsReportedAsACRuntimeError) {
  ReplacementFile file((dir_ / "no-such-folder" / "c.ini").string());
  EXPECT_FALSE(file.isReady());
  EXPECT_EQ(LastSystemError(), 0xE0000AF2u);
  EXPECT_FALSE(file.commit());

  ReplacementFile fresh((dir_ / "d.ini").string());
  EXPECT_FALSE(fresh.copyFromTarget());
  EXPECT_EQ(LastSystemError(), 0xE0000AF2u);
}

}  // namespace
}  // namespace mascot
