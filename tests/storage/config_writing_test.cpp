#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "errors/system_error.h"
#include "storage/config_file.h"
#include "storage/config_test_files.h"

namespace mascot {
namespace {

using testing::ReadBytes;
using testing::WriteBytes;

const std::string kHeader =
    "; Configuration file for Tovra Mascot\r\n"
    "; (comments at the end of a line must be preceded by a tab-semicolon pair)\r\n";

TEST(ConfigWriting, ByteExactLayout) {
  std::string path = testing::FreshScratchFolder() + "/out.wmascot";
  ConfigFile config;
  ASSERT_TRUE(config.Open(path, "Tovra Mascot", false));
  EXPECT_TRUE(config.Flush());  // nothing to write yet
  EXPECT_FALSE(std::filesystem::exists(path));
  config.SetString("Mascot", "Name", "Walker");
  config.SetInt("Frame1", "JumpFrame", -1);
  config.SetString("Frame1", "Filename", "walk1.bmp");
  config.SetBool("Frame1", "Flag", true, "why");
  config.SetString("Frame1", "Blank", "");
  config.SetString("Gone", "X", "1");
  EXPECT_TRUE(config.RemoveSection("gone"));
  EXPECT_FALSE(config.RemoveSection("gone"));
  EXPECT_TRUE(config.Close());
  EXPECT_EQ(ReadBytes(path), kHeader +
                                 "[Frame1]\r\nBlank = \r\nFilename = walk1.bmp\r\nFlag = 1\t;why\r\n"
                                 "JumpFrame = -1\r\n\r\n"
                                 "[Mascot]\r\nName = Walker\r\n\r\n");
}

TEST(ConfigWriting, CaseInsensitiveOrderOfSectionsAndKeys) {
  ConfigFile config;
  for (const char* name : {"Mascot", "Frame2", "frame10", "Frame1"}) config.SetInt(name, "X", 1);
  for (const char* key : {"Name2", "Name10", "name1"}) config.SetString("List", key, key);
  std::vector<std::string> names, keys;
  for (const auto& [name, section] : config.sections()) names.push_back(section.name);
  for (const auto& [key, entry] : config.GetSection("LIST")->entries) keys.push_back(entry.key);
  EXPECT_EQ(names, (std::vector<std::string>{"Frame1", "frame10", "Frame2", "List", "Mascot"}));
  EXPECT_EQ(keys, (std::vector<std::string>{"name1", "Name10", "Name2"}));
}

TEST(ConfigWriting, LoadedFileIsNormalisedOnlyByWritableObjects) {
  std::string path = testing::FreshScratchFolder() + "/mascot.ini";
  WriteBytes(path, "; old comment\n[b]\nk=v  \t;c\n[A]\n  lead =x\n");
  {
    ConfigFile reader;
    ASSERT_TRUE(reader.Open(path, "", true));
    reader.SetString("A", "new", "1");
    EXPECT_FALSE(reader.RemoveSection("A"));
  }
  EXPECT_EQ(ReadBytes(path).find("new"), std::string::npos);
  {
    ConfigFile writer;
    ASSERT_TRUE(writer.Open(path, "Tovra Mascot", false));
  }  // destruction writes
  EXPECT_EQ(ReadBytes(path), kHeader + "[A]\r\n  lead = x\r\n\r\n[b]\r\nk = v\t;c\r\n\r\n");
}

TEST(ConfigWriting, FailedSaveKeepsTheOldFile) {
  std::string folder = testing::FreshScratchFolder();
  std::string path = folder + "/keep.ini";
  WriteBytes(path, "[S]\nA=old\n");
  ConfigFile config;
  ASSERT_TRUE(config.Open(path, "Tovra Mascot", false));
  config.SetString("S", "A", "new");

  // The target's folder goes away for a moment: nothing is written, the changes stay.
  std::filesystem::rename(folder, folder + "-moved");
  EXPECT_FALSE(config.Flush());
  EXPECT_EQ(LastSystemError(), CrtErrorCode(ENOENT));
  EXPECT_TRUE(config.isModified());
  std::filesystem::rename(folder + "-moved", folder);
  EXPECT_EQ(ReadBytes(path), "[S]\nA=old\n");

  // A folder as the target: the whole file is written but cannot replace it.
  std::string folderTarget = folder + "/target.ini";
  std::filesystem::create_directories(folderTarget + "/inside");
  ConfigFile other;
  EXPECT_FALSE(other.Open(folderTarget, "T", false));  // does not load, but is bound
  other.SetString("S", "A", "1");
  EXPECT_FALSE(other.Close());
  EXPECT_TRUE(std::filesystem::is_directory(folderTarget + "/inside"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder), {}), 2);  // no temporary left

  EXPECT_TRUE(config.Close());
  EXPECT_EQ(ReadBytes(path), kHeader + "[S]\r\nA = new\r\n\r\n");
}

}  // namespace
}  // namespace mascot
