// The preferences dialog from the mascot's menu: what it saves to
// mascot.ini, and the rotation that follows.
#include <filesystem>
#include <thread>

#include "desktop/kept_settings.h"
#include "desktop/mascot_desktop.h"
#include "preferences/mascot_preferences.h"

namespace mascot {
namespace {

namespace fs = std::filesystem;
using testing::KeptSettings;
using testing::WaitFor;
using Names = std::vector<std::string>;

class Preferences : public MascotProgram {
 protected:
  // After the program has gone: it saves its preferences as it ends.
  void TearDown() override {
    MascotProgram::TearDown();
    settings.restore();
  }

  // The mascot's menu at a point of it, then keys. The pointer leaves the
  // mascot afterwards, and its tip with it, so that nothing covers either.
  void menu(WindowId mascot, const std::vector<std::string>& path) {
    mascotMenu(mascot, path);
    pointTo(find(mascot)->frame.left + solidPoint()->first, 730);
    const auto isTip = [this](xcb_window_t w) { return client.windowClass(w) == "Mascot Tool Tip"; };
    ASSERT_TRUE(WaitFor([&] { return client.findShownWindow(isTip) == 0; })) << "the tip stayed";
  }
  // Keys, then time for what a mnemonic's animated click sets off.
  void press(const std::vector<std::string>& names) {
    keys(names);
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
  }

  KeptSettings settings{fs::path(MASCOT_PROGRAM).parent_path() / "mascot.ini"};
};

TEST_F(Preferences, InOrderEveryMinuteIsSavedAndRotates) {
  Names installed;
  for (const auto& entry : fs::directory_iterator(MASCOTS_FOLDER)) installed.push_back(entry.path().filename());
  std::sort(installed.begin(), installed.end());
  ASSERT_EQ(installed, (Names{"Bolt.mascot", "Moss.mascot", "Pip.mascot"})) << "the three samples";
  const auto bolt = OpenPublishedMascot(SamplePath("Bolt"));
  const auto moss = OpenPublishedMascot(SamplePath("Moss"));
  ASSERT_TRUE(bolt && moss);

  // Moss at random, on start only.
  MascotPreferences start;
  start.SelectedList = {"Moss.mascot"};
  ASSERT_TRUE(start.save(settings.path().string(), "Tovra Mascot"));

  const WindowId mascot = startSampleOn(addWindow("Target", {200, 300, 700, 600}, 0x6080c0), "Pip");
  ASSERT_NE(mascot, kNoWindow);
  // Up from Exit to Preferences.
  menu(mascot, {"Up", "Up", "Return"});
  const xcb_window_t dialog = waitForTitle("Tovra Mascot Preferences");
  ASSERT_TRUE(dialog) << "no preferences dialog";
  run({"windowactivate", "--sync", std::to_string(dialog)});
  std::this_thread::sleep_for(std::chrono::milliseconds(300));

  // Every minute: the field follows its radio button in the tab order.
  press({"alt+m"});
  press({"Tab", "ctrl+a", "1", "Tab"});
  // In Order; Bolt, the first on the left, after Moss.
  press({"alt+i"});
  // (The list's first row is current but not selected until the cursor moves.)
  press({"Tab", "End", "Home", "Tab", "space"});
  client.saveScreenshot(MASCOT_SCREENSHOTS "/preferences-selected.png");

  // The days have a list of their own: Bolt and Moss there.
  press({"alt+e"});
  press({"Tab", "End", "Home", "shift+Down", "Tab", "space"});
  client.saveScreenshot(MASCOT_SCREENSHOTS "/preferences-daily.png");
  press({"alt+i", "Return"});
  ASSERT_TRUE(goneWithTitle("Tovra Mascot Preferences"));

  MascotPreferences saved;
  // (A loaded machine may take its time to write.)
  ASSERT_TRUE(WaitFor([&] { return saved.load(settings.path().string()) && saved.SelectionMode == kSelectInOrder; },
                      std::chrono::seconds(10)))
      << "mascot.ini was not written (selection mode " << saved.SelectionMode << ")";
  EXPECT_EQ(saved.ChangeMode, kChangePeriodically);
  EXPECT_EQ(saved.ChangePeriod, 1u);
  EXPECT_EQ(saved.SelectedList, (Names{"Moss.mascot", "Bolt.mascot"}));
  EXPECT_EQ(saved.DayOfWeekList, (Names{"Bolt.mascot", "Moss.mascot"}));
  EXPECT_EQ(saved.HideIfTargetAtTop, 0);

  // The change of timing changed the mascot at once, by the old rule: Moss.
  ASSERT_TRUE(waitForShown(mascot, {moss}, MASCOT_SCREENSHOTS "/preferences-rotation.png"));
  // In order from the first: Moss (on show already), Bolt, Moss again. The
  // menu is asked for at a point of the mascot on show.
  sample = moss;
  for (const auto& next : {moss, bolt, moss}) {
    menu(mascot, {"Down", "Down", "Down", "Return"});
    ASSERT_TRUE(waitForShown(mascot, {next}, MASCOT_SCREENSHOTS "/preferences-rotation.png")) << next->name;
    sample = next;
  }
}

}  // namespace
}  // namespace mascot
