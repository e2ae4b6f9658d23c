#include <gtest/gtest.h>

#include <filesystem>

#include "storage/config_test_files.h"
#include "storage/file_info.h"
#include "storage/filter_string.h"
#include "storage/paths.h"

namespace mascot {
namespace {

TEST(Paths, SplittingAndJoining) {
  EXPECT_EQ(FileNamePart("C:\\Data\\cat.mascot"), "cat.mascot");
  EXPECT_EQ(FileNamePart("a\\b/c"), "b/c");  // a backslash wins over a later slash
  EXPECT_EQ(FolderWithSeparator("a/b/c"), "a/b/");
  EXPECT_EQ(FolderWithSeparator("c"), "");
  EXPECT_EQ(FolderPart("C:\\Data\\cat.mascot"), "C:\\Data");
  EXPECT_EQ(FolderPart("C:cat.mascot"), "C");
  EXPECT_EQ(FolderPart("cat.mascot"), "cat.mascot");

  EXPECT_EQ(JoinPath("C:\\Data\\", "\\x.mascot"), "C:\\Data\\x.mascot");
  EXPECT_EQ(JoinPath("C:\\Data", "x.mascot"), "C:\\Data\\x.mascot");
  EXPECT_EQ(JoinPath("", "x"), "x");
  EXPECT_EQ(JoinPath("a/b", "c"), "a/b/c");
  EXPECT_EQ(JoinPath("a/b/", ""), "a/b/");
  EXPECT_EQ(JoinPath("a/b\\c", "d"), "a/b\\c\\d");
  EXPECT_EQ(NativePath("C:\\Data/x\\y"), "C:/Data/x/y");
}

TEST(Paths, ChangeExtension) {
  EXPECT_EQ(ChangeExtension("walk.bmp", ".mascot"), "walk.mascot");
  EXPECT_EQ(ChangeExtension("walk.bmp", "mascot"), "walk.mascot");
  EXPECT_EQ(ChangeExtension("notes.longext1", ".mascot"), "notes.longext1.mascot");
  EXPECT_EQ(ChangeExtension("notes.longext", ".mascot"), "notes.mascot");
  EXPECT_EQ(ChangeExtension("/opt/my.app/mascot", "elog"), "/opt/my.app/mascot.elog");
  EXPECT_EQ(ChangeExtension("walk.bmp", ""), "walk");
}

TEST(Paths, ForbiddenCharactersAndFilters) {
  EXPECT_EQ(StripForbiddenFileNameChars("My Cat: v1.0"), "My Cat v10");
  EXPECT_EQ(StripForbiddenFileNameChars(".\"/\\[]:;|=,ok"), "ok");
  for (char ch : std::string_view("<>*?' -_")) EXPECT_FALSE(IsForbiddenFileNameChar(ch)) << ch;
  EXPECT_EQ(MakeFilterString("A (*.x)|*.x|"), std::string("A (*.x)\0*.x\0", 12));
}

TEST(FileInfo, ExistenceFoldersAndWriteTimes) {
  std::string folder = testing::FreshScratchFolder();
  std::string file = folder + "/f.txt";
  testing::WriteBytes(file, "x");
  EXPECT_TRUE(FileExists(file) && FileExists(folder));
  EXPECT_TRUE(IsFolder(folder) && !IsFolder(file));
  EXPECT_FALSE(FileExists(folder + "/none"));

  std::uint64_t first = 0, second = 0;
  ASSERT_TRUE(LastWriteTime(file, first));
  std::filesystem::last_write_time(file, std::filesystem::last_write_time(file) + std::chrono::seconds(2));
  ASSERT_TRUE(LastWriteTime(file, second));
  EXPECT_EQ(second - first, 2'000'000'000u);
  EXPECT_FALSE(LastWriteTime(folder + "/none", second));

  EXPECT_EQ(FullPath("a/../b\\c"), (std::filesystem::current_path() / "b/c").string());
  EXPECT_EQ(FullPath("/x/./y"), "/x/y");
}

}  // namespace
}  // namespace mascot
