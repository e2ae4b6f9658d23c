// Help asked for from inside a modal dialog can be used while the dialog
// runs: it stands in front of the dialog and follows links.
#include <cstdlib>
#include <fstream>
#include <thread>

#include "desktop/mascot_desktop.h"
#include "scratch_folder.h"

namespace mascot {
namespace {

using testing::WaitFor;

class ModalHelp : public MascotProgram {
 protected:
  void SetUp() override {
    MascotProgram::SetUp();
    controlMap = (testing::ScratchFolder() / "controls.txt").string();
    setenv("MASCOT_TEST_CONTROL_MAP", controlMap.c_str(), 1);
  }
  void TearDown() override {
    MascotProgram::TearDown();
    unsetenv("MASCOT_TEST_CONTROL_MAP");
  }

  // The centre of a control of the modal dialog in front, from the
  // program's map of them.
  std::optional<std::pair<int, int>> controlCentre(int id) {
    std::ifstream in(controlMap);
    int lineId = 0, left = 0, top = 0, width = 0, height = 0, frame = 0;
    while (in >> lineId >> left >> top >> width >> height >> frame)
      if (lineId == id) return std::pair{left + width / 2, top + height / 2};
    return std::nullopt;
  }


  QImage shot(xcb_window_t window, const char* path) {
    client.saveScreenshot(path);
    const Rect r = client.clientRect(window);
    return QImage(path).copy(r.left, r.top, r.right - r.left, r.bottom - r.top);
  }

  std::string controlMap;
};

TEST_F(ModalHelp, HelpFromTheAboutBoxFollowsALinkWhileTheBoxIsOpen) {
  const WindowId mascot = startSampleOn(addWindow("Target", {200, 300, 700, 600}, 0x6080c0), "Bolt");
  ASSERT_NE(mascot, kNoWindow);
  const auto point = solidPoint();
  ASSERT_TRUE(point);
  const Rect frame = find(mascot)->frame;
  click(frame.left + point->first, frame.top + point->second, 3);
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
  keys({"Up", "Up", "Up", "Up", "Return"});  // About This Mascot
  const xcb_window_t about = waitForTitle("Tovra Mascot v0.10");
  ASSERT_TRUE(about) << "no About box";

  std::optional<std::pair<int, int>> help;
  ASSERT_TRUE(WaitFor([&] { return (help = controlCentre(1020)).has_value(); })) << "no map of the About box";
  click(help->first, help->second);
  const xcb_window_t viewer = waitForTitle("Tovra Mascot Help");
  ASSERT_TRUE(viewer) << "no help";
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  client.saveScreenshot(MASCOT_SCREENSHOTS "/help-over-about.png");

  // Into the page's text, then to its next link with the keyboard; Return
  // follows it and the page changes.
  const Rect r = client.clientRect(viewer);
  click(r.left + 20, r.top + 60);
  keys({"Tab"});
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  const QImage before = shot(viewer, MASCOT_SCREENSHOTS "/help-over-about.png");
  keys({"Return"});
  EXPECT_TRUE(WaitFor([&] { return shot(viewer, MASCOT_SCREENSHOTS "/help-over-about-followed.png") != before; }))
      << "the help did not follow the link while the About box was open";
  EXPECT_TRUE(client.findShownWindow([&](xcb_window_t w) { return w == about; })) << "the About box went away";
}

}  // namespace
}  // namespace mascot
