// The program installed under a prefix, run by a user with a fresh home:
// the packaged mascot shows, and what it writes goes to the home folder's
// XDG places, never beside the program.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "desktop/mascot_desktop.h"
#include "preferences/mascot_preferences.h"

namespace mascot {
namespace {

namespace fs = std::filesystem;
using testing::WaitFor;
using Names = std::vector<std::string>;

Names FolderListing(const fs::path& folder) {
  Names names;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) names.push_back(entry.path().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string ReadText(const fs::path& path) {
  std::ifstream in(path);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

class XdgPaths : public MascotProgram {
 protected:
  // <root>/prefix/bin/mascot with its help and one sample mascot in
  // <root>/prefix/share/tovra-mascot, as a package installs them.
  void SetUp() override {
    MascotProgram::SetUp();
    fs::remove_all(root_);
    const fs::path built = fs::path(MASCOT_PROGRAM).parent_path();
    fs::create_directories(bin_);
    fs::create_directories(share_ / "Mascots");
    fs::create_directories(home_);
    fs::copy_file(MASCOT_PROGRAM, program_);
    fs::copy_file(built / "Mascot.hlp", share_ / "Mascot.hlp");
    fs::copy_file(SamplePath("Moss"), share_ / "Mascots" / "Moss.mascot");
    chmod(bin_.c_str(), 0555);

    for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME"}) {
      if (const char* value = std::getenv(name)) kept_.emplace_back(name, value);
      unsetenv(name);
    }
    programEnvironment = {"HOME=" + home_.string(), "XDG_DATA_DIRS=" + (root_ / "no-data").string()};
  }

  void TearDown() override {
    MascotProgram::TearDown();
    for (const auto& [name, value] : kept_) setenv(name.c_str(), value.c_str(), 1);
    chmod(bin_.c_str(), 0755);
    fs::remove_all(root_);
  }

  fs::path root_ = fs::temp_directory_path() / ("tovra-xdg-" + std::to_string(getpid()));
  fs::path bin_ = root_ / "prefix" / "bin";
  fs::path share_ = root_ / "prefix" / "share" / "tovra-mascot";
  fs::path program_ = bin_ / "mascot";
  fs::path home_ = root_ / "home";
  std::vector<std::pair<std::string, std::string>> kept_;
};

TEST_F(XdgPaths, AnInstalledProgramKeepsItsFilesInTheHomeFolder) {
  const Names packaged = FolderListing(root_ / "prefix");
  sample = OpenPublishedMascot(SamplePath("Moss"));
  ASSERT_TRUE(sample);

  // In order over the packaged mascot: the start moves the rotation on, to
  // be saved at exit.
  const fs::path settings = home_ / ".config/tovra-mascot/mascot.ini";
  fs::create_directories(settings.parent_path());
  MascotPreferences start;
  start.SelectionMode = kSelectInOrder;
  start.SelectedList = {"Moss.mascot"};
  ASSERT_TRUE(start.save(settings.string(), "Tovra Mascot"));

  addWindow("Target", {200, 300, 700, 600}, 0x6080c0);
  mascotPid = startMascot({}, program_.c_str());
  ASSERT_TRUE(mascotPid);
  const WindowId mascot = waitForMascot();
  ASSERT_NE(mascot, kNoWindow);
  EXPECT_TRUE(waitForShown(mascot, {sample}, MASCOT_SCREENSHOTS "/xdg-packaged-mascot.png"))
      << "the packaged mascot is not on show";
  EXPECT_TRUE(fs::is_directory(home_ / ".local/share/tovra-mascot/Mascots")) << "the user's mascots folder";

  // Preferences (up from Exit): start at login, then OK.
  mascotMenu(mascot, {"Up", "Up", "Return"});
  const xcb_window_t dialog = waitForTitle("Tovra Mascot Preferences");
  ASSERT_TRUE(dialog) << "no preferences dialog";
  run({"windowactivate", "--sync", std::to_string(dialog)});
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  keys({"alt+s"});
  client.saveScreenshot(MASCOT_SCREENSHOTS "/xdg-preferences.png");
  keys({"Return"});
  const fs::path entry = home_ / ".config/autostart/tovra-mascot.desktop";
  ASSERT_TRUE(WaitFor([&] { return fs::exists(entry); })) << "no login start entry";
  EXPECT_NE(ReadText(entry).find("\nExec=" + program_.string() + "\n"), std::string::npos) << ReadText(entry);

  mascotMenu(mascot, {"Up", "Return"});
  EXPECT_EQ(WaitForExit(mascotPid, std::chrono::seconds(10)), 0);
  MascotPreferences saved;
  ASSERT_TRUE(saved.load(settings.string()));
  EXPECT_EQ(saved.CurrentSelection, 1) << "the rotation was not saved at exit";
  EXPECT_EQ(FolderListing(root_ / "prefix"), packaged) << "something was written beside the program";

  // Started again, a PylX mascot imported from the menu (second from the
  // top) goes to the user's folder.
  mascotPid = startMascot({}, program_.c_str());
  const WindowId again = waitForMascot();
  ASSERT_NE(again, kNoWindow);
  ASSERT_TRUE(waitForShown(again, {sample}, MASCOT_SCREENSHOTS "/xdg-started-again.png"));
  mascotMenu(again, {"Down", "Down", "Return"});
  const xcb_window_t chooser = waitForTitle("Import an PylX Mascot", std::chrono::seconds(10));
  ASSERT_TRUE(chooser) << "no file dialog for the import";
  run({"windowactivate", "--sync", std::to_string(chooser)});
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  keys({"ctrl+a", "BackSpace"});
  run({"type", "--delay", "20", MASCOT_SOURCE_DIR "/samples/pylx/twinkle.pylx"});
  keys({"Return"});
  const xcb_window_t told = waitForTitle("Importing Mascots", std::chrono::seconds(10));
  ASSERT_TRUE(told) << "no word on the import";
  run({"windowactivate", "--sync", std::to_string(told)});
  keys({"Return"});
  ASSERT_TRUE(goneWithTitle("Importing Mascots"));
  EXPECT_TRUE(fs::exists(home_ / ".local/share/tovra-mascot/Mascots/twinkle.mascot")) << "not in the user's folder";
  EXPECT_EQ(FolderListing(root_ / "prefix"), packaged) << "the import wrote beside the program";
}

}  // namespace
}  // namespace mascot
