// What the user sees around the mascot: the tip after a rest on it, the
// About box and the help from its menu, and the list of load errors.
#include <filesystem>

#include "desktop/mascot_desktop.h"
#include "files/work_file.h"
#include "scratch_folder.h"

namespace mascot {
namespace {

using testing::WaitFor;

class MascotDialogs : public MascotProgram {
 protected:
  // Bolt on a target: the mascot's window once it rests there.
  WindowId startBolt() { return startSampleOn(addWindow("Target", {200, 300, 700, 600}, 0x6080c0), "Bolt"); }

  // On the screen: a point of the mascot that every one of its pictures covers.
  std::pair<int, int> solidPoint(WindowId mascot) {
    const Rect frame = find(mascot)->frame;
    const auto point = MascotProgram::solidPoint();
    EXPECT_TRUE(point) << "no point is opaque in every picture";
    return point ? std::pair{frame.left + point->first, frame.top + point->second} : std::pair{frame.left, frame.top};
  }


  const std::function<bool(xcb_window_t)> isTip = [this](xcb_window_t w) {
    return client.windowClass(w) == "Mascot Tool Tip";
  };
};

TEST_F(MascotDialogs, ARestOnTheMascotShowsTheTipCentredOnThePointer) {
  const WindowId mascot = startBolt();
  ASSERT_NE(mascot, kNoWindow);
  const auto [x, y] = solidPoint(mascot);
  pointTo(x - 1, y);
  pointTo(x, y);  // a move the mascot sees: the rest starts here

  xcb_window_t tip = 0;
  ASSERT_TRUE(WaitFor([&] { return (tip = client.findShownWindow(isTip)) != 0; })) << "no tip after the rest";
  const Rect r = client.clientRect(tip);
  EXPECT_LE(std::abs((r.left + r.right) / 2 - x), 2);
  EXPECT_LE(std::abs((r.top + r.bottom) / 2 - y), 2);
  EXPECT_GT(r.right - r.left, 100) << "four lines of text, the link's the widest";
  // A tooltip, which window managers leave alone, not a utility window.
  EXPECT_TRUE(client.hasWindowType(tip, "_NET_WM_WINDOW_TYPE_TOOLTIP"));
  client.saveScreenshot(MASCOT_SCREENSHOTS "/desktop-tip.png");

  // The pointer leaves the tip: gone within the second after.
  pointTo(x, 700);
  EXPECT_TRUE(WaitFor([&] { return client.findShownWindow(isTip) == 0; }, std::chrono::seconds(3)));
}

TEST_F(MascotDialogs, TheMenuOpensTheAboutBoxAndTheHelp) {
  const WindowId mascot = startBolt();
  ASSERT_NE(mascot, kNoWindow);
  const auto [x, y] = solidPoint(mascot);

  // From the bottom of the viewing menu: Exit, Preferences, Help, About
  // This Mascot.
  click(x, y, 3);
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  keys({"Up", "Up", "Up", "Up", "Return"});
  const xcb_window_t about = waitForTitle("Tovra Mascot v0.10");
  ASSERT_TRUE(about) << "no About box";
  client.saveScreenshot(MASCOT_SCREENSHOTS "/desktop-about.png");
  run({"windowactivate", "--sync", std::to_string(about)});
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  keys({"Return"});
  ASSERT_TRUE(WaitFor([&] { return shownWithTitle("Tovra Mascot v0.10") == 0; }));

  // The press on the mascot started a rest there: the tip may cover it now.
  pointTo(x, 700);
  ASSERT_TRUE(WaitFor([&] { return client.findShownWindow(isTip) == 0; }));
  click(x, y, 3);
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  keys({"Up", "Up", "Up", "Return"});
  ASSERT_TRUE(waitForTitle("Tovra Mascot Help")) << "no help viewer";
  client.saveScreenshot(MASCOT_SCREENSHOTS "/desktop-help.png");

  // Exit, the last item: the help goes with the program.
  pointTo(x, 700);
  ASSERT_TRUE(WaitFor([&] { return client.findShownWindow(isTip) == 0; }));
  click(x, y, 3);
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  keys({"Up", "Return"});
  EXPECT_EQ(WaitForExit(mascotPid, std::chrono::seconds(5)), 0);
  EXPECT_EQ(shownWithTitle("Tovra Mascot Help"), 0u);
}

TEST_F(MascotDialogs, AWorkFileWithMissingPicturesListsItsLoadErrors) {
  ASSERT_NE(startBolt(), kNoWindow);
  const std::filesystem::path folder = testing::ScratchFolder();
  MascotDocument broken;
  broken.name = "Broken";
  for (const char* picture : {"gone-1.bmp", "gone-2.bmp"}) {
    FrameRecord frame;
    frame.fileName = (folder / picture).string();
    frame.minFrameDelay = frame.maxFrameDelay = 100;
    broken.frames.push_back(frame);
  }
  const std::string path = (folder / "broken.wmascot").string();
  ASSERT_TRUE(SaveWorkFile(path, broken));

  // A second start hands the file over and leaves at once.
  EXPECT_EQ(WaitForExit(spawn(MASCOT_PROGRAM, {path}), std::chrono::seconds(10)), 0);
  ASSERT_TRUE(waitForTitle("Tovra Mascot Load Errors")) << "no list of load errors";
  client.saveScreenshot(MASCOT_SCREENSHOTS "/desktop-load-errors.png");
}

}  // namespace
}  // namespace mascot
