#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>

#include "errors/system_error.h"
#include "storage/config_file.h"
#include "storage/config_test_files.h"

namespace mascot {
namespace {

class ConfigReading : public ::testing::Test {
 protected:
  bool Read(std::string_view text) {
    testing::WriteBytes(path_, text);
    return config_.Open(path_, "", true);
  }
  const ConfigEntry& Entry(std::string_view section, std::string_view key) {
    return config_.GetSection(section)->entries.find(key)->second;
  }
  std::string folder_ = testing::FreshScratchFolder();
  std::string path_ = folder_ + "/test.ini";
  ConfigFile config_;
};

TEST_F(ConfigReading, OnlyLinesWithEqualsCount) {
  EXPECT_FALSE(Read("; only a comment\r\n\r\n;another\n  ;note\n"));
  // Read, then dropped: outside any section, and with an empty key.
  EXPECT_TRUE(Read("Orphan=1\n[S]\n = 2\n"));
  EXPECT_TRUE(config_.sections().empty());
}

TEST_F(ConfigReading, CommentsAndHeadersOnlyAtTheFirstCharacter) {
  ASSERT_TRUE(Read("[ S ]tail\n  [T]\nA=1\n;B=2\n  ;C=3\n[Broken\nD=4\n[x]y]\r\nE=5\r\n[X]\nE=6"));
  EXPECT_EQ(config_.sections().size(), 2u);
  EXPECT_EQ(config_.GetSection("T"), nullptr);
  EXPECT_EQ(config_.GetString(" S ", "A", "-"), "1");
  EXPECT_EQ(config_.GetString(" S ", "B", "-"), "-");
  EXPECT_EQ(config_.GetString(" S ", "  ;C", "-"), "3");
  EXPECT_EQ(config_.GetString(" S ", "D", "-"), "4");  // "[Broken" keeps the section
  EXPECT_EQ(config_.GetString("x", "e", "-"), "6");    // later duplicates replace
}

TEST_F(ConfigReading, KeysValuesAndComments) {
  ASSERT_TRUE(Read("[S]\nPlain = a;b\nTabbed = a\t;b\nPadded = value   \n"
                   "PaddedComment = value  \t;  note \n Lead=1\nKey \t =   x=y\nEmpty =\n"));
  EXPECT_EQ(Entry("S", "Plain").value, "a;b");
  EXPECT_EQ(Entry("S", "Tabbed").value, "a");
  EXPECT_EQ(Entry("S", "Tabbed").comment, "b");
  EXPECT_EQ(Entry("S", "Padded").value, "value   ");
  EXPECT_EQ(Entry("S", "PaddedComment").value, "value");
  EXPECT_EQ(Entry("S", "PaddedComment").comment, "  note ");
  EXPECT_EQ(config_.GetString("S", "Lead", "-"), "-");
  EXPECT_EQ(Entry("S", " Lead").value, "1");
  EXPECT_EQ(Entry("S", "Key").value, "x=y");
  EXPECT_EQ(config_.GetString("S", "Empty", "default"), "");
}

TEST_F(ConfigReading, NumbersAndTruthValues) {
  ASSERT_TRUE(Read("[N]\nMixed=12abc\nWord=abc\nEmpty=\nNegative= -42\nPlus=+7\n"
                   "Huge=99999999999\nTiny=-99999999999\nTrue=5\n"));
  std::vector<std::pair<const char*, int>> expected = {
      {"Mixed", 12},        {"Word", 0},           {"Empty", 9},
      {"Missing", 9},       {"Negative", -42},     {"Plus", 7},
      {"Huge", 2147483647}, {"Tiny", -2147483647 - 1}};
  for (const auto& [key, value] : expected) EXPECT_EQ(config_.GetInt("N", key, 9), value) << key;
  EXPECT_FALSE(config_.GetBool("N", "Word", true));
  EXPECT_TRUE(config_.GetBool("N", "True", false));
  EXPECT_TRUE(config_.GetBool("N", "Empty", true));
}

TEST_F(ConfigReading, Windows1252FileIsConverted) {
  ASSERT_TRUE(Read("[S]\nName=Caf\xE9 \x80\x81\x9F\n"));
  EXPECT_EQ(config_.GetString("S", "Name", ""), "Caf\xC3\xA9 \xE2\x82\xAC\xC2\x81\xC5\xB8");
}

TEST_F(ConfigReading, OpenFailures) {
  std::string folder = folder_;
  ConfigFile missing;
  EXPECT_FALSE(missing.Open(folder + "/none.ini", "", true));
  EXPECT_EQ(LastSystemError(), 2u);
  EXPECT_TRUE(missing.Open(folder + "/none.ini", "", false));
  EXPECT_FALSE(missing.Open("", "", false));

  std::string locked = folder + "/locked.ini";
  testing::WriteBytes(locked, "[S]\nA=1\n");
  ASSERT_EQ(chmod(locked.c_str(), 0444), 0);
  EXPECT_FALSE(config_.Open(locked, "", false));
  EXPECT_EQ(LastSystemError(), 0xE0000AFDu);
  EXPECT_TRUE(config_.Open(locked, "", true));

  EXPECT_FALSE(config_.Open(folder, "", true));
  EXPECT_EQ(LastSystemError(), CrtErrorCode(EISDIR));
  std::string text = "[S]\nA=1\n";
  text.resize(ConfigFile::kMaxFileSize + 1, 'x');
  EXPECT_FALSE(Read(text));
  EXPECT_EQ(LastSystemError(), CrtErrorCode(EFBIG));
  EXPECT_TRUE(config_.sections().empty());
  // A file that could not be read is not replaced when a writable object closes.
  ConfigFile writer;
  EXPECT_FALSE(writer.Open(path_, "", false));
  EXPECT_TRUE(writer.Close());
  EXPECT_EQ(std::filesystem::file_size(path_), text.size());
}

}  // namespace
}  // namespace mascot
