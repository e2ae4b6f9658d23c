// The tray icon in a real notification area that goes away and comes back.
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

TEST(TrayIconX11, ShowsInTheTrayAndComesBackWithANewTrayHost) {
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
