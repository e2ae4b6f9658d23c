// A start in a Wayland session says once that only XWayland's windows can be
// targets; later starts keep quiet.
#include <thread>

#include "desktop/kept_settings.h"
#include "desktop/mascot_desktop.h"
#include "storage/config_file.h"

namespace mascot {
namespace {

using testing::WaitFor;

class WaylandNotice : public MascotProgram {
 protected:
  void SetUp() override {
    MascotProgram::SetUp();
    // The program is told it runs in a Wayland session; the private X
    // server stands in for XWayland.
    programEnvironment = {"XDG_SESSION_TYPE=wayland", "WAYLAND_DISPLAY=wayland-mascot-test"};
  }
  void TearDown() override {
    MascotProgram::TearDown();
    settings.restore();
  }

  xcb_window_t shownNotice() {
    return client.findShownWindow([&](xcb_window_t w) {
      return client.title(w) == "Tovra Mascot" && client.hasWindowType(w, "_NET_WM_WINDOW_TYPE_DIALOG");
    });
  }

  bool recorded() {
    ConfigFile file;
    return file.Open(settings.path().string(), {}, true) && file.GetBool("Notices", "WaylandSession", false);
  }

  testing::KeptSettings settings{std::filesystem::path(MASCOT_PROGRAM).parent_path() / "mascot.ini"};
};

TEST_F(WaylandNotice, FirstStartSaysSoAndLaterStartsKeepQuiet) {
  if (std::filesystem::exists(settings.path())) {
    ConfigFile file;
    ASSERT_TRUE(file.Open(settings.path().string(), {}, false));
    file.RemoveSection("Notices");
    ASSERT_TRUE(file.Close());
  }
  const xcb_window_t target = addWindow("Notice Target", {150, 300, 650, 550}, 0x30a060);

  sample = OpenPublishedMascot(SamplePath("Pip"));
  ASSERT_TRUE(sample);
  const pid_t first = startMascot({SamplePath("Pip")});
  ASSERT_TRUE(first);
  xcb_window_t notice = 0;
  ASSERT_TRUE(WaitFor([&] { return (notice = shownNotice()) != 0; }, std::chrono::seconds(10)))
      << "no notice in a Wayland session";
  EXPECT_TRUE(recorded());
  client.saveScreenshot(MASCOT_SCREENSHOTS "/wayland-notice.png");
  const Rect box = client.clientRect(notice);
  click((box.left + box.right) / 2, (box.top + box.bottom) / 2);  // to be sure it has the keyboard
  keys({"Return"});
  ASSERT_TRUE(WaitFor([&] { return shownNotice() == 0; })) << "the notice stayed after Return";

  const WindowId mascot = waitForMascot();
  ASSERT_NE(mascot, kNoWindow) << "the program did not go on after the notice";
  EXPECT_TRUE(WaitFor([&] {
    const DesktopWindow* m = find(mascot);
    const DesktopWindow* t = find(target);
    return m && t && m->frame.bottom == t->frame.top + sample->yOffset;
  })) << "the mascot is not on the X11 window";

  kill(first, SIGTERM);
  WaitForExit(first, std::chrono::seconds(5));

  ASSERT_TRUE(startMascot({SamplePath("Pip")}));
  ASSERT_NE(waitForMascot(), kNoWindow);
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  EXPECT_EQ(shownNotice(), 0u) << "the notice came again";
}

}  // namespace
}  // namespace mascot
