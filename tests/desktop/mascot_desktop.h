#pragma once
// The desktop the program tests run on: a backdrop under a real window
// manager, windows of another application, the mascot program itself, and
// a look at the screen.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <QDir>
#include <QImage>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "files/published_mascot.h"
#include "host/x11_desktop_windows.h"
#include "desktop/shows_frame.h"
#include "host/x11_test_client.h"

extern char** environ;

namespace mascot {

inline std::string SamplePath(const char* name) { return std::string(MASCOTS_FOLDER "/") + name + ".mascot"; }

class MascotProgram : public ::testing::Test {
 protected:
  // The window manager may miss windows mapped before it took over: map the
  // backdrop until it gets its title bar.
  void SetUp() override {
    ASSERT_TRUE(testing::WaitFor([&] {
      if (backdrop) xcb_destroy_window(client.connection(), backdrop);
      backdrop = client.createWindow("Backdrop", {0, 0, 1024, 740}, kBackdrop);
      return testing::WaitFor([&] { const auto* w = find(backdrop);
        return w && w->frame.bottom - w->frame.top > 740; }, std::chrono::seconds(1));
    }, std::chrono::seconds(30))) << "no window manager";
    QDir().mkpath(MASCOT_SCREENSHOTS);
  }

  void TearDown() override {
    for (const pid_t pid : started_) kill(pid, SIGTERM), WaitForExit(pid, std::chrono::seconds(3));
  }

  const DesktopWindow* find(WindowId id) {
    desktop.listWindows(windows);
    auto it = std::find_if(windows.begin(), windows.end(), [&](const auto& w) { return w.id == id; });
    return it == windows.end() ? nullptr : &*it;
  }

  // A window of another application, in front of all others.
  xcb_window_t addWindow(const std::string& title, Rect r, std::uint32_t colour) {
    const xcb_window_t w = client.createWindow(title, r, colour);
    EXPECT_TRUE(testing::WaitFor([&] { return find(w) && windows[0].id == w; })) << title;
    return w;
  }

  void moveWindow(xcb_window_t w, int x, int y) {
    const std::uint32_t to[] = {std::uint32_t(x), std::uint32_t(y)};
    xcb_configure_window(client.connection(), w, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, to);
    xcb_flush(client.connection());
  }

  // Starts a program with the test's display; 0 when it could not start.
  pid_t spawn(const char* program, const std::vector<std::string>& arguments) {
    std::vector<std::string> strings{program};
    strings.insert(strings.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& s : strings) argv.push_back(s.data());
    argv.push_back(nullptr);
    // The test's own settings first: the first of two equal names counts.
    std::vector<char*> environment;
    for (std::string& setting : programEnvironment) environment.push_back(setting.data());
    for (char** setting = environ; *setting != nullptr; ++setting) environment.push_back(*setting);
    environment.push_back(nullptr);
    pid_t pid = 0;
    return posix_spawnp(&pid, program, nullptr, nullptr, argv.data(), environment.data()) == 0 ? pid : 0;
  }

  // The mascot program (or a copy of it), stopped when the test ends.
  pid_t startMascot(const std::vector<std::string>& arguments = {}, const char* program = MASCOT_PROGRAM) {
    const pid_t pid = spawn(program, arguments);
    if (pid) started_.push_back(pid);
    return pid;
  }

  // Waits for the process to end: its exit status, or -1 after the timeout
  // (it is then killed).
  static int WaitForExit(pid_t pid, std::chrono::seconds timeout) {
    int status = 0;
    if (pid <= 0) return -1;
    if (!testing::WaitFor([&] { return waitpid(pid, &status, WNOHANG) == pid; }, timeout)) {
      kill(pid, SIGKILL), waitpid(pid, nullptr, 0);
      return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  // The mascot's window once it shows.
  WindowId waitForMascot() {
    WindowId mascot = kNoWindow;
    testing::WaitFor([&] {
      desktop.listWindows(windows);
      for (const DesktopWindow& w : windows)
        if (w.visible && desktop.windowTitle(w.id) == "Tovra Mascot" && !isCommandsWindow(w.id)) mascot = w.id;
      return mascot != kNoWindow;
    }, std::chrono::seconds(10));
    if (mascot != kNoWindow) {
      EXPECT_TRUE(closeSplash()) << "the start picture stayed after a click on it";
    }
    return mascot;
  }

  bool isCommandsWindow(xcb_window_t w) { return client.isCommandsWindow(w); }

  // The program showing a sample mascot: its window once the mascot rests on
  // the target's top edge, kNoWindow when it did not.
  WindowId startSampleOn(xcb_window_t target, const char* name) {
    sample = OpenPublishedMascot(SamplePath(name));
    mascotPid = sample ? startMascot({SamplePath(name)}) : 0;
    if (!mascotPid) return kNoWindow;
    const WindowId mascot = waitForMascot();
    const bool resting = mascot != kNoWindow && testing::WaitFor([&] {
      const DesktopWindow* m = find(mascot);
      if (!m) return false;
      const int bottom = m->frame.bottom;
      const DesktopWindow* t = find(target);
      return t && bottom == t->frame.top + sample->yOffset;
    });
    return resting ? mascot : kNoWindow;
  }

  // A point of the sample that every one of its pictures covers, from the
  // window's top left: a press there hits the mascot whatever frame shows.
  std::optional<std::pair<int, int>> solidPoint() const {
    for (int y = 0; y < sample->images[0].height; ++y)
      for (int x = 0; x < sample->images[0].width; ++x)
        if (std::all_of(sample->images.begin(), sample->images.end(),
                        [&](const FrameImage& image) { return image.region && image.region->contains(x, y); }))
          return std::pair{x, y};
    return std::nullopt;
  }

  // The start picture goes away at a click on it (or by itself after five
  // seconds); false when it showed and stayed.
  bool closeSplash() {
    const auto splash = [&](xcb_window_t w) { return client.hasWindowType(w, "_NET_WM_WINDOW_TYPE_SPLASH"); };
    xcb_window_t shown = 0;
    if (!testing::WaitFor([&] { return (shown = client.findShownWindow(splash)) != 0; }, std::chrono::seconds(2)))
      return true;
    const Rect r = client.clientRect(shown);
    click((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    return testing::WaitFor([&] { return client.findShownWindow(splash) == 0; });
  }

  // The first window on the screen with this title; 0 for none.
  xcb_window_t shownWithTitle(const std::string& title) {
    return client.findShownWindow([&](xcb_window_t w) { return client.title(w) == title; });
  }
  // The same once it shows; 0 when it did not within the timeout.
  xcb_window_t waitForTitle(const std::string& title, std::chrono::seconds timeout = std::chrono::seconds(5)) {
    xcb_window_t shown = 0;
    testing::WaitFor([&] { return (shown = shownWithTitle(title)) != 0; }, timeout);
    return shown;
  }
  bool goneWithTitle(const std::string& title) {
    return testing::WaitFor([&] { return shownWithTitle(title) == 0; });
  }

  // The mascot's menu, opened at a point of the sample that every picture
  // covers, then keys.
  void mascotMenu(WindowId mascot, const std::vector<std::string>& path) {
    const Rect frame = find(mascot)->frame;
    const auto point = solidPoint();
    ASSERT_TRUE(point) << "no point is opaque in every picture";
    click(frame.left + point->first, frame.top + point->second, 3);
    std::this_thread::sleep_for(std::chrono::milliseconds(400));
    keys(path);
  }

  // The real pointer, through the X server (XTest, by the xdotool program).
  void click(int x, int y, int button = 1) {
    run({"mousemove", std::to_string(x), std::to_string(y), "sleep", "0.1", "click", std::to_string(button)});
  }
  // (Not --sync: it waits for a motion that never comes when the pointer is
  // there already.)
  void pointTo(int x, int y) { run({"mousemove", std::to_string(x), std::to_string(y), "sleep", "0.1"}); }
  void keys(const std::vector<std::string>& names) {
    std::vector<std::string> arguments{"key", "--delay", "80"};
    arguments.insert(arguments.end(), names.begin(), names.end());
    run(arguments);
  }
  void run(const std::vector<std::string>& xdotool) {
    const pid_t pid = spawn("xdotool", xdotool);
    ASSERT_TRUE(pid) << "xdotool is not installed";
    ASSERT_EQ(WaitForExit(pid, std::chrono::seconds(10)), 0);
  }

  // Which of the documents the mascot window shows a frame of, pixel for
  // pixel; null when none does within the timeout. Leaves the last look at
  // the screen in the screenshot.
  const MascotDocument* waitForShown(WindowId mascot, const std::vector<std::shared_ptr<MascotDocument>>& documents,
                                     const char* screenshot) {
    const MascotDocument* shown = nullptr;
    testing::WaitFor([&] {
      const DesktopWindow* window = find(mascot);
      const QImage screen = client.saveScreenshot(screenshot) ? QImage(screenshot) : QImage();
      for (const auto& document : documents)
        for (const FrameImage& image : document->images)
          if (window && ShowsFrame(screen, window->frame, image)) shown = document.get();
      return shown != nullptr;
    });
    return shown;
  }

  static std::vector<std::shared_ptr<MascotDocument>> Samples() {
    std::vector<std::shared_ptr<MascotDocument>> samples;
    for (const auto& entry : std::filesystem::directory_iterator(MASCOTS_FOLDER))
      if (auto document = OpenPublishedMascot(entry.path().string())) samples.push_back(document);
    return samples;
  }

  testing::X11TestClient client;
  // NAME=value settings added to the environment of the programs started.
  std::vector<std::string> programEnvironment;
  X11DesktopWindows desktop{nullptr};
  std::shared_ptr<MascotDocument> sample;  // of startSampleOn
  pid_t mascotPid = 0;
  std::vector<DesktopWindow> windows;
  xcb_window_t backdrop = 0;

 private:
  std::vector<pid_t> started_;
};

}  // namespace mascot
