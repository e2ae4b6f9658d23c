#include "host/single_instance.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>
#include <span>

#include "commands/command_line.h"
#include "commands/copy_data_record.h"

namespace mascot {
namespace {

// The answer of the running instance, as the window procedure answered: 1.
constexpr char kAnswer[4] = {1, 0, 0, 0};
// A sender that does not finish its record in this time is dropped.
constexpr int kReceiveTimeoutMs = 5000;
// A probe for a running instance waits this long for the connection.
constexpr int kProbeTimeoutMs = 1000;

QString SanitisedDisplay() {
  QString display = qEnvironmentVariable("DISPLAY");
  if (display.isEmpty()) display = qEnvironmentVariable("WAYLAND_DISPLAY");
  if (display.isEmpty()) display = QStringLiteral("none");
  for (QChar& ch : display) {
    if (!(ch.isLetterOrNumber() && ch.unicode() < 128)) ch = QLatin1Char('_');
  }
  return display;
}

std::span<const std::uint8_t> BytesOf(const QByteArray& data) {
  return {reinterpret_cast<const std::uint8_t*>(data.constData()), static_cast<std::size_t>(data.size())};
}

bool InstanceAnswers(const QString& serverName) {
  QLocalSocket probe;
  probe.connectToServer(serverName);
  const bool answered = probe.waitForConnected(kProbeTimeoutMs);
  probe.abort();
  return answered;
}

// The file beside the socket whose lock serialises probe-and-listen: two
// starts at the same moment would otherwise both find nobody answering, both
// listen, and the second would remove the first one's socket.
QString LockFilePath(const QString& serverName) {
  const QString socketPath =
      serverName.startsWith(QLatin1Char('/')) ? serverName : QDir(QDir::tempPath()).filePath(serverName);
  return socketPath + QStringLiteral(".lock");
}

// Held for the life of the object; the lock goes with the descriptor.
class ClaimLock {
 public:
  explicit ClaimLock(const QString& path)
      : fd_(::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {
    if (fd_ < 0) return;
    while (::flock(fd_, LOCK_EX) != 0 && errno == EINTR) {
    }
  }
  ~ClaimLock() {
    if (fd_ >= 0) ::close(fd_);
  }
  ClaimLock(const ClaimLock&) = delete;
  ClaimLock& operator=(const ClaimLock&) = delete;

 private:
  int fd_;
};

}  // namespace

QString SingleInstance::DefaultServerName() {
  return QStringLiteral("MASCOT-%1-%2").arg(static_cast<qulonglong>(getuid())).arg(SanitisedDisplay());
}

SingleInstance::SingleInstance(QString serverName, QObject* parent)
    : QObject(parent), serverName_(std::move(serverName)) {
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
}

SingleInstance::~SingleInstance() { server_.close(); }

bool SingleInstance::claim() {
  if (server_.isListening()) return true;
  // Without the lock file (a read-only temporary folder) the claim runs
  // unserialised, as it would have anyway.
  const ClaimLock lock(LockFilePath(serverName_));
  if (InstanceAnswers(serverName_)) return false;
  if (server_.listen(serverName_)) return true;
  // Nobody answered: the socket was left behind by a program that died.
  QLocalServer::removeServer(serverName_);
  return server_.listen(serverName_);
}

void SingleInstance::acceptConnections() {
  while (QLocalSocket* socket = server_.nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    QPointer<QLocalSocket> guard(socket);
    QTimer::singleShot(kReceiveTimeoutMs, socket, [guard] {
      if (guard) guard->abort();
    });
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
      const QByteArray pending = socket->peek(socket->bytesAvailable());
      const auto size = CopyDataRecordSize(BytesOf(pending));
      if (pending.size() >= static_cast<qsizetype>(kCopyDataHeaderSize) && !size) {
        socket->abort();  // announces more than any argument can hold
        return;
      }
      if (!size || pending.size() < static_cast<qsizetype>(*size)) return;

      const QByteArray bytes = socket->read(static_cast<qint64>(*size));
      const auto record = DecodeCopyDataRecord(BytesOf(bytes));
      socket->write(kAnswer, sizeof kAnswer);
      socket->flush();
      socket->disconnectFromServer();
      if (!record || record->dwData != kOpenArgumentRecord || !record->hasData) return;
      // The sender has its answer; the open runs from the event loop, where
      // it may show dialogs.
      const std::string argument = record->argument;
      QTimer::singleShot(0, this, [this, argument] {
        if (handler_) handler_(argument);
      });
    });
  }
}

bool SingleInstance::SendArgument(const QString& serverName, const std::string& argument, int timeoutMs) {
  QElapsedTimer clock;
  clock.start();
  auto remaining = [&] { return std::max(0, timeoutMs - static_cast<int>(clock.elapsed())); };

  QLocalSocket socket;
  socket.connectToServer(serverName);
  if (!socket.waitForConnected(remaining())) return false;
  const std::vector<std::uint8_t> record = EncodeCopyDataRecord(argument);
  socket.write(reinterpret_cast<const char*>(record.data()), static_cast<qint64>(record.size()));
  socket.flush();
  while (socket.bytesAvailable() < static_cast<qint64>(sizeof kAnswer)) {
    if (!socket.waitForReadyRead(remaining())) return false;
  }
  return true;
}

int SingleInstance::handOver(const std::vector<std::string>& arguments, int timeoutMs) {
  if (!arguments.empty()) SendArgument(serverName_, ForwardedArgument(arguments.front()), timeoutMs);
  return 0;
}

}  // namespace mascot
