#pragma once
#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

namespace mascot {

// Tells when the screen's notification area may have come or gone: a new
// owner of the tray selection announces itself, and the owner's window is
// destroyed when its host ends. The news comes a moment late, so that a tray
// host that restarts (a panel reloading) reads as one change, and after the
// toolkit has seen the same events. Nothing happens off X11.
class TrayPresenceWatcher final : public QObject {
 public:
  static constexpr int kSettleMs = 1000;

  explicit TrayPresenceWatcher(std::function<void()> changed, QObject* parent = nullptr);
  ~TrayPresenceWatcher() override;

 private:
  class Filter;

  std::function<void()> changed_;
  QTimer settle_;
  std::unique_ptr<Filter> filter_;
};

}  // namespace mascot
