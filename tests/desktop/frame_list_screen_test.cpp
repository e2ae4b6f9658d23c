// The editor's frame list on a real desktop, for a look at its colours,
// numbers and marker.
#include <gtest/gtest.h>

#include <QDir>
#include <QTest>

#include <string>
#include <vector>

#include "editor/frame_list_view.h"
#include "host/x11_test_client.h"

namespace mascot {
namespace {

// Two loop blocks (frames 1-6 loop back to 2, frames 7-9 to 7) and a click
// animation in frames 10-12.
std::vector<FrameRecord> TwelveFrames() {
  std::vector<FrameRecord> frames(12);
  for (std::size_t i = 0; i < frames.size(); ++i) {
    frames[i].fileName = "/home/author/mascots/Bolt/bolt" + std::to_string(i + 1) + ".bmp";
    frames[i].minFrameDelay = 100;
    frames[i].maxFrameDelay = i == 0 ? 3000 : 250;
  }
  for (auto [frame, target] : {std::pair{5, 1}, std::pair{8, 6}, std::pair{11, 9}}) {
    frames[static_cast<std::size_t>(frame)].jumpFrame = target;
    frames[static_cast<std::size_t>(frame)].minLoopCount = 2;
    frames[static_cast<std::size_t>(frame)].maxLoopCount = 5;
  }
  return frames;
}

TEST(FrameListScreen, LoopBlocksClickRangeAndMarker) {
  QDir().mkpath(MASCOT_SCREENSHOTS);
  testing::X11TestClient client;
  FrameListView list;
  list.setWindowTitle("Frame list");
  list.setGeometry(60, 60, 660, 360);
  list.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&list));
  list.setFrames(TwelveFrames());
  list.setClickRange(9, 11);
  list.showCurrent(3);
  QTest::qWait(700);  // the window manager frames and places it
  EXPECT_EQ(list.count(), 12);
  EXPECT_TRUE(list.findChild<QWidget*>("currentFrameMarker")->isVisible());
  EXPECT_TRUE(client.saveScreenshot(MASCOT_SCREENSHOTS "/frame-list.png"));
}

}  // namespace
}  // namespace mascot
