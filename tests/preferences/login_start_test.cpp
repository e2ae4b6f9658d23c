#include "preferences/login_start.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "scratch_folder.h"

namespace mascot {
namespace {

namespace fs = std::filesystem;

std::string ReadText(const fs::path& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(LoginStart, TheEntryStartsTheRunningProgram) {
  const std::string text = LoginStartEntryText("/usr/bin/mascot");
  EXPECT_EQ(text.rfind("[Desktop Entry]\n", 0), 0u);
  for (const char* line : {"\nType=Application\n", "\nName=Tovra Mascot\n", "\nExec=/usr/bin/mascot\n",
                           "\nIcon=tovra-mascot\n", "\nX-GNOME-Autostart-enabled=true\n"})
    EXPECT_NE(text.find(line), std::string::npos) << line;

  // A path the desktop would split or expand is quoted, field codes escaped.
  const std::string odd = LoginStartEntryText("/home/a b/100%/$x\"y/mascot");
  EXPECT_NE(odd.find("\nExec=\"/home/a b/100%%/\\\\$x\\\\\"y/mascot\"\n"), std::string::npos) << odd;
}

TEST(LoginStart, TheEntryIsWrittenDetectedAndRemoved) {
  const fs::path config = testing::ScratchFolder() / "config";
  ProgramLocations locations;
  locations.autostartFolder = (config / "autostart").string();
  const std::string entry = LoginStartEntryPath(locations);
  EXPECT_EQ(entry, (config / "autostart" / "tovra-mascot.desktop").string());
  EXPECT_FALSE(LoginStartEntryExists(entry));

  ASSERT_TRUE(SetLoginStartEntry(entry, true, "/opt/tm/bin/mascot")) << "creates the autostart folder";
  EXPECT_TRUE(LoginStartEntryExists(entry));
  EXPECT_EQ(ReadText(entry), LoginStartEntryText("/opt/tm/bin/mascot"));
  ASSERT_TRUE(SetLoginStartEntry(entry, true, "/usr/bin/mascot"));
  EXPECT_EQ(ReadText(entry), LoginStartEntryText("/usr/bin/mascot")) << "replaced";

  ASSERT_TRUE(SetLoginStartEntry(entry, false, {}));
  EXPECT_FALSE(LoginStartEntryExists(entry));
  EXPECT_TRUE(SetLoginStartEntry(entry, false, {})) << "nothing to remove";
}

TEST(LoginStart, FailuresAreReported) {
  const fs::path root = testing::ScratchFolder();
  std::ofstream(root / "autostart") << "a file where the folder belongs";
  const std::string blocked = (root / "autostart" / "tovra-mascot.desktop").string();
  EXPECT_FALSE(SetLoginStartEntry(blocked, true, "/usr/bin/mascot"));
  EXPECT_FALSE(LoginStartEntryExists(blocked));

  fs::create_directories(root / "folder.desktop" / "inside");
  EXPECT_FALSE(LoginStartEntryExists((root / "folder.desktop").string()));
  EXPECT_FALSE(SetLoginStartEntry((root / "folder.desktop").string(), false, {}));
  EXPECT_FALSE(SetLoginStartEntry({}, true, "/usr/bin/mascot")) << "no home folder";
}

}  // namespace
}  // namespace mascot
