#pragma once
#include <QDBusMessage>
#include <QDBusVirtualObject>
#include <QEventLoop>
#include <QTimer>

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/x11_desktop_windows.h"
#include "tracking/compositor_windows.h"

namespace mascot {

// What keeps the compositor's side running (a script loaded into it); it
// goes before the program stops answering.
class CompositorLink {
 public:
  virtual ~CompositorLink() = default;
};

// The desktop's windows as a Wayland compositor reports them: a KWin script
// or a GNOME Shell extension sends the whole list over the session bus after
// every change, and carries out the raises asked of it. The program serves
//   example.tovra_mascot.Mascot  /example/tovra_mascot/Windows
//   interface example.tovra_mascot.Windows
//     Report(s report)     the list, as CompositorReport reads it
//     NextRequest() -> s   answered with "raise <id>" when a window is to be
//                          raised, or with "" after a while of nothing
// Until the first report comes (and when the bus is not there) the X
// server's windows stand in: XWayland's own.
class CompositorDesktopWindows final : public QDBusVirtualObject, public DesktopWindows {
 public:
  static constexpr const char* kService = "example.tovra_mascot.Mascot";
  static constexpr const char* kPath = "/example/tovra_mascot/Windows";
  static constexpr const char* kInterface = "example.tovra_mascot.Windows";

  explicit CompositorDesktopWindows(X11DesktopWindows& fallback);
  ~CompositorDesktopWindows() override;

  // Takes the name and serves the object on the session bus; false when it
  // cannot (no bus, or the name is taken).
  bool serve();
  void setLink(std::unique_ptr<CompositorLink> link) { link_ = std::move(link); }
  // Waits up to the timeout for the first report, running the events.
  bool waitForReport(int timeoutMs);
  bool hasReport() const { return windows_.hasReport(); }

  bool listWindows(std::vector<DesktopWindow>& windows) override;
  void raiseWindow(WindowId window) override;
  int workAreaTop() override;
  bool notifiesChanges() const override { return true; }
  void setChangeListener(std::function<void()> listener) override;

  // What the compositor calls the window, for people reading the desktop.
  std::string windowTitle(WindowId window) const;

  QString introspect(const QString& path) const override;
  bool handleMessage(const QDBusMessage& message, const QDBusConnection& connection) override;

 private:
  void answerRequest();

  X11DesktopWindows& fallback_;
  CompositorWindows windows_;
  std::function<void()> listener_;
  bool serving_ = false;
  std::deque<QString> requests_;
  std::unique_ptr<QDBusMessage> waiting_;  // a NextRequest not yet answered
  QTimer keepAlive_;
  QEventLoop* waitingForReport_ = nullptr;
  std::unique_ptr<CompositorLink> link_;
};

}  // namespace mascot
