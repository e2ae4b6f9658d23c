#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "storage/config_file.h"
#include "storage/config_test_files.h"
#include "storage/mascot_library.h"

namespace mascot {
namespace {

class MascotLibrary : public ::testing::Test {
 protected:
  void SetUp() override { SetProgramFolderForTesting(folder_); }
  void TearDown() override { SetProgramFolderForTesting(""); }
  std::string folder_ = testing::FreshScratchFolder();
};

TEST_F(MascotLibrary, FilesBesideTheProgram) {
  EXPECT_EQ(SettingsFilePath(), folder_ + "/mascot.ini");
  EXPECT_EQ(MascotsFolderPath(), folder_ + "/Mascots");
  EXPECT_TRUE(std::filesystem::is_directory(folder_ + "/Mascots"));

  SetProgramFolderForTesting("");
  EXPECT_TRUE(std::filesystem::exists(ProgramFolder() + "/test_storage"));
}

TEST_F(MascotLibrary, ListsMascotFilesWithoutCase) {
  std::string mascots = MascotsFolderPath();
  for (const char* name : {"a.mascot", "b.MASCOT", "c.wmascot", "d.mascot.bak"})
    testing::WriteBytes(mascots + "/" + name, "x");
  std::filesystem::create_directory(mascots + "/folder.mascot");
  std::vector<std::string> list{"stale"};
  ListInstalledMascots(list);
  std::sort(list.begin(), list.end());
  EXPECT_EQ(list, (std::vector<std::string>{"a.mascot", "b.MASCOT"}));

  std::filesystem::remove_all(mascots);
  testing::WriteBytes(mascots, "a file in the way");
  ListInstalledMascots(list);
  EXPECT_TRUE(list.empty());
}

TEST_F(MascotLibrary, IdentifiesFilesByTheirFirstBytes) {
  std::string path = folder_ + "/file";
  testing::WriteBytes(path, std::string("RRVQ") + std::string(12, '\0'));
  EXPECT_EQ(IdentifyMascotFile(path), kPublishedMascotFile);
  testing::WriteBytes(path, "RRVQ short");
  EXPECT_EQ(IdentifyMascotFile(path), kUnknownFile);
  testing::WriteBytes(path, "; Some other file\r\n[Configuration]\r\n");
  EXPECT_EQ(IdentifyMascotFile(path), kUnknownFile);
  EXPECT_EQ(IdentifyMascotFile(folder_ + "/missing"), kUnknownFile);

  ConfigFile work;  // a work file without any section
  ASSERT_TRUE(work.Open(folder_ + "/w.wmascot", "Tovra Mascot", false));
  ASSERT_TRUE(work.Save());
  EXPECT_EQ(IdentifyMascotFile(folder_ + "/w.wmascot"), kWorkFile);
}

}  // namespace
}  // namespace mascot
