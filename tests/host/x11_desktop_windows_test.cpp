#include "host/x11_desktop_windows.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPalette>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <thread>

#include "host/widget_placement.h"
#include "host/x11_test_client.h"
#include "tracking/target_tracker.h"

namespace mascot {

namespace {

using testing::WaitFor;
using testing::X11TestClient;

class X11Desktop : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // The window manager announces itself before it takes windows on, and
    // may miss a window mapped meanwhile: map probes until one gets its
    // title bar.
    X11TestClient client;
    X11DesktopWindows desktop(nullptr);
    std::vector<DesktopWindow> windows;
    ASSERT_TRUE(WaitFor([&] {
      const xcb_window_t probe = client.createWindow("Probe", {0, 0, 50, 50}, 0);
      const bool managed = WaitFor([&] {
        desktop.listWindows(windows);
        return std::any_of(windows.begin(), windows.end(),
                           [&](const auto& w) { return w.id == probe && w.frame.bottom - w.frame.top > 50; });
      }, std::chrono::seconds(1));
      xcb_destroy_window(client.connection(), probe);
      return managed;
    }, std::chrono::seconds(30))) << "no window manager";
  }

  template <typename Condition>
  bool listUntil(Condition condition) {
    return WaitFor([&] { return desktop.listWindows(windows) && condition(); });
  }
  const DesktopWindow* find(WindowId w) const {
    auto it = std::find_if(windows.begin(), windows.end(), [&](const auto& d) { return d.id == w; });
    return it == windows.end() ? nullptr : &*it;
  }
  std::ptrdiff_t position(xcb_window_t w) const { return find(w) ? find(w) - windows.data() : -1; }
  bool shown(xcb_window_t w) const { return find(w) && find(w)->visible && !find(w)->minimised; }

  X11TestClient client;
  X11DesktopWindows desktop{nullptr};
  std::vector<DesktopWindow> windows;
};

TEST_F(X11Desktop, ListsRaisesAndMinimisesWindows) {
  const xcb_window_t back = client.createWindow("Back window", {40, 300, 440, 600}, 0x3060a0);
  ASSERT_TRUE(listUntil([&] { return shown(back); }));
  const xcb_window_t front = client.createWindow("Vorderes Fenster \u00e4", {300, 200, 700, 500}, 0x40a040);
  // A new window is not always put on top, and a window manager that keeps
  // focus from being stolen may take a raise for one while it maps the window.
  ASSERT_TRUE(listUntil([&] {
    if (position(front) > position(back)) desktop.raiseWindow(front);
    return shown(back) && shown(front) && position(front) < position(back);
  }));
  EXPECT_TRUE(windows.back().desktop);
  EXPECT_EQ(desktop.windowTitle(back), "Back window");
  EXPECT_EQ(desktop.windowTitle(front), "Vorderes Fenster \u00e4");

  const Rect clientArea = client.clientRect(front);
  const Rect frame = find(front)->frame;
  EXPECT_LT(frame.top, clientArea.top) << "the title bar belongs to the frame";
  EXPECT_LE(frame.left, clientArea.left);
  EXPECT_GE(frame.bottom, clientArea.bottom);

  desktop.raiseWindow(back);
  ASSERT_TRUE(listUntil([&] { return position(back) < position(front); }));
  TargetTracker tracker(desktop);
  EXPECT_EQ(tracker.findTargetWindow(kNoWindow), back);
  client.iconify(back);
  ASSERT_TRUE(listUntil([&] { return find(back) && find(back)->minimised; }));
  EXPECT_EQ(tracker.findTargetWindow(kNoWindow), front);
}

// A settled desktop is looked at without asking the server anything; moves,
// titles, states and closing windows still show at the next look, from the
// events they cause.
TEST_F(X11Desktop, FollowsChangesFromEventsAlone) {
  const xcb_window_t w = client.createWindow("Watched", {100, 100, 400, 300}, 0x806040);
  ASSERT_TRUE(listUntil([&] { return shown(w) && find(w)->hasTitle; }));
  int quiet = 0;
  ASSERT_TRUE(WaitFor([&] {
    const std::uint64_t before = desktop.roundTrips();
    desktop.listWindows(windows);
    quiet = desktop.roundTrips() == before ? quiet + 1 : 0;
    return quiet == 5;
  })) << "the desktop never settled";
  const std::uint64_t settled = desktop.roundTrips();
  const Rect frame = find(w)->frame;
  for (int i = 0; i < 10; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_TRUE(desktop.listWindows(windows));
  }
  EXPECT_EQ(desktop.roundTrips(), settled);
  ASSERT_NE(find(w), nullptr);
  EXPECT_EQ(find(w)->frame, frame);

  xcb_connection_t* c = client.connection();
  const std::uint32_t place[] = {250, 220};
  xcb_configure_window(c, w, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, place);
  xcb_flush(c);
  EXPECT_TRUE(listUntil([&] {
    return find(w) && find(w)->frame.left != frame.left && find(w)->frame.top != frame.top;
  }));
  const Rect moved = find(w)->frame;
  EXPECT_EQ(moved.right - moved.left, frame.right - frame.left);
  EXPECT_EQ(moved.bottom - moved.top, frame.bottom - frame.top);

  xcb_delete_property(c, w, client.atom("_NET_WM_NAME"));
  xcb_flush(c);
  EXPECT_TRUE(listUntil([&] { return find(w) && !find(w)->hasTitle; }));

  xcb_client_message_event_t above{};
  above.response_type = XCB_CLIENT_MESSAGE;
  above.format = 32;
  above.window = w;
  above.type = client.atom("_NET_WM_STATE");
  above.data.data32[0] = 1;  // add
  above.data.data32[1] = client.atom("_NET_WM_STATE_ABOVE");
  xcb_send_event(c, 0, xcb_setup_roots_iterator(xcb_get_setup(c)).data->root,
                 XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&above));
  xcb_flush(c);
  EXPECT_TRUE(listUntil([&] { return find(w) && find(w)->topmost; }));

  xcb_destroy_window(c, w);
  xcb_flush(c);
  EXPECT_TRUE(listUntil([&] { return find(w) == nullptr; }));
}

// The chain as the program runs it: Qt's own connection, a Qt widget as the
// mascot, another application's window as the target.
TEST_F(X11Desktop, PutsTheMascotOnTheFrontWindowsTitleBar) {
  static int argc = 1;
  static char name[] = "test_host";
  static char* argv[] = {name, nullptr};
  QApplication app(argc, argv);
  X11DesktopWindows qtDesktop;
  ASSERT_TRUE(qtDesktop.isConnected());
  const xcb_window_t target = client.createWindow("Target", {200, 300, 700, 600}, 0x6080c0);
  ASSERT_TRUE(listUntil([&] { return shown(target); }));

  QWidget mascot(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool);
  mascot.setPalette(QPalette(QColor(0xe0, 0xa0, 0x20)));
  mascot.setAutoFillBackground(true);
  mascot.resize(80, 60);
  WidgetPlacement placement(&mascot);
  MascotDocument document;
  document.xOffset = 25;
  document.offsetIsPercent = 1;
  TargetTracker tracker(qtDesktop);
  ASSERT_TRUE(tracker.track(placement, &document, false));
  EXPECT_EQ(tracker.target(), target);
  const auto mascotId = static_cast<xcb_window_t>(mascot.winId());
  ASSERT_TRUE(WaitFor([&] {
    app.processEvents();
    return client.clientRect(mascotId).bottom == tracker.targetRect().top;
  }));
  const Rect frame = tracker.targetRect();
  EXPECT_EQ(client.clientRect(mascotId).left, frame.left + (frame.right - frame.left - 80) / 4);
  EXPECT_FALSE(tracker.track(placement, &document, false));
  ASSERT_TRUE(qtDesktop.listWindows(windows));
  EXPECT_EQ(find(mascotId), nullptr) << "the program's own windows are not listed";

  // The toolkit's events tell of a move: the mascot follows.
  const std::uint32_t place[] = {260, 340};
  xcb_configure_window(client.connection(), target, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, place);
  xcb_flush(client.connection());
  ASSERT_TRUE(WaitFor([&] {
    app.processEvents();
    tracker.track(placement, &document, false);
    return tracker.targetRect().left != frame.left;
  }));
  ASSERT_TRUE(WaitFor([&] {
    app.processEvents();
    return client.clientRect(mascotId).bottom == tracker.targetRect().top;
  }));

  WaitFor([&] { return app.processEvents(), false; }, std::chrono::seconds(1));  // let it paint
  QDir().mkpath(MASCOT_SCREENSHOTS);
  EXPECT_TRUE(client.saveScreenshot(MASCOT_SCREENSHOTS "/mascot-on-target.png"));
}

}  // namespace
TEST_F(X11Desktop, TheWorkAreaStartsBelowAPanelAlongTheTop) {
  EXPECT_EQ(desktop.workAreaTop(), 0) << "no panel yet";
  // A panel reserves the top 30 pixels; the window manager then moves the
  // work area down.
  const xcb_window_t panel = client.createWindow("Panel", {0, 0, 1024, 30}, 0x303030);
  const std::uint32_t strut[12] = {0, 0, 30, 0, 0, 0, 0, 0, 0, 1023, 0, 0};
  xcb_change_property(client.connection(), XCB_PROP_MODE_REPLACE, panel, client.atom("_NET_WM_STRUT_PARTIAL"),
                      XCB_ATOM_CARDINAL, 32, 12, strut);
  xcb_flush(client.connection());
  EXPECT_TRUE(WaitFor([&] { return desktop.workAreaTop() == 30; })) << desktop.workAreaTop();
  xcb_destroy_window(client.connection(), panel);
  xcb_flush(client.connection());
  EXPECT_TRUE(WaitFor([&] { return desktop.workAreaTop() == 0; }));
}

}  // namespace mascot
