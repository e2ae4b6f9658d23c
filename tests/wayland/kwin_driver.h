#pragma once
// Drives the test's KWin: one-shot scripts loaded through its scripting
// interface act on windows by title and print what they found into KWin's
// log, which the test reads; pictures of the screen through its screenshot
// interface.
#include <fcntl.h>
#include <unistd.h>

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusUnixFileDescriptor>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QVariantMap>

#include <optional>
#include <string>

#include "host/x11_test_client.h"
#include "wayland/compositor_driver.h"

namespace mascot::testing {

class KWinDriver final : public CompositorDriver {
 public:
  // The log the harness keeps of KWin's output.
  KWinDriver() : log_(qEnvironmentVariable("MASCOT_KWIN_LOG")) {}

  // Runs the statement on every window with this title (as w) and says
  // whether there was one; retried until the window shows or the time is up.
  bool onWindow(const std::string& title, const std::string& statement) {
    return WaitFor([&] { return runOnce(title, statement); }, std::chrono::seconds(5));
  }
  bool move(const std::string& title, int x, int y) override {
    return onWindow(title, "const g = w.frameGeometry; w.frameGeometry = {x: " + std::to_string(x) +
                               ", y: " + std::to_string(y) + ", width: g.width, height: g.height};");
  }
  bool minimise(const std::string& title, bool on) override {
    return onWindow(title, std::string("w.minimized = ") + (on ? "true;" : "false;"));
  }
  bool activate(const std::string& title) override {
    return onWindow(title, "if (kwin6) workspace.activeWindow = w; else workspace.activeClient = w;");
  }
  std::optional<Rect> frameOf(const std::string& title) override {
    std::optional<Rect> frame;
    const std::string marker =
        script(title,
               "const g = w.frameGeometry;"
               "print(marker + ' frame ' + g.x + ' ' + g.y + ' ' + g.width + ' ' + g.height);");
    int x, y, width, height;
    WaitFor(
        [&] {
          const std::string line = logLine(marker + " frame ");
          if (line.empty() || std::sscanf(line.c_str(), "%d %d %d %d", &x, &y, &width, &height) != 4)
            return false;
          frame = Rect{x, y, x + width, y + height};
          return true;
        },
        std::chrono::seconds(2));
    scripting("unloadScript", {QString::fromStdString(marker)});
    return frame;
  }

  bool isScriptLoaded(const QString& plugin) {
    const QDBusMessage reply = scripting("isScriptLoaded", {plugin});
    return reply.type() == QDBusMessage::ReplyMessage && reply.arguments().value(0).toBool();
  }

  // The whole screen as KWin composes it (the harness lets the test ask).
  QImage screenshot() override {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) return {};
    QDBusMessage reply;
    {
      // Every copy of the writing end must be closed before the pipe ends.
      QDBusMessage call = QDBusMessage::createMethodCall("org.kde.KWin", "/org/kde/KWin/ScreenShot2",
                                                         "org.kde.KWin.ScreenShot2", "CaptureWorkspace");
      call << QVariantMap{{"native-resolution", true}}
           << QVariant::fromValue(QDBusUnixFileDescriptor(fds[1]));
      ::close(fds[1]);
      reply = QDBusConnection::sessionBus().call(call, QDBus::Block, 10000);
    }
    QByteArray bytes;
    char chunk[65536];
    for (ssize_t n; (n = ::read(fds[0], chunk, sizeof chunk)) > 0;) bytes.append(chunk, n);
    ::close(fds[0]);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
      std::fprintf(stderr, "no screenshot: %s\n", qPrintable(reply.errorMessage()));
      return {};
    }
    const QVariantMap meta = qdbus_cast<QVariantMap>(reply.arguments().front());
    const int width = meta.value("width").toInt(), height = meta.value("height").toInt();
    const int stride = meta.value("stride").toInt();
    const auto format = static_cast<QImage::Format>(meta.value("format").toInt());
    if (width <= 0 || height <= 0 || bytes.size() < qsizetype(stride) * height) return {};
    return QImage(reinterpret_cast<const uchar*>(bytes.constData()), width, height, stride, format).copy();
  }

 private:
  static QDBusMessage scripting(const char* method, const QVariantList& arguments) {
    QDBusMessage call =
        QDBusMessage::createMethodCall("org.kde.KWin", "/Scripting", "org.kde.kwin.Scripting", method);
    call.setArguments(arguments);
    return QDBusConnection::sessionBus().call(call, QDBus::Block, 5000);
  }

  std::string nonce() { return "driver" + std::to_string(++count_); }

  // Loads and runs a script over the windows with the title; the marker it
  // prints lines under.
  std::string script(const std::string& title, const std::string& statement) {
    const std::string marker = nonce();
    const QString file = folder_.filePath(QString::fromStdString(marker + ".js"));
    QFile out(file);
    out.open(QIODevice::WriteOnly);
    out.write(("const marker = '" + marker +
               "';\n"
               "const kwin6 = typeof workspace.windowList === 'function';\n"
               "let found = 0;\n"
               "for (const w of (kwin6 ? workspace.windowList() : workspace.clientList())) {\n"
               "  if (w.caption !== " +
               Quoted(title) +
               ") continue;\n"
               "  found++;\n  " +
               statement +
               "\n}\n"
               "print(marker + ' found ' + found);\n")
                  .c_str());
    out.close();
    const QString plugin = QString::fromStdString(marker);
    scripting("loadScript", {file, plugin});
    scripting("start", {});
    return marker;
  }

  bool runOnce(const std::string& title, const std::string& statement) {
    const std::string marker = script(title, statement);
    std::string found;
    WaitFor([&] { return !(found = logLine(marker + " found ")).empty(); }, std::chrono::seconds(2));
    scripting("unloadScript", {QString::fromStdString(marker)});
    return !found.empty() && found != "0";
  }

  // What follows the prefix on the log's last line that has it.
  std::string logLine(const std::string& prefix) {
    QFile file(log_);
    if (!file.open(QIODevice::ReadOnly)) return {};
    const std::string text = file.readAll().toStdString();
    const std::size_t at = text.rfind(prefix);
    if (at == std::string::npos) return {};
    const std::size_t begin = at + prefix.size();
    return text.substr(begin, text.find('\n', begin) - begin);
  }

  static std::string Quoted(const std::string& s) {
    std::string out = "\"";
    for (const char c : s) out += (c == '"' || c == '\\') ? std::string("\\") + c : std::string(1, c);
    return out + "\"";
  }

  QString log_;
  QTemporaryDir folder_;
  int count_ = 0;
};

}  // namespace mascot::testing
