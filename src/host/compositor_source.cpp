#include "host/compositor_source.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QtGlobal>

#include <string>

#include "host/gnome_shell_extension.h"
#include "host/kwin_script.h"
#include "preferences/once_notices.h"

namespace mascot {
namespace {

// The script reports as soon as it runs; the extension as soon as it sees
// the program's name on the bus.
constexpr int kFirstReportMs = 3000;
constexpr int kVersionTimeoutMs = 1000;

// The running shell's version, as it says on the session bus; empty when it
// does not answer.
std::string GnomeShellVersion() {
  QDBusMessage get = QDBusMessage::createMethodCall(
      QStringLiteral("org.gnome.Shell"), QStringLiteral("/org/gnome/Shell"),
      QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
  get << QStringLiteral("org.gnome.Shell") << QStringLiteral("ShellVersion");
  const QDBusMessage reply = QDBusConnection::sessionBus().call(get, QDBus::Block, kVersionTimeoutMs);
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return {};
  return reply.arguments().front().value<QDBusVariant>().variant().toString().toStdString();
}

class KWinLink final : public CompositorLink {
 public:
  bool load() { return script_.load(); }

 private:
  KWinScript script_;
};

}  // namespace

DesktopWindowSource ConnectDesktopWindowSource(X11DesktopWindows& x11) {
  DesktopWindowSource source;
  const bool wayland =
      IsWaylandSession(qgetenv("XDG_SESSION_TYPE").toStdString(), qgetenv("WAYLAND_DISPLAY").toStdString());
  source.kind = ChooseWindowSource(wayland, qgetenv("XDG_CURRENT_DESKTOP").toStdString());
  // A shell that would not load the extension is like any other compositor.
  if (source.kind == WindowSource::kGnomeShell && !GnomeShellLoadsExtension(GnomeShellVersion()))
    source.kind = WindowSource::kX11;
  if (source.kind == WindowSource::kX11) return source;
  auto compositor = std::make_unique<CompositorDesktopWindows>(x11);
  if (!compositor->serve()) return source;
  if (source.kind == WindowSource::kKWin) {
    auto link = std::make_unique<KWinLink>();
    if (!link->load()) return source;
    compositor->setLink(std::move(link));
  } else {
    // Until the user logs in again the extension is not running; the X
    // server's windows stand in meanwhile.
    InstallGnomeShellExtension();
  }
  compositor->waitForReport(kFirstReportMs);
  source.compositor = std::move(compositor);
  return source;
}

}  // namespace mascot
