#pragma once
#include <QMetaObject>

#include <memory>

class QEvent;
class QObject;

namespace mascot {

// An object that sees the events of a window it does not own, before the
// window does. Any number of hooks can sit on one window: the newest sees an
// event first, then the older ones in turn, then the window itself. A hook
// can be detached from anywhere in the chain; a window that goes away
// detaches all of its hooks.
class WindowHook {
 public:
  WindowHook();
  virtual ~WindowHook();  // detaches

  WindowHook(const WindowHook&) = delete;
  WindowHook& operator=(const WindowHook&) = delete;

  // Hooks the window (a hook sits on one window at a time: attaching to
  // another detaches it first); null detaches. Always true.
  bool Attach(QObject* window);
  QObject* window() const { return window_; }

 protected:
  // Each event of the window; true stops it here, so that older hooks and
  // the window never see it. Hooks that only watch end with PassOn.
  virtual bool WindowProc(QEvent* event) { return PassOn(event); }
  bool PassOn(QEvent*) { return false; }

 private:
  class Filter;
  std::unique_ptr<Filter> filter_;
  QObject* window_ = nullptr;
  QMetaObject::Connection destroyed_;
};

}  // namespace mascot
