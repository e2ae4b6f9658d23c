#include "host/tray_host_watcher.h"

#include <xcb/xcb.h>

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QWidget>

#include <cstdlib>
#include <string>

#include "host/tray_events.h"
#include "host/x11_screen.h"

namespace mascot {
namespace {

// A new owner of the tray selection says so with a MANAGER client message
// to the root window, sent to those that listen for structure changes there.
class TrayHostWatcher final : public QObject, public QAbstractNativeEventFilter {
 public:
  TrayHostWatcher(xcb_connection_t* c, QObject* parent) : QObject(parent) {
    const int screen = DefaultScreenNumber();
    root_ = RootWindow(c, screen);
    manager_ = InternAtom(c, "MANAGER");
    selection_ = InternAtom(c, "_NET_SYSTEM_TRAY_S" + std::to_string(screen));
    if (root_ == XCB_NONE || manager_ == XCB_NONE || selection_ == XCB_NONE) return;

    // Add to what the toolkit listens for on the root window, not replace it.
    xcb_get_window_attributes_reply_t* attributes =
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, root_), nullptr);
    if (attributes == nullptr) return;
    const std::uint32_t mask = attributes->your_event_mask;
    std::free(attributes);
    if ((mask & XCB_EVENT_MASK_STRUCTURE_NOTIFY) == 0) {
      const std::uint32_t wanted = mask | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
      xcb_change_window_attributes(c, root_, XCB_CW_EVENT_MASK, &wanted);
      xcb_flush(c);
    }
    QCoreApplication::instance()->installNativeEventFilter(this);
  }

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
    if (eventType != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_CLIENT_MESSAGE) return false;
    const auto* m = static_cast<const xcb_client_message_event_t*>(message);
    if (m->window == root_ && m->type == manager_ && m->format == 32 && m->data.data32[1] == selection_) {
      for (QWidget* widget : QApplication::topLevelWidgets())
        QCoreApplication::postEvent(widget, new TaskbarCreatedEvent);
    }
    return false;  // the toolkit's own tray icon wants it too
  }

 private:
  xcb_window_t root_ = XCB_NONE;
  xcb_atom_t manager_ = XCB_NONE;
  xcb_atom_t selection_ = XCB_NONE;
};

}  // namespace

void WatchTrayHost() {
  static QPointer<TrayHostWatcher> watcher;
  if (watcher) return;
  xcb_connection_t* connection = ToolkitX11Connection();
  if (connection == nullptr) return;
  watcher = new TrayHostWatcher(connection, QCoreApplication::instance());
}

}  // namespace mascot
