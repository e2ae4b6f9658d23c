// The mascot program under the user's hands: a minimised target, a real
// pointer drag, and second starts.
#include "desktop/mascot_desktop.h"

namespace mascot {
namespace {

using testing::WaitFor;

TEST_F(MascotProgram, MinimisingTheTargetMovesTheMascotToTheNextWindow) {
  const xcb_window_t next = addWindow("Next", {100, 250, 500, 600}, 0x60c080);
  const xcb_window_t target = addWindow("Target", {400, 420, 900, 700}, 0x6080c0);
  const WindowId mascot = startSampleOn(target, "Bolt");
  ASSERT_NE(mascot, kNoWindow) << "the mascot did not show on its target";
  const auto document = sample;

  client.iconify(target);
  const int top = find(next)->frame.top;
  ASSERT_TRUE(WaitFor([&] {
    const DesktopWindow* w = find(mascot);
    return w && w->visible && w->frame.bottom == top + document->yOffset;
  })) << "the mascot did not move onto the next window";
  EXPECT_TRUE(find(target)->minimised);
  EXPECT_TRUE(waitForShown(mascot, {document}, MASCOT_SCREENSHOTS "/desktop-mascot-target-minimised.png"));

  // An ordinary window kept above the others and off the taskbar, also once
  // it was hidden (the desktop in front) and shown again: utility windows are
  // hidden by some window managers while other programs are used.
  const auto offTaskbar = [&] {
    return client.hasWindowType(mascot, "_NET_WM_WINDOW_TYPE_NORMAL") &&
           client.hasState(mascot, "_NET_WM_STATE_ABOVE") && client.hasState(mascot, "_NET_WM_STATE_SKIP_TASKBAR") &&
           client.hasState(mascot, "_NET_WM_STATE_SKIP_PAGER");
  };
  EXPECT_TRUE(offTaskbar());
  client.createWindow("Desktop", {0, 0, 1024, 768}, 0x203040, "_NET_WM_WINDOW_TYPE_DESKTOP");
  client.iconify(next);
  client.iconify(backdrop);
  // (A withdrawn window is no longer listed.)
  ASSERT_TRUE(WaitFor([&] { const DesktopWindow* w = find(mascot); return !w || !w->visible; }))
      << "the mascot stayed in front of the desktop";
  run({"windowactivate", std::to_string(next)});
  ASSERT_TRUE(WaitFor([&] { const DesktopWindow* w = find(mascot); return w && w->visible; }));
  EXPECT_TRUE(WaitFor([&] { return offTaskbar(); })) << "shown again, the mascot lost its states";
}

// The pointer goes through the X server (XTest, by the xdotool program), so
// the press lands where the mascot's shape lets it.
TEST_F(MascotProgram, DraggingMovesTheMascotSidewaysOnly) {
  const xcb_window_t target = addWindow("Target", {200, 300, 700, 600}, 0x6080c0);
  const WindowId mascot = startSampleOn(target, "Bolt");
  ASSERT_NE(mascot, kNoWindow) << "the mascot did not show on its target";
  // The click animation's frames included.
  const auto grab = solidPoint();
  ASSERT_TRUE(grab) << "no point is opaque in every picture";
  const auto [grabX, grabY] = *grab;

  const Rect before = find(mascot)->frame;
  const std::string fromX = std::to_string(before.left + grabX), fromY = std::to_string(before.top + grabY);
  const std::string toX = std::to_string(before.left + grabX - 80), toY = std::to_string(before.top + grabY + 50);
  const std::string midX = std::to_string(before.left + grabX - 40), midY = std::to_string(before.top + grabY - 30);
  const pid_t drag = spawn("xdotool", {"mousemove", "--sync", fromX, fromY, "sleep", "0.2", "mousedown", "1",
                                       "sleep", "0.2", "mousemove", "--sync", midX, midY, "sleep", "0.2",
                                       "mousemove", "--sync", toX, toY, "sleep", "0.2", "mouseup", "1"});
  if (!drag) GTEST_SKIP() << "xdotool is not installed: no pointer to drag with";
  ASSERT_EQ(WaitForExit(drag, std::chrono::seconds(10)), 0);

  ASSERT_TRUE(WaitFor([&] { return find(mascot)->frame.left == before.left - 80; }))
      << "the mascot is at " << find(mascot)->frame.left << ", was at " << before.left;
  // Left where it was dropped, at its height: the target did not change.
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_EQ(find(mascot)->frame.left, before.left - 80);
  EXPECT_EQ(find(mascot)->frame.top, before.top);
  EXPECT_EQ(find(mascot)->frame.bottom, before.bottom);
  client.saveScreenshot(MASCOT_SCREENSHOTS "/desktop-mascot-dragged.png");
}

TEST_F(MascotProgram, SecondStartHandsOverItsFileOrExitsAtOnce) {
  addWindow("Target", {200, 300, 700, 600}, 0x6080c0);
  const auto pip = OpenPublishedMascot(SamplePath("Pip"));
  const auto bolt = OpenPublishedMascot(SamplePath("Bolt"));
  ASSERT_TRUE(pip && bolt);
  const pid_t first = startMascot({SamplePath("Pip")});
  ASSERT_TRUE(first);
  const WindowId mascot = waitForMascot();
  ASSERT_NE(mascot, kNoWindow) << "the mascot did not show";
  ASSERT_EQ(waitForShown(mascot, {pip}, MASCOT_SCREENSHOTS "/desktop-second-start-before.png"), pip.get());

  // Without an argument there is nothing to hand over: no wait for an answer.
  const auto started = std::chrono::steady_clock::now();
  EXPECT_EQ(WaitForExit(spawn(MASCOT_PROGRAM, {}), std::chrono::seconds(10)), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(2));
  EXPECT_EQ(waitpid(first, nullptr, WNOHANG), 0) << "the first start ended";

  EXPECT_EQ(WaitForExit(spawn(MASCOT_PROGRAM, {SamplePath("Bolt")}), std::chrono::seconds(10)), 0);
  EXPECT_EQ(waitForShown(mascot, {bolt}, MASCOT_SCREENSHOTS "/desktop-second-start-after.png"), bolt.get())
      << "the first start does not show the file of the second";
  EXPECT_EQ(waitpid(first, nullptr, WNOHANG), 0) << "the first start ended";
}

}  // namespace
}  // namespace mascot
