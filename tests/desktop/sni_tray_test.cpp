// The program's icon on a D-Bus item tray, as the panels of today's desktops
// show it: a private session bus with a watcher that is its own panel, and
// the calls a panel makes on the item when it is clicked.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "desktop/mascot_desktop.h"
#include "host/popup_menus.h"

namespace mascot {
namespace {

using testing::WaitFor;

constexpr char kPython[] = "/usr/bin/python3";

std::string WatcherScript() { return MASCOT_SOURCE_DIR "/tests/desktop/status_notifier_watcher.py"; }

std::string Quoted(const std::string& word) {
  std::string quoted = "'";
  for (const char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// Runs a shell command: what it printed, or nullopt when it failed.
std::optional<std::string> Output(const std::string& command) {
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return std::nullopt;
  std::string output;
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
  return pclose(pipe) == 0 ? std::optional(output) : std::nullopt;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

class StatusNotifierTray : public MascotProgram {
 protected:
  void SetUp() override {
    if (!Output("command -v dbus-daemon >/dev/null")) GTEST_SKIP() << "dbus-daemon is not installed";
    if (access(kPython, X_OK) != 0 || !Output(std::string(kPython) + " -c 'import dbus_next' 2>/dev/null"))
      GTEST_SKIP() << kPython << " has no dbus_next (python3-dbus-next)";
    MascotProgram::SetUp();

    // A bus of the test's own, for the program and the watcher it starts.
    const auto bus = Output("dbus-daemon --session --fork --print-address=1 --print-pid=1");
    ASSERT_TRUE(bus) << "no session bus";
    const std::vector<std::string> lines = Lines(*bus);
    ASSERT_EQ(lines.size(), 2u) << *bus;
    busPid_ = std::stoi(lines[1]);
    if (const char* old = std::getenv("DBUS_SESSION_BUS_ADDRESS")) oldBus_ = old;
    setenv("DBUS_SESSION_BUS_ADDRESS", lines[0].c_str(), 1);

    // The toolkit chooses its tray once, as the icon is made: the watcher
    // must be there first.
    watcher_ = popen(("exec " + std::string(kPython) + " " + Quoted(WatcherScript()) + " serve").c_str(), "r");
    ASSERT_TRUE(watcher_);
    char ready[64] = {};
    ASSERT_TRUE(std::fgets(ready, sizeof ready, watcher_)) << "the watcher did not start";
    ASSERT_EQ(std::sscanf(ready, "ready %d", &watcherPid_), 1) << ready;
  }

  void TearDown() override {
    MascotProgram::TearDown();
    if (watcherPid_) kill(watcherPid_, SIGTERM);
    if (watcher_) pclose(watcher_);
    if (busPid_) kill(busPid_, SIGTERM);
    if (oldBus_) {
      setenv("DBUS_SESSION_BUS_ADDRESS", oldBus_->c_str(), 1);
    } else {
      unsetenv("DBUS_SESSION_BUS_ADDRESS");
    }
  }

  // A panel's call on the item (see the script).
  std::optional<std::string> panel(const std::vector<std::string>& arguments) {
    std::string command = std::string(kPython) + " " + Quoted(WatcherScript());
    for (const std::string& argument : arguments) command += " " + Quoted(argument);
    return Output(command);
  }

  // The entries of the item's menu as the panel would show them now.
  std::vector<std::string> menu(const std::string& item) {
    const auto entries = panel({"menu", item});
    EXPECT_TRUE(entries) << "no menu";
    return entries ? Lines(*entries) : std::vector<std::string>{};
  }


  void closeDialog(xcb_window_t dialog) {
    run({"windowactivate", "--sync", std::to_string(dialog)});
    keys({"Escape"});
    const auto isDialog = [&](xcb_window_t w) { return w == dialog; };
    EXPECT_TRUE(WaitFor([&] { return client.findShownWindow(isDialog) == 0; })) << "the dialog stayed";
  }

 private:
  std::optional<std::string> oldBus_;
  FILE* watcher_ = nullptr;
  int watcherPid_ = 0;
  pid_t busPid_ = 0;
};

TEST_F(StatusNotifierTray, AClickRunsTheFirstCommandAndThePanelGetsThePreparedMenu) {
  ASSERT_NE(startSampleOn(addWindow("Target", {200, 300, 700, 600}, 0x6080c0), "Bolt"), kNoWindow);
  const auto items = panel({"items"});
  ASSERT_TRUE(items) << "the icon never registered with the watcher";
  const std::string item = Lines(*items).front();

  // The viewing menu, the one the icon's id names (its enabling, which
  // depends on the settings, is seen below while a dialog runs).
  const std::vector<std::string> viewing = menu(item);
  ASSERT_EQ(viewing.size(), PopupMenuItems(kPublishedMenuId).size());
  EXPECT_EQ(viewing.front(), "Open Published Mascot...\tenabled");
  EXPECT_EQ(viewing.back(), "E_xit\tenabled");

  // A panel that asks for the menu instead: it opens at the pointer, where
  // the click on the icon was (the toolkit does not pass the position on).
  pointTo(600, 700);
  ASSERT_TRUE(panel({"context-menu", item, "600", "700"}));
  // The program's one unframed window of that size (its popups carry no
  // window type of their own).
  const auto isMenu = [&](xcb_window_t w) {
    const Rect r = client.clientRect(w);
    return client.windowClass(w) == "mascot" && client.title(w) != "Tovra Mascot" && r.right - r.left > 100 &&
           r.bottom - r.top > 100;
  };
  xcb_window_t popup = 0;
  ASSERT_TRUE(WaitFor([&] { return (popup = client.findShownWindow(isMenu)) != 0; })) << "no menu";
  const Rect at = client.clientRect(popup);
  EXPECT_LE(std::abs(at.left - 600), 2);
  EXPECT_TRUE(std::abs(at.top - 700) <= 2 || std::abs(at.bottom - 700) <= 2) << "opens at or above the pointer";
  client.saveScreenshot(MASCOT_SCREENSHOTS "/desktop-sni-context-menu.png");
  keys({"Escape"});
  ASSERT_TRUE(WaitFor([&] { return client.findShownWindow(isMenu) == 0; }));

  // A click: the panel activates the item, and the first command opens its
  // file dialog. While it runs, the menu offers nothing.
  ASSERT_TRUE(panel({"activate", item, "600", "760"}));
  const xcb_window_t dialog = waitForTitle("Open a Published Mascot");
  ASSERT_TRUE(dialog) << "the first command did not run";
  const Rect box = client.clientRect(dialog);
  EXPECT_TRUE(WaitFor([&] {
    const char* screenshot = MASCOT_SCREENSHOTS "/desktop-sni-activated.png";
    const QImage screen = client.saveScreenshot(screenshot) ? QImage(screenshot) : QImage();
    return !screen.isNull() && (screen.pixel(box.left + 20, box.top + 20) & 0xFFFFFF) != kBackdrop;
  })) << "the dialog was never drawn";
  for (const std::string& entry : menu(item))
    EXPECT_TRUE(entry == "-" || entry.ends_with("\tdisabled")) << entry;
  closeDialog(dialog);

  // An entry chosen in the panel's menu runs its command.
  ASSERT_TRUE(panel({"click", item, "About This Mascot"}));
  const xcb_window_t about = waitForTitle("Tovra Mascot v0.10");
  ASSERT_TRUE(about) << "no About box";
  closeDialog(about);
}

}  // namespace
}  // namespace mascot
