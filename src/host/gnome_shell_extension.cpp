#include "host/gnome_shell_extension.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace mascot {
namespace {

constexpr char kResourceFolder[] = ":/compositor/gnome-shell/tovra-mascot@example.tovra_mascot/";
constexpr const char* kFiles[] = {"metadata.json", "extension.js"};
constexpr int kSettingsTimeoutMs = 3000;

QString ExtensionFolder() {
  return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
         QStringLiteral("/gnome-shell/extensions/") + QLatin1String(kGnomeShellExtensionUuid);
}

// Writes the file only when its contents differ.
bool Refresh(const QString& path, const QByteArray& contents) {
  QFile current(path);
  if (current.open(QIODevice::ReadOnly) && current.readAll() == contents) return true;
  current.close();
  QFile out(path);
  return out.open(QIODevice::WriteOnly | QIODevice::Truncate) && out.write(contents) == contents.size() &&
         out.flush();
}

// The shell's list of extensions to run, through the gsettings tool (GNOME
// sessions have it); it takes effect at the shell's next start.
void EnableAtNextStart() {
  QProcess get;
  get.start(QStringLiteral("gsettings"),
            {QStringLiteral("get"), QStringLiteral("org.gnome.shell"), QStringLiteral("enabled-extensions")});
  if (!get.waitForFinished(kSettingsTimeoutMs) || get.exitCode() != 0) return;
  QString list = QString::fromUtf8(get.readAllStandardOutput()).trimmed();
  if (list.contains(QLatin1String(kGnomeShellExtensionUuid))) return;
  // "@as []" or "['a', 'b']"
  if (list.startsWith(QLatin1String("@as "))) list = list.mid(4);
  if (!list.startsWith(QLatin1Char('[')) || !list.endsWith(QLatin1Char(']'))) return;
  const QString entry = QStringLiteral("'") + QLatin1String(kGnomeShellExtensionUuid) + QStringLiteral("'");
  list = list.size() == 2 ? QStringLiteral("[") + entry + QStringLiteral("]")
                          : list.chopped(1) + QStringLiteral(", ") + entry + QStringLiteral("]");
  QProcess set;
  set.start(QStringLiteral("gsettings"), {QStringLiteral("set"), QStringLiteral("org.gnome.shell"),
                                          QStringLiteral("enabled-extensions"), list});
  set.waitForFinished(kSettingsTimeoutMs);
}

}  // namespace

bool InstallGnomeShellExtension() {
  const QString folder = ExtensionFolder();
  if (!QDir().mkpath(folder)) return false;
  for (const char* name : kFiles) {
    QFile source(QLatin1String(kResourceFolder) + QLatin1String(name));
    if (!source.open(QIODevice::ReadOnly)) return false;
    if (!Refresh(folder + QLatin1Char('/') + QLatin1String(name), source.readAll())) return false;
  }
  EnableAtNextStart();
  return true;
}

}  // namespace mascot
