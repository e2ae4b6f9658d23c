#include "host/tray_kind.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QGuiApplication>

namespace mascot {
namespace {

constexpr char kWatcherService[] = "org.kde.StatusNotifierWatcher";
constexpr char kWatcherPath[] = "/StatusNotifierWatcher";
// A watcher that does not answer at once must not hold up the start.
constexpr int kWatcherTimeoutMs = 1000;

bool WatcherHasHost() {
  const QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected() || bus.interface() == nullptr) return false;
  if (!bus.interface()->isServiceRegistered(QLatin1String(kWatcherService))) return false;
  QDBusMessage get = QDBusMessage::createMethodCall(QLatin1String(kWatcherService), QLatin1String(kWatcherPath),
                                                    QStringLiteral("org.freedesktop.DBus.Properties"),
                                                    QStringLiteral("Get"));
  get << QLatin1String(kWatcherService) << QStringLiteral("IsStatusNotifierHostRegistered");
  const QDBusMessage reply = bus.call(get, QDBus::Block, kWatcherTimeoutMs);
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return false;
  return reply.arguments().front().value<QDBusVariant>().variant().toBool();
}

TrayKind AskSessionBus() {
  // Away from X11 there is no other tray to fall back on.
  if (QGuiApplication::platformName() != QLatin1String("xcb")) return TrayKind::kActivations;
  return WatcherHasHost() ? TrayKind::kActivations : TrayKind::kClicks;
}

}  // namespace

TrayKind ToolkitTrayKind() {
  static const TrayKind kind = AskSessionBus();
  return kind;
}

}  // namespace mascot
