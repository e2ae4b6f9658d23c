#include "host/compositor_desktop_windows.h"

#include <unistd.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QEventLoop>

namespace mascot {
namespace {

// The compositor's side asks again at once; the answer must come before
// its call times out (25 s by default).
constexpr int kKeepAliveMs = 20000;
// Raises asked for faster than the compositor takes them: the last ones.
constexpr std::size_t kMaxRequests = 16;

}  // namespace

CompositorDesktopWindows::CompositorDesktopWindows(X11DesktopWindows& fallback)
    : fallback_(fallback), windows_(static_cast<std::uint32_t>(getpid())) {
  keepAlive_.setSingleShot(true);
  keepAlive_.setInterval(kKeepAliveMs);
  QObject::connect(&keepAlive_, &QTimer::timeout, this, [this] { answerRequest(); });
}

CompositorDesktopWindows::~CompositorDesktopWindows() {
  if (!serving_) return;
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (waiting_) bus.send(waiting_->createReply(QStringLiteral("stop")));
  link_.reset();
  bus.unregisterObject(QLatin1String(kPath));
  bus.unregisterService(QLatin1String(kService));
}

bool CompositorDesktopWindows::serve() {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return false;
  if (!bus.registerVirtualObject(QLatin1String(kPath), this)) return false;
  if (!bus.registerService(QLatin1String(kService))) {
    bus.unregisterObject(QLatin1String(kPath));
    return false;
  }
  serving_ = true;
  return true;
}

bool CompositorDesktopWindows::waitForReport(int timeoutMs) {
  if (windows_.hasReport()) return true;
  QEventLoop loop;
  QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
  waitingForReport_ = &loop;
  loop.exec();
  waitingForReport_ = nullptr;
  return windows_.hasReport();
}

bool CompositorDesktopWindows::listWindows(std::vector<DesktopWindow>& windows) {
  if (!windows_.hasReport()) return fallback_.listWindows(windows);
  windows_.list(fallback_.screenRect(), windows);
  return true;
}

void CompositorDesktopWindows::raiseWindow(WindowId window) {
  const std::string_view id = windows_.compositorId(window);
  if (id.empty()) {
    if (!windows_.hasReport()) fallback_.raiseWindow(window);
    return;
  }
  if (requests_.size() == kMaxRequests) requests_.pop_front();
  requests_.push_back(QStringLiteral("raise ") + QString::fromLatin1(id.data(), static_cast<int>(id.size())));
  if (waiting_) answerRequest();
}

int CompositorDesktopWindows::workAreaTop() { return fallback_.workAreaTop(); }

void CompositorDesktopWindows::setChangeListener(std::function<void()> listener) {
  listener_ = listener;
  fallback_.setChangeListener(std::move(listener));
}

std::string CompositorDesktopWindows::windowTitle(WindowId window) const {
  return std::string(windows_.title(window));
}

void CompositorDesktopWindows::answerRequest() {
  if (!waiting_) return;
  QString answer;
  if (!requests_.empty()) {
    answer = requests_.front();
    requests_.pop_front();
  }
  QDBusConnection::sessionBus().send(waiting_->createReply(answer));
  waiting_.reset();
  keepAlive_.stop();
}

QString CompositorDesktopWindows::introspect(const QString& path) const {
  (void)path;
  return QStringLiteral(
      "<interface name=\"example.tovra_mascot.Windows\">"
      "<method name=\"Report\"><arg name=\"report\" type=\"s\" direction=\"in\"/></method>"
      "<method name=\"NextRequest\"><arg name=\"request\" type=\"s\" direction=\"out\"/></method>"
      "</interface>");
}

bool CompositorDesktopWindows::handleMessage(const QDBusMessage& message, const QDBusConnection& connection) {
  if (message.type() != QDBusMessage::MethodCallMessage || message.interface() != QLatin1String(kInterface))
    return false;
  QDBusConnection bus(connection);
  if (message.member() == QLatin1String("Report") && message.signature() == QLatin1String("s")) {
    const QByteArray text = message.arguments().front().toString().toUtf8();
    const bool taken =
        windows_.take(std::string_view(text.constData(), static_cast<std::size_t>(text.size())));
    bus.send(taken
                 ? message.createReply()
                 : message.createErrorReply(QDBusError::InvalidArgs, QStringLiteral("not a window report")));
    if (taken && listener_) listener_();
    if (taken && waitingForReport_) waitingForReport_->quit();
    return true;
  }
  if (message.member() == QLatin1String("NextRequest") && message.signature().isEmpty()) {
    // One question waits at a time; an older one gets its answer now.
    if (waiting_) answerRequest();
    message.setDelayedReply(true);
    waiting_ = std::make_unique<QDBusMessage>(message);
    if (!requests_.empty())
      answerRequest();
    else
      keepAlive_.start();
    return true;
  }
  return false;
}

}  // namespace mascot
