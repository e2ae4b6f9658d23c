// Runs the mascot program against a real window manager and looks at the
// screen: where the mascot sits, how fast it follows, and its shape.
#include "desktop/mascot_desktop.h"

namespace mascot {

namespace {

using testing::WaitFor;

TEST_F(MascotProgram, SitsOnTheTargetFollowsItAndIsShapedToItsFrame) {
  const xcb_window_t target = addWindow("Target", {200, 300, 700, 600}, 0x6080c0);
  ASSERT_TRUE(startMascot());
  const WindowId mascot = waitForMascot();
  ASSERT_NE(mascot, kNoWindow) << "the mascot did not show";

  // Some frame of some sample mascot, pixel for pixel, shaped: no box.
  const MascotDocument* shown =
      waitForShown(mascot, Samples(), MASCOT_SCREENSHOTS "/desktop-mascot-on-target.png");
  ASSERT_TRUE(shown) << "no frame of any sample mascot matches the screen";

  // Its bottom edge rests on the target's frame (moved by the yOffset), and
  // moving the target by a pixel moves it by the same pixel within 300 ms.
  const Rect frame = find(target)->frame;
  const Rect placed = find(mascot)->frame;
  EXPECT_EQ(placed.bottom, frame.top + shown->yOffset);
  moveWindow(target, 250, 300);
  ASSERT_TRUE(WaitFor([&] { return find(mascot)->frame.left != placed.left; }));
  const Rect start = find(target)->frame;
  const Rect startMascot = find(mascot)->frame;
  for (int step = 1; step <= 3; ++step) {
    moveWindow(target, 250 + step, 300);
    ASSERT_TRUE(WaitFor([&] { return find(target)->frame.left == start.left + step; }));
    const auto seen = std::chrono::steady_clock::now();
    ASSERT_TRUE(WaitFor([&] { return find(mascot)->frame.left == startMascot.left + step; }));
    EXPECT_LE(std::chrono::steady_clock::now() - seen, std::chrono::milliseconds(300)) << "step " << step;
    EXPECT_EQ(find(mascot)->frame.bottom, startMascot.bottom);
  }
  // After a quiet spell, in which the program stops looking at an unchanged
  // desktop, a move is followed as fast.
  std::this_thread::sleep_for(std::chrono::milliseconds(1500));
  moveWindow(target, 240, 300);
  ASSERT_TRUE(WaitFor([&] { return find(target)->frame.left == start.left - 10; }));
  const auto moved = std::chrono::steady_clock::now();
  ASSERT_TRUE(WaitFor([&] { return find(mascot)->frame.left == startMascot.left - 10; }));
  EXPECT_LE(std::chrono::steady_clock::now() - moved, std::chrono::milliseconds(300)) << "after a rest";
  client.saveScreenshot(MASCOT_SCREENSHOTS "/desktop-mascot-followed.png");
}

}  // namespace
}  // namespace mascot
