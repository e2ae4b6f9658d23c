#pragma once
#include <QLocalServer>
#include <QObject>
#include <QString>
#include <functional>
#include <string>
#include <vector>

namespace mascot {

// One running program per user and display. The first start listens on a
// local socket; a second start hands its argument to the first as a
// copy-data record, waits for the answer and exits.
class SingleInstance final : public QObject {
 public:
  // Called from the event loop with the argument of a second start (never
  // empty, without its zero).
  using ArgumentHandler = std::function<void(const std::string& argument)>;

  // "MASCOT-<uid>-<display>", the display's characters reduced to letters,
  // digits and '_'.
  static QString DefaultServerName();

  explicit SingleInstance(QString serverName = DefaultServerName(), QObject* parent = nullptr);
  ~SingleInstance() override;

  // True when this process is now the running instance. False when another
  // instance answers on the name (this is a second start), or when listening
  // failed. A socket that nobody answers on is stale and is replaced.
  bool claim();
  bool isListening() const { return server_.isListening(); }

  void setArgumentHandler(ArgumentHandler handler) { handler_ = std::move(handler); }

  // The second start: with no argument nothing is sent; otherwise the first
  // argument goes to the running instance, which answers when it has the
  // record. The exit code for the second start: always 0.
  int handOver(const std::vector<std::string>& arguments, int timeoutMs = 5000);

  // Sends one argument and waits for the answer; false when no instance
  // answered in time.
  static bool SendArgument(const QString& serverName, const std::string& argument,
                           int timeoutMs);

 private:
  void acceptConnections();

  QString serverName_;
  QLocalServer server_;
  ArgumentHandler handler_;
};

}  // namespace mascot
