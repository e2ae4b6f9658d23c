// The mascot program on a screen scaled to 200 %: the toolkit lays out in
// logical pixels, the X server measures every window in device pixels.
#include <cstdlib>

#include "desktop/mascot_desktop.h"

namespace mascot {
namespace {

using testing::WaitFor;

constexpr int kScale = 2;

class HiDpi : public MascotProgram {
 protected:
  void SetUp() override {
    programEnvironment = {"QT_SCALE_FACTOR=2"};
    MascotProgram::SetUp();
  }

  // Pip on the target, resting; kNoWindow when it never came to rest.
  WindowId startPipOn(xcb_window_t target) {
    sample = OpenPublishedMascot(SamplePath("Pip"));
    if (!sample || !startMascot({SamplePath("Pip")})) return kNoWindow;
    const WindowId mascot = waitForMascot();
    return mascot != kNoWindow && WaitFor([&] { return restsOn(mascot, target); }) ? mascot : kNoWindow;
  }

  // The mascot's bottom edge on the target's frame top, moved by the
  // document's offsets, which grow with the pictures; its size the pictures'
  // doubled.
  bool restsOn(WindowId mascot, xcb_window_t target) {
    const DesktopWindow* m = find(mascot);
    const Rect frame = m ? m->frame : Rect{};
    const DesktopWindow* t = find(target);
    if (!m || !t || !m->visible) return false;
    const FrameSize size = sample->maxFrameSize();
    const int width = frame.right - frame.left;
    const int free = t->frame.right - t->frame.left - width;
    const int left = sample->offsetIsPercent ? free * sample->xOffset / 100 : kScale * sample->xOffset;
    return width == kScale * size.width && frame.bottom - frame.top == kScale * size.height &&
           frame.bottom == t->frame.top + kScale * sample->yOffset && frame.left == t->frame.left + left;
  }

  std::string describe(WindowId mascot, xcb_window_t target) {
    const Rect m = find(mascot) ? find(mascot)->frame : Rect{};
    const Rect t = find(target) ? find(target)->frame : Rect{};
    return "mascot " + std::to_string(m.left) + "," + std::to_string(m.top) + "-" + std::to_string(m.right) + "," +
           std::to_string(m.bottom) + " on target " + std::to_string(t.left) + "," + std::to_string(t.top) + "-" +
           std::to_string(t.right);
  }

  bool showsAFrameScaled(WindowId mascot, const char* screenshot) {
    return WaitFor([&] {
      const DesktopWindow* window = find(mascot);
      const QImage screen = client.saveScreenshot(screenshot) ? QImage(screenshot) : QImage();
      return window && std::any_of(sample->images.begin(), sample->images.end(), [&](const FrameImage& image) {
               return ShowsFrame(screen, window->frame, image, kScale);
             });
    });
  }
};

TEST_F(HiDpi, MascotStandsOnItsTargetDoubledAndCrispAndFollowsIt) {
  const xcb_window_t target = addWindow("Target", {200, 300, 700, 600}, 0x6080c0);
  const WindowId mascot = startPipOn(target);
  ASSERT_NE(mascot, kNoWindow) << "not resting: " << describe(mascot, target);
  EXPECT_TRUE(showsAFrameScaled(mascot, MASCOT_SCREENSHOTS "/hidpi-mascot-on-target.png"))
      << "no frame of the mascot shows at twice its size, pixel for pixel";

  // Odd rows and columns too, which the toolkit's logical grid misses.
  const std::pair<int, int> moves[] = {{251, 300}, {251, 301}, {252, 333}, {127, 240}};
  for (const auto& [x, y] : moves) {
    moveWindow(target, x, y);
    EXPECT_TRUE(WaitFor([&] { return restsOn(mascot, target); }))
        << "target moved to " << x << "," << y << ": " << describe(mascot, target);
  }
  EXPECT_TRUE(showsAFrameScaled(mascot, MASCOT_SCREENSHOTS "/hidpi-mascot-followed.png"));
}

TEST_F(HiDpi, DragKeepsTheRowAndTheTipComesUpUnderThePointer) {
  const xcb_window_t target = addWindow("Target", {200, 301, 700, 600}, 0x6080c0);
  const WindowId mascot = startPipOn(target);
  ASSERT_NE(mascot, kNoWindow) << "not resting: " << describe(mascot, target);
  const auto grab = solidPoint();
  ASSERT_TRUE(grab) << "no point is opaque in every picture";
  const auto at = [&](const Rect& mascotFrame) {
    return std::pair{mascotFrame.left + kScale * grab->first + 1, mascotFrame.top + kScale * grab->second + 1};
  };

  const Rect before = find(mascot)->frame;
  const auto [fromX, fromY] = at(before);
  const auto text = [](int value) { return std::to_string(value); };
  const pid_t drag = spawn("xdotool", {"mousemove", "--sync", text(fromX), text(fromY), "sleep", "0.2", "mousedown",
                                       "1", "sleep", "0.2", "mousemove", "--sync", text(fromX - 40),
                                       text(fromY - 30), "sleep", "0.2", "mousemove", "--sync", text(fromX - 80),
                                       text(fromY + 50), "sleep", "0.2", "mouseup", "1"});
  ASSERT_TRUE(drag) << "xdotool is not installed";
  ASSERT_EQ(WaitForExit(drag, std::chrono::seconds(10)), 0);
  // Sideways by the pointer's way, to the toolkit's grid; the row kept.
  ASSERT_TRUE(WaitFor([&] { return std::abs(find(mascot)->frame.left - (before.left - 80)) <= 1; }))
      << describe(mascot, target) << ", was at " << before.left;
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_EQ(find(mascot)->frame.bottom, before.bottom) << describe(mascot, target);

  // Resting on the mascot brings the tip up centred on the pointer, both
  // measured by the X server.
  const auto [tipX, tipY] = at(find(mascot)->frame);
  pointTo(tipX, tipY);
  const auto isTip = [this](xcb_window_t w) { return client.windowClass(w) == "Mascot Tool Tip"; };
  xcb_window_t tip = 0;
  ASSERT_TRUE(WaitFor([&] { return (tip = client.findShownWindow(isTip)) != 0; })) << "no tip";
  client.saveScreenshot(MASCOT_SCREENSHOTS "/hidpi-mascot-tip.png");
  const Rect shown = client.clientRect(tip);
  EXPECT_LE(std::abs((shown.left + shown.right) / 2 - tipX), kScale) << shown.left << "-" << shown.right;
  EXPECT_LE(std::abs((shown.top + shown.bottom) / 2 - tipY), kScale) << shown.top << "-" << shown.bottom;
}

}  // namespace
}  // namespace mascot
