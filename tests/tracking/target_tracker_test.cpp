#include "tracking/target_tracker.h"

#include <gtest/gtest.h>

#include <optional>

namespace mascot {
namespace {

constexpr WindowId kMascot = 1;

DesktopWindow Ordinary(WindowId id, Rect frame = {100, 200, 500, 600}) {
  return {id, true, false, true, frame, kNoWindow, false, false};
}

struct FakeDesktop : DesktopWindows {
  std::vector<DesktopWindow> windows;
  std::vector<WindowId> raised;
  bool listWindows(std::vector<DesktopWindow>& out) override { return out = windows, true; }
  void raiseWindow(WindowId window) override { raised.push_back(window); }
  int workAreaTop() override { return panel; }
  int panel = 0;  // height of a panel along the screen's top
};

struct FakeMascot : MascotPlacement {
  std::optional<Rect> shownAt;  // empty: hidden
  int calls = 0;
  double ratio = 1.0;
  WindowId windowId() const override { return kMascot; }
  double deviceRatio() const override { return ratio; }
  int width() const override { return 100; }
  int height() const override { return 40; }
  void hide() override { ++calls, shownAt.reset(); }
  void showAt(const Rect& rect) override { ++calls, shownAt = rect; }
};

class TrackerTest : public ::testing::Test {
 protected:
  FakeDesktop desktop;
  TargetTracker tracker{desktop};
  FakeMascot mascot;
  MascotDocument document;
};

TEST_F(TrackerTest, PassesOverWindowsThatCannotCarryTheMascot) {
  const std::pair<const char*, void (*)(DesktopWindow&)> cases[] = {
      {"empty title", [](DesktopWindow& w) { w.hasTitle = false; }},
      {"19 pixels high", [](DesktopWindow& w) { w.frame.bottom = w.frame.top + 19; }},
      {"invisible", [](DesktopWindow& w) { w.visible = false; }},
      {"minimised", [](DesktopWindow& w) { w.minimised = true; }},
      {"owned topmost", [](DesktopWindow& w) { w.owner = 7, w.topmost = true; }},
      {"owned by the mascot", [](DesktopWindow& w) { w.owner = kMascot; }},
      {"owned through a chain by the mascot", [](DesktopWindow& w) { w.owner = 4; }},
      {"the mascot itself", [](DesktopWindow& w) { w.id = kMascot; }},
  };
  for (const auto& [what, spoil] : cases) {
    DesktopWindow spoilt = Ordinary(3), link = Ordinary(4);
    spoil(spoilt);
    link.owner = kMascot;
    link.visible = false;
    desktop.windows = {spoilt, link, Ordinary(5), Ordinary(7)};
    EXPECT_EQ(tracker.findTargetWindow(kMascot), 5u) << what;
  }
}

TEST_F(TrackerTest, AcceptsTopmostUnownedAndOwnedOrdinaryWindowsAndFallsBack) {
  DesktopWindow utility = Ordinary(3), dialog = Ordinary(4);
  utility.topmost = true;
  dialog.owner = 5;
  desktop.windows = {utility, dialog, Ordinary(5)};
  EXPECT_EQ(tracker.findTargetWindow(kMascot), 3u);
  desktop.windows = {dialog, Ordinary(5)};
  EXPECT_EQ(tracker.findTargetWindow(kMascot), 4u);
  desktop.windows = {Ordinary(6, {0, 0, 50, 20})};
  EXPECT_EQ(tracker.findTargetWindow(kNoWindow), 6u);  // 20 pixels high, nothing excluded

  desktop.windows = {Ordinary(kMascot), Ordinary(7)};
  desktop.windows[1].hasTitle = false;
  EXPECT_EQ(tracker.findTargetWindow(kMascot), kMascot) << "the top-most window";
  desktop.windows.clear();
  EXPECT_EQ(tracker.findTargetWindow(kMascot), kNoWindow);
}

TEST(ComputeOffset, FollowsThePercentAndRightEdgeRules) {
  struct Case {
    int xOffset, yOffset, percent, rightEdge, targetWidth, expectedX;
  } const cases[] = {
      {50, 0, 1, 0, 400, 150},  {50, 0, 1, 1, 400, 150},   {10, 0, 0, 1, 400, 290},
      {100, 0, 1, 0, 400, 300}, {0, 7, 1, 0, 400, 0},      {50, 0, 1, 0, 403, 151},
      {-50, 0, 1, 0, 403, -151}, {2147483647, 0, 1, 0, 1000000, 2147483647},
  };
  for (const Case& c : cases) {
    MascotDocument document;
    document.xOffset = c.xOffset;
    document.yOffset = c.yOffset;
    document.offsetIsPercent = static_cast<std::uint8_t>(c.percent);
    document.offsetRelativeToRightEdge = static_cast<std::uint8_t>(c.rightEdge);
    EXPECT_EQ(TargetTracker::computeOffset(document, 100, c.targetWidth), (Offsets{c.expectedX, c.yOffset}))
        << c.xOffset << (c.percent ? "%" : "") << (c.rightEdge ? " right" : "");
  }
}

TEST_F(TrackerTest, PlacesTheMascotOnTheTargetsTopEdgeOnlyWhenItChanged) {
  desktop.windows = {Ordinary(3), Ordinary(9)};
  document.xOffset = 10;
  document.yOffset = 5;
  ASSERT_TRUE(tracker.track(mascot, &document, false));
  EXPECT_EQ(mascot.shownAt, (Rect{110, 165, 210, 205}));
  EXPECT_FALSE(tracker.track(mascot, &document, false));
  EXPECT_EQ(mascot.calls, 1);

  desktop.windows[0].frame.left += 1;
  desktop.windows[0].frame.right += 1;
  EXPECT_TRUE(tracker.track(mascot, &document, false));
  EXPECT_EQ(mascot.shownAt, (Rect{111, 165, 211, 205}));
}

TEST_F(TrackerTest, GrowsThePixelOffsetsWithThePicturesOnAScaledScreen) {
  desktop.windows = {Ordinary(3), Ordinary(9)};
  mascot.ratio = 2.0;  // the fake's 100x40 are device pixels
  document.xOffset = 10;
  document.yOffset = 5;
  document.offsetIsPercent = 0;
  ASSERT_TRUE(tracker.track(mascot, &document, false));
  EXPECT_EQ(mascot.shownAt, (Rect{120, 170, 220, 210}));
  document.xOffset = 50;
  document.offsetIsPercent = 1;  // of the free width, already in device pixels
  tracker.placeMascot(mascot, &document, false);
  EXPECT_EQ(mascot.shownAt, (Rect{250, 170, 350, 210}));
}

TEST_F(TrackerTest, HidesTheMascotWhenThereIsNothingToSitOn) {
  DesktopWindow shell = Ordinary(9, {0, 0, 1024, 768});
  shell.desktop = true;
  desktop.windows = {Ordinary(3, {0, 0, 1024, 700}), shell};
  tracker.track(mascot, &document, true);
  EXPECT_FALSE(mascot.shownAt) << "target at the top";
  tracker.placeMascot(mascot, &document, false);
  EXPECT_TRUE(mascot.shownAt) << "target at the top, option off";
  // Below a top panel, the top is where the panel ends.
  desktop.panel = 30;
  desktop.windows[0].frame.top = 30;
  tracker.track(mascot, &document, true);
  EXPECT_FALSE(mascot.shownAt) << "maximised below a panel";
  desktop.windows[0].frame.top = 31;
  tracker.track(mascot, &document, true);
  EXPECT_TRUE(mascot.shownAt) << "one pixel below the panel";
  desktop.panel = 0;
  tracker.placeMascot(mascot, nullptr, false);
  EXPECT_FALSE(mascot.shownAt) << "no document";
  document.setActive(false);
  tracker.placeMascot(mascot, &document, false);
  EXPECT_FALSE(mascot.shownAt) << "inactive document";

  document.setActive(true);
  desktop.windows[0].hasTitle = false;
  tracker.track(mascot, &document, false);
  EXPECT_FALSE(mascot.shownAt) << "the desktop as target";
}

TEST_F(TrackerTest, KeepsTheRectangleWhenTheMascotIsItsOwnTargetAndRaisesTheOneBehind) {
  desktop.windows = {Ordinary(kMascot, {0, 50, 100, 90}), Ordinary(3)};
  tracker.takeInitialTarget();
  EXPECT_TRUE(tracker.targetChanged(3, kMascot));
  EXPECT_TRUE(tracker.targetChanged(kMascot, kMascot));
  EXPECT_EQ(tracker.targetRect(), (Rect{100, 200, 500, 600}));
  tracker.bringTargetForward(kMascot);
  EXPECT_EQ(desktop.raised, std::vector<WindowId>{3});
}

}  // namespace
}  // namespace mascot
