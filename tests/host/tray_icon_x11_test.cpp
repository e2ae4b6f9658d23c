// The tray icon in a real X11 notification area: clicked, and gone and back.
#include "host/tray_icon.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QSet>
#include <QWidget>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "host/popup_menus.h"

#include "host/x11_test_client.h"

extern char** environ;

namespace mascot {
namespace {

class CountingTray final : public TrayIcon {
 public:
  using TrayIcon::TrayIcon;
  int hostsSeen = 0;

 protected:
  int OnTaskbarCreated() override { return ++hostsSeen, TrayIcon::OnTaskbarCreated(); }
};

// The middle of what differs from the tray's grey along the bottom edge.
QPoint IconCentre(const QImage& screen) {
  const int top = std::max(screen.height() - 28, 0);
  const QRgb grey = screen.pixel(screen.width() / 2 - 59, screen.height() - 1);
  QRect icon;
  for (int y = top; y < screen.height(); ++y)
    for (int x = screen.width() / 2 - 60; x < screen.width() / 2 + 60; ++x)
      if (screen.pixel(x, y) != grey) icon |= QRect(x, y, 1, 1);
  return icon.center();
}

void xdotool(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), "xdotool");
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  ASSERT_EQ(posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ), 0) << "no xdotool";
  waitpid(pid, nullptr, 0);
}

TEST(TrayIconX11, ShowsInTheTrayAndComesBackWithANewTrayHost) {
  // The icon is found by the colours of the bottom edge, on the plain root
  // window a window manager that draws no background leaves.
  if (const char* wm = std::getenv("MASCOT_TEST_WM"); wm != nullptr && std::string(wm) != "openbox")
    GTEST_SKIP() << wm << " draws a background of its own";
  // No D-Bus tray to find: the toolkit's icon goes to the X11 one.
  setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 1);
  // A 120 by 28 tray in the middle of the bottom edge.
  char* trayer[] = {const_cast<char*>("trayer"), const_cast<char*>("--edge"), const_cast<char*>("bottom"),
                    const_cast<char*>("--widthtype"), const_cast<char*>("pixel"), const_cast<char*>("--width"),
                    const_cast<char*>("120"), const_cast<char*>("--heighttype"), const_cast<char*>("pixel"),
                    const_cast<char*>("--height"), const_cast<char*>("28"), nullptr};
  pid_t host = 0;
  if (posix_spawnp(&host, trayer[0], nullptr, nullptr, trayer, environ) != 0) GTEST_SKIP() << "no trayer";
  const auto stopHost = [&] { kill(host, SIGTERM), waitpid(host, nullptr, 0); };

  static int argc = 1;
  static char name[] = "test_host";
  static char* argv[] = {name, nullptr};
  QApplication app(argc, argv);
  testing::X11TestClient client;
  QDir().mkpath(MASCOT_SCREENSHOTS);
  // The screen's black and the tray's grey, and more once an icon is drawn.
  const auto trayColours = [&](const char* screenshot) {
    app.processEvents();
    const QImage screen = client.saveScreenshot(screenshot) ? QImage(screenshot) : QImage();
    QSet<QRgb> colours;
    for (int y = std::max(screen.height() - 28, 0); y < screen.height(); ++y)
      for (int x = 0; x < screen.width(); ++x) colours.insert(screen.pixel(x, y));
    return colours.size();
  };
  const auto settle = [&] { testing::WaitFor([&] { return app.processEvents(), false; }, std::chrono::seconds(1)); };

  settle();
  EXPECT_LE(trayColours(MASCOT_SCREENSHOTS "/tray-empty.png"), 2);
  QWidget window;
  CountingTray tray(139);
  tray.Attach(&window, TrayIcon::kCallbackMessage);
  ASSERT_TRUE(tray.SetIcon(108));
  EXPECT_TRUE(testing::WaitFor([&] { return trayColours(MASCOT_SCREENSHOTS "/tray-icon.png") > 2; }));

  // The X11 tray passes every click on: a single one runs nothing, a double
  // click the first command.
  std::vector<int> commands;
  tray.setCommandHandler([&](int command) { commands.push_back(command); });
  const QPoint icon = IconCentre(QImage(MASCOT_SCREENSHOTS "/tray-icon.png"));
  const auto clicks = [&](const char* count) {
    xdotool({"mousemove", std::to_string(icon.x()), std::to_string(icon.y()), "click", "--repeat", count, "1"});
    settle();
  };
  clicks("1");
  EXPECT_TRUE(commands.empty()) << "a single click ran " << commands.front();
  clicks("2");
  EXPECT_EQ(commands, std::vector<int>{kCommandOpenPublished});

  const int hostsBefore = tray.hostsSeen;
  stopHost();
  settle();
  ASSERT_EQ(posix_spawnp(&host, trayer[0], nullptr, nullptr, trayer, environ), 0);
  EXPECT_TRUE(testing::WaitFor([&] {
    const int colours = trayColours(MASCOT_SCREENSHOTS "/tray-icon-back.png");
    return tray.hostsSeen > hostsBefore && colours > 2;
  })) << "new hosts seen: " << tray.hostsSeen;
  EXPECT_TRUE(tray.isShown());
  stopHost();
}

}  // namespace
}  // namespace mascot
