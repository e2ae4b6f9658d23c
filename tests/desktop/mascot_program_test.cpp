// Runs the mascot program against a real window manager and looks at the
// screen: where the mascot sits, how fast it follows, and its shape.
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <QDir>
#include <QImage>

#include <algorithm>
#include <filesystem>

#include "files/published_mascot.h"
#include "host/x11_desktop_windows.h"
#include "host/x11_test_client.h"

extern char** environ;

namespace mascot {

bool testing::X11TestClient::saveScreenshot(const char* path) {
  auto* image = xcb_get_image_reply(
      c_, xcb_get_image(c_, XCB_IMAGE_FORMAT_Z_PIXMAP, screen_->root, 0, 0, 1024, 768, ~0u), nullptr);
  const bool saved = image && QImage(xcb_get_image_data(image), 1024, 768, QImage::Format_RGB32).save(path);
  std::free(image);
  return saved;
}

namespace {

using testing::WaitFor;
constexpr std::uint32_t kBackdrop = 0xd040d0;

// The frame's picture exactly inside its opaque area, the backdrop around it.
bool ShowsFrame(const QImage& screen, const Rect& window, const FrameImage& frame) {
  if (!frame.bitmap || frame.width != window.right - window.left || frame.height != window.bottom - window.top)
    return false;
  for (int y = 0; y < frame.height; ++y) {
    for (int x = 0; x < frame.width; ++x) {
      const std::uint32_t c = frame.bitmap->pixelColour(x, y);  // 0x00BBGGRR
      const QRgb picture = (c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF);
      const QRgb shown = screen.pixel(window.left + x, window.top + y) & 0xFFFFFF;
      if (shown != (frame.region->contains(x, y) ? picture : kBackdrop)) return false;
    }
  }
  return true;
}

TEST(MascotProgram, SitsOnTheTargetFollowsItAndIsShapedToItsFrame) {
  testing::X11TestClient client;
  X11DesktopWindows desktop(nullptr);
  std::vector<DesktopWindow> windows;
  const auto find = [&](WindowId id) {
    desktop.listWindows(windows);
    auto it = std::find_if(windows.begin(), windows.end(), [&](const auto& w) { return w.id == id; });
    return it == windows.end() ? nullptr : &*it;
  };
  // The window manager may miss windows mapped before it took over: map the
  // backdrop until it gets its title bar.
  xcb_window_t backdrop = 0;
  ASSERT_TRUE(WaitFor([&] {
    if (backdrop) xcb_destroy_window(client.connection(), backdrop);
    backdrop = client.createWindow("Backdrop", {0, 0, 1024, 740}, kBackdrop);
    return WaitFor([&] { const auto* w = find(backdrop);
      return w && w->frame.bottom - w->frame.top > 740; }, std::chrono::seconds(1));
  }, std::chrono::seconds(30))) << "no window manager";
  const xcb_window_t target = client.createWindow("Target", {200, 300, 700, 600}, 0x6080c0);
  ASSERT_TRUE(WaitFor([&] { return find(target) && windows[0].id == target; }));

  char program[] = MASCOT_PROGRAM;
  char* argv[] = {program, nullptr};
  pid_t pid = 0;
  ASSERT_EQ(posix_spawn(&pid, program, nullptr, nullptr, argv, environ), 0);
  struct Stop {
    pid_t pid;
    ~Stop() { kill(pid, SIGTERM), waitpid(pid, nullptr, 0); }
  } stop{pid};

  WindowId mascot = kNoWindow;
  ASSERT_TRUE(WaitFor([&] {
    desktop.listWindows(windows);
    for (const DesktopWindow& w : windows)
      if (w.visible && desktop.windowTitle(w.id) == "Tovra Mascot") mascot = w.id;
    return mascot != kNoWindow;
  }, std::chrono::seconds(10))) << "the mascot did not show";

  // Some frame of some sample mascot, pixel for pixel, shaped: no box.
  std::vector<std::shared_ptr<MascotDocument>> samples;
  for (const auto& entry : std::filesystem::directory_iterator(MASCOTS_FOLDER))
    if (auto document = OpenPublishedMascot(entry.path().string())) samples.push_back(document);
  const MascotDocument* shown = nullptr;
  QDir().mkpath(MASCOT_SCREENSHOTS);
  const char* shot = MASCOT_SCREENSHOTS "/desktop-mascot-on-target.png";
  ASSERT_TRUE(WaitFor([&] {
    const Rect placed = find(mascot)->frame;
    const QImage screen = client.saveScreenshot(shot) ? QImage(shot) : QImage();
    for (const auto& document : samples)
      for (const FrameImage& image : document->images)
        if (ShowsFrame(screen, placed, image)) shown = document.get();
    return shown != nullptr;
  })) << "no frame of any sample mascot matches the screen";

  // Its bottom edge rests on the target's frame (moved by the yOffset), and
  // moving the target by a pixel moves it by the same pixel within 300 ms.
  const Rect frame = find(target)->frame;
  const Rect placed = find(mascot)->frame;
  EXPECT_EQ(placed.bottom, frame.top + shown->yOffset);
  const auto moveTarget = [&](int x) {
    const std::uint32_t to[] = {std::uint32_t(x), 300};
    xcb_configure_window(client.connection(), target, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, to);
    xcb_flush(client.connection());
  };
  moveTarget(250);
  ASSERT_TRUE(WaitFor([&] { return find(mascot)->frame.left != placed.left; }));
  const Rect start = find(target)->frame;
  const Rect startMascot = find(mascot)->frame;
  for (int step = 1; step <= 3; ++step) {
    moveTarget(250 + step);
    ASSERT_TRUE(WaitFor([&] { return find(target)->frame.left == start.left + step; }));
    const auto seen = std::chrono::steady_clock::now();
    ASSERT_TRUE(WaitFor([&] { return find(mascot)->frame.left == startMascot.left + step; }));
    EXPECT_LE(std::chrono::steady_clock::now() - seen, std::chrono::milliseconds(300)) << "step " << step;
    EXPECT_EQ(find(mascot)->frame.bottom, startMascot.bottom);
  }
  client.saveScreenshot(MASCOT_SCREENSHOTS "/desktop-mascot-followed.png");
}

}  // namespace
}  // namespace mascot
