#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <chrono>
#include <QLocalSocket>
#include <QThread>
#include <atomic>
#include <future>
#include <thread>

#include "host/single_instance.h"

namespace mascot {
namespace {

// A name of the test's own, so parallel test processes never meet.
QString TestServerName() {
  return QStringLiteral("MASCOT-test-%1-%2")
      .arg(QCoreApplication::applicationPid())
      .arg(QString::fromUtf8(::testing::UnitTest::GetInstance()->current_test_info()->name()));
}

template <typename Done>
void ProcessEventsUntil(Done done, int timeoutMs = 5000) {
  QElapsedTimer clock;
  clock.start();
  while (!done() && clock.elapsed() < timeoutMs) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

TEST(SingleInstanceTest, ASecondStartHandsItsArgumentToTheFirst) {
  const QString name = TestServerName();
  SingleInstance first(name);
  std::vector<std::string> received;
  first.setArgumentHandler([&](const std::string& argument) { received.push_back(argument); });
  ASSERT_TRUE(first.claim());

  SingleInstance second(name);
  EXPECT_FALSE(second.claim());

  // The second start blocks on its answer, so it runs beside the event loop.
  auto sent = std::async(std::launch::async, [&] { return SingleInstance::SendArgument(name, "/tmp/Fox Ä.mascot", 5000); });
  ProcessEventsUntil([&] { return sent.wait_for(std::chrono::seconds(0)) == std::future_status::ready && !received.empty(); });
  EXPECT_TRUE(sent.get());
  EXPECT_EQ(received, std::vector<std::string>{"/tmp/Fox Ä.mascot"});

  // Without an argument nothing is sent.
  QElapsedTimer clock;
  clock.start();
  EXPECT_EQ(second.handOver({}), 0);
  EXPECT_LT(clock.elapsed(), 500);
  ProcessEventsUntil([] { return false; }, 200);
  EXPECT_EQ(received.size(), 1u);
}

TEST(SingleInstanceTest, ASocketLeftBehindIsReplaced) {
  const QString name = TestServerName();
  const QByteArray path = QDir(QDir::tempPath()).filePath(name).toLocal8Bit();
  const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  ASSERT_LT(static_cast<std::size_t>(path.size()), sizeof address.sun_path);
  std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
  ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  close(fd);  // the file stays, with nobody behind it

  SingleInstance instance(name);
  EXPECT_TRUE(instance.claim());
}

// Starts at the same moment (a double click on a file, a session restore)
// must end with exactly one running instance, whose socket stays.
TEST(SingleInstanceTest, OfManySimultaneousStartsExactlyOneRuns) {
  constexpr int kStarts = 12;
  for (int round = 0; round < 5; ++round) {
    const QString name = TestServerName() + QString::number(round);
    std::atomic<int> ready{0};
    std::atomic<int> claimed{0};
    std::atomic<int> decided{0};
    std::atomic<bool> finish{false};
    std::vector<std::unique_ptr<QThread>> starts;
    for (int i = 0; i < kStarts; ++i) {
      starts.emplace_back(QThread::create([&] {
        SingleInstance instance(name);
        ++ready;
        while (ready < kStarts) std::this_thread::yield();
        if (instance.claim()) ++claimed;
        ++decided;
        // Every instance lives until all have tried, as separate programs would.
        while (!finish) std::this_thread::sleep_for(std::chrono::milliseconds(5));
      }));
      starts.back()->start();
    }
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 20000 && decided < kStarts) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    // The one instance still answers on the name: nobody removed its socket.
    QLocalSocket probe;
    probe.connectToServer(name);
    EXPECT_TRUE(probe.waitForConnected(1000)) << "round " << round;
    probe.abort();
    finish = true;
    for (auto& start : starts) start->wait();
    EXPECT_EQ(claimed.load(), 1) << "round " << round;
    QFile::remove(QDir(QDir::tempPath()).filePath(name + QStringLiteral(".lock")));
  }
}

}  // namespace
}  // namespace mascot
