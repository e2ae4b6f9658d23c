// A desktop without a notification area: while no mascot is installed, a
// small window of the program's own offers the commands; a mascot, or a
// tray host that turns up, takes over from it.
#include <filesystem>
#include <thread>

#include "desktop/mascot_desktop.h"
#include "host/popup_menus.h"
#include "scratch_folder.h"

namespace mascot {
namespace {

namespace fs = std::filesystem;
using testing::WaitFor;

class NoTray : public MascotProgram {
 protected:
  void TearDown() override {
    stopTray();
    MascotProgram::TearDown();
  }

  // The program copied into a scratch folder, so that its Mascots folder
  // beside it is empty and its settings are its own.
  pid_t startAlone(const std::vector<std::string>& arguments = {}) {
    const fs::path folder = testing::ScratchFolder();
    program = (folder / "mascot").string();
    fs::copy_file(MASCOT_PROGRAM, program);
    fs::create_directory(folder / "Mascots");  // what keeps the program portable
    fs::permissions(program, fs::perms::owner_all);
    return mascotPid = startMascot(arguments, program.c_str());
  }

  xcb_window_t shownCommandsWindow() {
    return client.findShownWindow([&](xcb_window_t w) { return isCommandsWindow(w); });
  }
  xcb_window_t waitForCommandsWindow() {
    xcb_window_t shown = 0;
    WaitFor([&] { return (shown = shownCommandsWindow()) != 0; }, std::chrono::seconds(10));
    return shown;
  }
  xcb_window_t shownWithTitlePrefix(const std::string& prefix) {
    return client.findShownWindow([&](xcb_window_t w) { return client.title(w).starts_with(prefix); });
  }
  void activate(xcb_window_t w) {
    run({"windowactivate", "--sync", std::to_string(w)});
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
  }

  // What the window manager sends for the close button of the title bar.
  void askToClose(xcb_window_t w) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = w;
    message.type = client.atom("WM_PROTOCOLS");
    message.data.data32[0] = client.atom("WM_DELETE_WINDOW");
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(client.connection(), 0, w, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&message));
    xcb_flush(client.connection());
  }

  // A tray along the bottom edge.
  bool startTray() {
    tray = spawn("trayer", {"--edge", "bottom", "--widthtype", "pixel", "--width", "120", "--heighttype", "pixel",
                            "--height", "28"});
    return tray != 0;
  }
  void stopTray() {
    if (tray) kill(tray, SIGTERM), WaitForExit(tray, std::chrono::seconds(3));
    tray = 0;
  }

  std::string program;
  pid_t tray = 0;
};

TEST_F(NoTray, WithoutAMascotTheCommandsWindowLeadsToTheCommands) {
  addWindow("Target", {200, 300, 700, 600}, 0x6080c0);
  ASSERT_TRUE(startAlone());
  EXPECT_TRUE(closeSplash());
  const xcb_window_t commands = waitForCommandsWindow();
  ASSERT_TRUE(commands) << "no commands window";
  EXPECT_EQ(client.title(commands), "Tovra Mascot");
  // An ordinary window, with the window manager's title bar.
  const DesktopWindow* shown = find(commands);
  ASSERT_TRUE(shown);
  EXPECT_GT(client.clientRect(commands).top, shown->frame.top);
  client.saveScreenshot(MASCOT_SCREENSHOTS "/desktop-commands-window.png");

  // Tab walks the enabled buttons from the first one to About.
  MenuFeatures features;
  features.fileDialogs = features.editor = features.preferences = features.import = features.about = true;
  features.help = true;
  std::vector<std::string> walk{"Tab"};
  for (const MenuItem& item : PopupMenuItems(kFileMenuId)) {
    if (item.id == kCommandAbout) break;
    if (item.id != 0 && IsMenuCommandEnabled(item.id, features, MenuState{})) walk.push_back("Tab");
  }
  walk.back() = "space";
  activate(commands);
  keys(walk);
  xcb_window_t about = 0;
  ASSERT_TRUE(WaitFor([&] { return (about = shownWithTitlePrefix("Tovra Mascot v")) != 0; })) << "no About box";
  activate(about);
  keys({"Return"});
  ASSERT_TRUE(WaitFor([&] { return shownWithTitlePrefix("Tovra Mascot v") == 0; }));
  EXPECT_TRUE(shownCommandsWindow()) << "the window went with the About box";

  // A second start hands over a mascot: it has a menu of its own.
  EXPECT_EQ(WaitForExit(spawn(MASCOT_PROGRAM, {SamplePath("Pip")}), std::chrono::seconds(10)), 0);
  const WindowId mascot = waitForMascot();
  ASSERT_NE(mascot, kNoWindow) << "the mascot did not show";
  EXPECT_FALSE(isCommandsWindow(mascot));
  EXPECT_TRUE(WaitFor([&] { return shownCommandsWindow() == 0; })) << "the commands window stayed";
}

TEST_F(NoTray, ATrayHostTakesOverAndClosingOnlyMinimises) {
  // Editing mode with the editor cancelled: nothing to show.
  ASSERT_TRUE(startAlone({"-e"}));
  xcb_window_t editor = 0;
  ASSERT_TRUE(WaitFor([&] { return (editor = shownWithTitlePrefix("Create/Edit Tovra Mascot")) != 0; },
                      std::chrono::seconds(10)));
  EXPECT_EQ(shownCommandsWindow(), 0u) << "the commands window came with the editor";
  activate(editor);
  keys({"Escape"});
  xcb_window_t commands = waitForCommandsWindow();
  ASSERT_TRUE(commands) << "no commands window after the editor";

  if (!startTray()) GTEST_SKIP() << "no trayer";
  EXPECT_TRUE(WaitFor([&] { return shownCommandsWindow() == 0; })) << "the window stayed with a tray";
  stopTray();
  ASSERT_TRUE(commands = waitForCommandsWindow()) << "the window did not come back when the tray went";

  // Closed, it waits minimised (some window managers keep such windows
  // mapped); the program runs on.
  askToClose(commands);
  EXPECT_TRUE(WaitFor([&] { const DesktopWindow* w = find(commands); return w && w->minimised; }))
      << "closing did not minimise the window";
  EXPECT_EQ(waitpid(mascotPid, nullptr, WNOHANG), 0) << "closing the window ended the program";
}

}  // namespace
}  // namespace mascot
