#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "import/pylx_resource_file.h"
#include "scratch_folder.h"

namespace mascot {
namespace {

TEST(PylxResourceFile, ReadsKeyColonValueLines) {
  PylxResourceFile file;
  file.values["stale"] = "from an earlier file";
  ParsePylxResourceText(
      "! Pylx*menu.titleE: a comment\r\n"
      "Pylx*menu.titleE :  My Pet\r\n"
      "\n"
      "a line without the separator\n"
      "Pylx*menu.wordClk:\tHello: there  \n"
      "Pylx*menu.numFrame:1\n"
      "Pylx*menu.numFrame:   2\n"
      "  Indented : kept as written\n"
      "Last:line without end",
      file);
  const std::map<std::string, std::string> expected = {
      {"Pylx*menu.titleE", "My Pet"},
      {"Pylx*menu.wordClk", "Hello: there  "},
      {"Pylx*menu.numFrame", "2"},
      {"  Indented", "kept as written"},
      {"Last", "line without end"},
  };
  EXPECT_EQ(file.values, expected);
  EXPECT_EQ(file.text("Pylx*menu.titleE"), "My Pet");
  EXPECT_EQ(file.text("Pylx*menu.missing", "Unknown"), "Unknown");
  EXPECT_EQ(file.integer("Pylx*menu.numFrame", 0), 2);
  EXPECT_EQ(file.integer("Pylx*menu.startClk", -1), -1);
}

TEST(PylxResourceFile, ReadsIntegersAsTheCLibraryDoes) {
  const std::pair<const char*, std::int32_t> cases[] = {
      {"42", 42},          {"  \t-7 tenths", -7}, {"+3", 3}, {"12abc", 12},       {"abc", 0},
      {"", 0},             {"- 5", 0},           {"99999999999", 2147483647}, {"-99999999999", -2147483647 - 1},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(ParseCInteger(text), value) << text;
}

TEST(PylxResourceFile, ReadsFilesAsUtf8OrWindows1252) {
  const std::string folder = testing::ScratchFolder().string();
  std::ofstream(folder + "/old.pylx", std::ios::binary) << "Pylx*menu.titleE: Caf\xE9\n";
  std::ofstream(folder + "/new.pylx", std::ios::binary) << "Pylx*menu.titleE: Caf\xC3\xA9\n";
  std::ofstream(folder + "/none.pylx", std::ios::binary) << "! nothing here\nno separator\n";

  PylxResourceFile file;
  ASSERT_TRUE(ReadPylxResourceFile(folder + "/old.pylx", file));
  EXPECT_EQ(file.text("Pylx*menu.titleE"), "Caf\xC3\xA9");
  ASSERT_TRUE(ReadPylxResourceFile(folder + "/new.pylx", file));
  EXPECT_EQ(file.text("Pylx*menu.titleE"), "Caf\xC3\xA9");
  EXPECT_EQ(file.path, folder + "/new.pylx");
  EXPECT_FALSE(ReadPylxResourceFile(folder + "/none.pylx", file));
  EXPECT_FALSE(ReadPylxResourceFile(folder + "/missing.pylx", file));
  EXPECT_TRUE(file.values.empty());
}

}  // namespace
}  // namespace mascot
