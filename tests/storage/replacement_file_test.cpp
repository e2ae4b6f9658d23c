#include "storage/replacement_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

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

// A mascot kept elsewhere and linked into the Mascots folder: the save goes
// to the file the link names, in that file's folder, with its permissions.
TEST_F(ReplacementFileTest, SavingThroughALinkReplacesTheLinkedFile) {
  fs::create_directories(dir_ / "kept");
  fs::create_directories(dir_ / "shown");
  const fs::path real = dir_ / "kept" / "fox.mascot";
  Write(real, "old");
  chmod(real.c_str(), 0604);
  const fs::path link = dir_ / "shown" / "fox.mascot";
  fs::create_symlink("../kept/fox.mascot", link);
  {
    ReplacementFile file(link.string());
    ASSERT_TRUE(file.isReady());
    EXPECT_TRUE(fs::equivalent(fs::path(file.path()).parent_path(), dir_ / "kept"))
        << "a rename cannot cross file systems";
    Write(file.path(), "new");
    ASSERT_TRUE(file.commit());
  }
  EXPECT_TRUE(fs::is_symlink(link)) << "the link is still a link";
  EXPECT_EQ(Read(real), "new");
  struct stat st {};
  ASSERT_EQ(stat(real.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0604u);
  EXPECT_EQ(st.st_uid, getuid());
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "kept"), {}), 1);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_ / "shown"), {}), 1);

  // A link whose file does not exist yet makes that file.
  fs::create_symlink("../kept/new.mascot", dir_ / "shown" / "new.mascot");
  ReplacementFile fresh((dir_ / "shown" / "new.mascot").string());
  Write(fresh.path(), "made");
  ASSERT_TRUE(fresh.commit());
  EXPECT_EQ(Read(dir_ / "kept" / "new.mascot"), "made");
  EXPECT_TRUE(fs::is_symlink(dir_ / "shown" / "new.mascot"));
}

}  // namespace
}  // namespace mascot
