#include "editing/preview_player.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace mascot {
namespace {

struct FakeView : MascotView {
  int shapes = 0;
  bool setShape(SharedHandle<Region>) override { return ++shapes, true; }
  void repaint() override {}
};

// Records the window's calls as short entries.
struct FakePort : PreviewWindowPort {
  FakeView shapeView;
  std::vector<std::string> log;
  int w = 50, h = 50;
  Rect target{100, 200, 500, 600};
  bool timerRunning = true;
  int activations = 0;

  MascotView& view() override { return shapeView; }
  int width() override { return w; }
  int height() override { return h; }
  Rect targetRect() override { return target; }
  void hide() override { log.push_back("hide"); }
  void resize(int width, int height) override { w = width, h = height; }
  void showAt(const Rect& r) override {
    log.push_back("at " + std::to_string(r.left) + "," + std::to_string(r.top) + " " +
                  std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top));
  }
  void setFrameTimer(std::uint32_t ms) override { timerRunning = true, log.push_back("timer " + std::to_string(ms)); }
  void killFrameTimer() override { timerRunning = false, log.push_back("kill"); }
  bool frameTimerRunning() override { return timerRunning; }
  void repaintNow() override { log.push_back("repaint"); }
  void postShowCurrent(std::int32_t f) override { log.push_back("current " + std::to_string(f)); }
  void sendShowClicked(std::int32_t f) override { log.push_back("clicked " + std::to_string(f)); }
  void activatePrevious() override { ++activations; }
};

class PreviewPlayerTest : public ::testing::Test {
 protected:
  // Four frames of fixed delays 100, 200, 300 and 400 ms.
  void SetUp() override {
    PreviewPlayer::SetStopped(false);
    document.frames.resize(4);
    for (std::uint32_t i = 0; i < 4; ++i)
      document.frames[i].minFrameDelay = document.frames[i].maxFrameDelay = 100 * (i + 1);
  }
  void TearDown() override { PreviewPlayer::SetStopped(false); }
  using Log = std::vector<std::string>;
  Log take() { return std::exchange(port.log, {}); }

  MascotDocument document;
  FakePort port;
  PreviewPlayer player{&document, port, nullptr, false};
};

TEST(PreviewPlacement, SizesAndPlacesAsTheDesktopMascot) {
  MascotDocument document;
  EXPECT_EQ(PreviewPlayer::WindowSize(nullptr), (FrameSize{50, 50}));
  EXPECT_EQ(PreviewPlayer::WindowSize(&document), (FrameSize{50, 50})) << "no frames";
  document.frames.resize(1);
  document.frames[0].imageIndex = 0;
  FrameImage image;
  image.width = 40;
  document.images.push_back(image);
  EXPECT_EQ(PreviewPlayer::WindowSize(&document), (FrameSize{40, 50}));

  const Rect target{100, 200, 500, 600};  // 400 wide
  using Corner = std::optional<std::pair<int, int>>;
  document.xOffset = 50, document.offsetIsPercent = 1, document.yOffset = 5;
  EXPECT_EQ(PreviewPlayer::Placement(&document, 100, 40, target, false), Corner({250, 165})) << "centred";
  document.xOffset = 10, document.offsetIsPercent = 0, document.offsetRelativeToRightEdge = 1;
  EXPECT_EQ(PreviewPlayer::Placement(&document, 100, 40, target, false), Corner({390, 165})) << "right edge";
  EXPECT_EQ(PreviewPlayer::Placement(nullptr, 100, 40, target, false), std::nullopt);
  const Rect atTop{100, 0, 500, 400};
  EXPECT_EQ(PreviewPlayer::Placement(&document, 100, 40, atTop, true), std::nullopt);
  EXPECT_EQ(PreviewPlayer::Placement(&document, 100, 40, atTop, false), Corner({390, -35}));
}

TEST_F(PreviewPlayerTest, StopStepAndStartRestartingAtTheFirstFrame) {
  player.step();
  EXPECT_EQ(take(), (Log{"timer 200", "repaint", "current 1"}));
  player.stop();
  player.stop();
  EXPECT_EQ(take(), (Log{"kill"})) << "stopping twice kills once";
  EXPECT_TRUE(PreviewPlayer::IsStopped());

  player.frameTick();
  EXPECT_TRUE(take().empty()) << "a late tick while stopped";
  player.step();
  EXPECT_EQ(take(), (Log{"repaint", "current 2"})) << "no timer while stopped";
  player.showFrame(3);
  EXPECT_EQ(take(), (Log{"timer 400", "repaint", "current 3"})) << "a chosen frame sets the timer even when stopped";

  player.start();
  EXPECT_FALSE(PreviewPlayer::IsStopped());
  EXPECT_EQ(document.currentFrame, 0);
  EXPECT_EQ(take(), (Log{"timer 100", "repaint", "current 0"}));
}

TEST_F(PreviewPlayerTest, AClickStartsTheClickAnimationAndAlwaysGivesTheFocusBack) {
  document.clickSequenceDefined = 1;
  document.clickStartIndex = 2;
  document.clickEndIndex = 3;
  document.currentFrame = 3;
  player.click();
  EXPECT_TRUE(take().empty()) << "inside the click range";
  EXPECT_EQ(port.activations, 1);

  document.currentFrame = 1;
  player.click();
  EXPECT_EQ(document.currentFrame, 2);
  EXPECT_EQ(take(), (Log{"timer 300", "repaint", "clicked 2"}));
  EXPECT_EQ(port.activations, 2);
}

TEST_F(PreviewPlayerTest, FollowsTheDialogWhenAnyEdgeMoves) {
  document.yOffset = 3;
  player.created();
  EXPECT_EQ(take(), (Log{"at 100,153 50x50"}));
  EXPECT_FALSE(player.watchTarget());

  port.target.right = 501;  // only the right edge
  EXPECT_TRUE(player.watchTarget());
  EXPECT_EQ(take(), (Log{"at 100,153 50x50"}));
  EXPECT_FALSE(player.watchTarget());

  PreviewPlayer hiding{&document, port, nullptr, true};
  hiding.created();
  port.target = {100, 0, 500, 400};
  EXPECT_TRUE(hiding.watchTarget());
  EXPECT_EQ(take(), (Log{"at 100,153 50x50", "hide"}));
  port.target = {100, 10, 500, 400};
  EXPECT_TRUE(hiding.watchTarget());
  EXPECT_EQ(take(), (Log{"at 100,-37 50x50"}));
}

}  // namespace
}  // namespace mascot
