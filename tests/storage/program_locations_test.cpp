#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "storage/config_test_files.h"
#include "storage/mascot_library.h"
#include "storage/program_locations.h"

namespace mascot {
namespace {

using Folders = std::vector<std::string>;

LocationInputs Installed() {
  LocationInputs inputs;
  inputs.programFolder = "/opt/tm/bin";
  inputs.home = "/home/ann";
  return inputs;
}

TEST(ProgramLocations, PortableOnlyInAWritableFolderWithItsMascots) {
  LocationInputs inputs = Installed();
  inputs.programFolderWritable = inputs.programFolderHasMascots = true;
  ProgramLocations portable = DecideLocations(inputs);
  EXPECT_TRUE(portable.portable);
  EXPECT_EQ(portable.settingsFile, "/opt/tm/bin/mascot.ini");
  EXPECT_EQ(portable.userMascots, "/opt/tm/bin/Mascots");
  EXPECT_TRUE(portable.sharedMascots.empty());
  EXPECT_EQ(portable.programFiles, "/opt/tm/bin");
  EXPECT_EQ(portable.autostartFolder, "/home/ann/.config/autostart") << "login start works either way";

  for (bool writable : {false, true}) {
    inputs.programFolderWritable = writable;
    inputs.programFolderHasMascots = !writable;
    EXPECT_FALSE(DecideLocations(inputs).portable) << writable;
  }
}

TEST(ProgramLocations, InstalledFollowsTheXdgDefaults) {
  ProgramLocations installed = DecideLocations(Installed());
  EXPECT_FALSE(installed.portable);
  EXPECT_EQ(installed.settingsFile, "/home/ann/.config/tovra-mascot/mascot.ini");
  EXPECT_EQ(installed.userMascots, "/home/ann/.local/share/tovra-mascot/Mascots");
  EXPECT_EQ(installed.programFiles, "/opt/tm/share/tovra-mascot");
  EXPECT_EQ(installed.sharedMascots, (Folders{"/opt/tm/share/tovra-mascot/Mascots",
                                              "/usr/local/share/tovra-mascot/Mascots",
                                              "/usr/share/tovra-mascot/Mascots"}));
  EXPECT_EQ(installed.autostartFolder, "/home/ann/.config/autostart");
}

TEST(ProgramLocations, XdgVariablesOverrideAndRelativeValuesAreIgnored) {
  LocationInputs inputs = Installed();
  inputs.programFolder = "/usr/bin";
  inputs.configHome = "/cfg/";
  inputs.dataHome = "/data";
  inputs.dataDirs = "relative/share:/srv/share/::/usr/share";
  ProgramLocations set = DecideLocations(inputs);
  EXPECT_EQ(set.settingsFile, "/cfg/tovra-mascot/mascot.ini");
  EXPECT_EQ(set.autostartFolder, "/cfg/autostart");
  EXPECT_EQ(set.userMascots, "/data/tovra-mascot/Mascots");
  // The package's own folder is also a data folder: listed once.
  EXPECT_EQ(set.sharedMascots, (Folders{"/usr/share/tovra-mascot/Mascots", "/srv/share/tovra-mascot/Mascots"}));

  inputs.configHome = "cfg";
  inputs.dataHome = "./data";
  inputs.dataDirs = "share:other";
  ProgramLocations relative = DecideLocations(inputs);
  EXPECT_EQ(relative.settingsFile, "/home/ann/.config/tovra-mascot/mascot.ini");
  EXPECT_EQ(relative.userMascots, "/home/ann/.local/share/tovra-mascot/Mascots");
  EXPECT_EQ(relative.sharedMascots, (Folders{"/usr/share/tovra-mascot/Mascots",
                                             "/usr/local/share/tovra-mascot/Mascots"}));

  inputs.home = "home/ann";  // no usable home: nowhere to write
  ProgramLocations homeless = DecideLocations(inputs);
  EXPECT_TRUE(homeless.settingsFile.empty());
  EXPECT_TRUE(homeless.userMascots.empty());
  EXPECT_TRUE(homeless.autostartFolder.empty());
}

TEST(ProgramLocations, TheUsersMascotWinsOverAPackagedOneOfTheSameName) {
  const std::string root = testing::FreshScratchFolder();
  ProgramLocations locations;
  locations.userMascots = root + "/user";
  locations.sharedMascots = {root + "/package", root + "/missing", root + "/system"};
  for (const char* file : {"user/mine.mascot", "user/both.mascot", "package/both.mascot", "package/packaged.mascot",
                           "system/packaged.mascot", "system/system.MASCOT", "system/notes.txt"}) {
    std::filesystem::create_directories(std::filesystem::path(root + "/" + file).parent_path());
    testing::WriteBytes(root + "/" + file, file);
  }
  std::vector<std::string> list{"stale"};
  ListMascotsIn(locations, list);
  std::sort(list.begin(), list.begin() + 2);
  std::sort(list.begin() + 2, list.end());
  EXPECT_EQ(list, (Folders{"both.mascot", "mine.mascot", "packaged.mascot", "system.MASCOT"}));

  EXPECT_EQ(FindMascotIn(locations, "both.mascot"), root + "/user/both.mascot");
  EXPECT_EQ(FindMascotIn(locations, "packaged.mascot"), root + "/package/packaged.mascot");
  EXPECT_EQ(FindMascotIn(locations, "system.MASCOT"), root + "/system/system.MASCOT");
  EXPECT_EQ(FindMascotIn(locations, "gone.mascot"), root + "/user/gone.mascot");
}

}  // namespace
}  // namespace mascot
