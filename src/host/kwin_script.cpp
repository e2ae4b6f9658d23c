#include "host/kwin_script.h"

#include <unistd.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace mascot {
namespace {

constexpr char kService[] = "org.kde.KWin";
constexpr char kPath[] = "/Scripting";
constexpr char kInterface[] = "org.kde.kwin.Scripting";
constexpr char kScriptResource[] = ":/compositor/kwin/windows.js";
constexpr int kCallTimeoutMs = 3000;

QDBusMessage CallScripting(const QString& method, const QVariantList& arguments) {
  QDBusMessage call = QDBusMessage::createMethodCall(QLatin1String(kService), QLatin1String(kPath),
                                                     QLatin1String(kInterface), method);
  call.setArguments(arguments);
  return QDBusConnection::sessionBus().call(call, QDBus::Block, kCallTimeoutMs);
}

}  // namespace

KWinScript::~KWinScript() {
  if (pluginName_.isEmpty()) return;
  CallScripting(QStringLiteral("unloadScript"), {pluginName_});
  QFile::remove(file_);
}

bool KWinScript::load() {
  QFile source{QLatin1String(kScriptResource)};
  if (!source.open(QIODevice::ReadOnly)) return false;
  // KWin reads the script from a file: one only this user can reach.
  QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (folder.isEmpty()) folder = QDir::tempPath();
  const QString name = QStringLiteral("tovra-mascot-windows");
  const QString file = folder + QStringLiteral("/tovra-mascot-windows-%1.js").arg(getpid());
  QFile out(file);
  if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(source.readAll()) < 0 ||
      !out.flush()) {
    QFile::remove(file);
    return false;
  }
  out.close();
  // One program runs per session: a script left by one that was killed
  // makes way.
  CallScripting(QStringLiteral("unloadScript"), {name});
  const QDBusMessage loaded = CallScripting(QStringLiteral("loadScript"), {file, name});
  if (loaded.type() != QDBusMessage::ReplyMessage || loaded.arguments().isEmpty() ||
      loaded.arguments().front().toInt() < 0) {
    QFile::remove(file);
    return false;
  }
  pluginName_ = name;
  file_ = file;
  // Runs the scripts loaded and not yet running: this one.
  CallScripting(QStringLiteral("start"), {});
  return true;
}

}  // namespace mascot
