#pragma once
// Drives the test's GNOME Shell through the test driver extension
// (gnome-test-driver@example.tovra_mascot) the harness enables.
#include <QDBusConnection>
#include <QDBusMessage>
#include <QTemporaryDir>

#include "host/x11_test_client.h"
#include "wayland/compositor_driver.h"

namespace mascot::testing {

class GnomeDriver final : public CompositorDriver {
 public:
  bool move(const std::string& title, int x, int y) override { return call("Move", {q(title), x, y}); }
  bool minimise(const std::string& title, bool on) override {
    return call(on ? "Minimize" : "Unminimize", {q(title)});
  }
  bool activate(const std::string& title) override { return call("Activate", {q(title)}); }
  std::optional<Rect> frameOf(const std::string& title) override {
    QDBusMessage reply;
    if (!call("FrameOf", {q(title)}, &reply) || reply.arguments().size() != 4) return std::nullopt;
    const QVariantList a = reply.arguments();
    return Rect{a[0].toInt(), a[1].toInt(), a[0].toInt() + a[2].toInt(), a[1].toInt() + a[3].toInt()};
  }
  QImage screenshot() override {
    const QString path = folder_.filePath("screen.png");
    return call("Screenshot", {path}) ? QImage(path) : QImage();
  }

 private:
  static QString q(const std::string& s) { return QString::fromStdString(s); }

  // Retried while the window has not shown yet.
  static bool call(const char* method, const QVariantList& arguments, QDBusMessage* out = nullptr) {
    return WaitFor(
        [&] {
          QDBusMessage message = QDBusMessage::createMethodCall("example.tovra_mascot.TestDriver",
                                                                "/example/tovra_mascot/TestDriver",
                                                                "example.tovra_mascot.TestDriver", method);
          message.setArguments(arguments);
          const QDBusMessage reply = QDBusConnection::sessionBus().call(message, QDBus::Block, 5000);
          if (out) *out = reply;
          return reply.type() == QDBusMessage::ReplyMessage;
        },
        std::chrono::seconds(5));
  }

  QTemporaryDir folder_;
};

}  // namespace mascot::testing
