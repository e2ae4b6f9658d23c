#include "dialogs/window_hook.h"

#include <QObject>

namespace mascot {

// The toolkit's event filters run newest first and are dropped with the
// object they watch, which is the chain a hook needs.
class WindowHook::Filter final : public QObject {
 public:
  explicit Filter(WindowHook& hook) : hook_(hook) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    return watched == hook_.window_ && hook_.WindowProc(event);
  }

 private:
  WindowHook& hook_;
};

WindowHook::WindowHook() : filter_(std::make_unique<Filter>(*this)) {}

WindowHook::~WindowHook() { Attach(nullptr); }

bool WindowHook::Attach(QObject* window) {
  if (window_) {
    QObject::disconnect(destroyed_);
    window_->removeEventFilter(filter_.get());
    window_ = nullptr;
  }
  if (window) {
    window_ = window;
    window->installEventFilter(filter_.get());
    destroyed_ = QObject::connect(window, &QObject::destroyed, filter_.get(), [this] { window_ = nullptr; });
  }
  return true;
}

}  // namespace mascot
