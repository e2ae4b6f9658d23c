#include "host/tray_presence_watcher.h"

#include <xcb/xcb.h>

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdlib>
#include <string>

#include "host/x11_screen.h"

namespace mascot {
namespace {

xcb_window_t SelectionOwner(xcb_connection_t* c, xcb_atom_t selection) {
  xcb_get_selection_owner_reply_t* reply =
      xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection), nullptr);
  const xcb_window_t owner = reply != nullptr ? reply->owner : XCB_NONE;
  std::free(reply);
  return owner;
}

// Adds to what this connection hears from the window; the toolkit may listen
// there too, and its mask must stay.
void ListenForStructure(xcb_connection_t* c, xcb_window_t window) {
  xcb_get_window_attributes_reply_t* attributes =
      xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr);
  if (attributes == nullptr) return;
  const std::uint32_t mask = attributes->your_event_mask;
  std::free(attributes);
  if ((mask & XCB_EVENT_MASK_STRUCTURE_NOTIFY) != 0) return;
  const std::uint32_t wanted = mask | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
  xcb_change_window_attributes(c, window, XCB_CW_EVENT_MASK, &wanted);
  xcb_flush(c);
}

}  // namespace

// The MANAGER message on the root window, and the destruction of the
// selection owner's window, which this connection listens for itself.
class TrayPresenceWatcher::Filter final : public QAbstractNativeEventFilter {
 public:
  Filter(xcb_connection_t* c, std::function<void()> changed) : c_(c), changed_(std::move(changed)) {
    const int screen = DefaultScreenNumber();
    root_ = RootWindow(c, screen);
    manager_ = InternAtom(c, "MANAGER");
    selection_ = InternAtom(c, "_NET_SYSTEM_TRAY_S" + std::to_string(screen));
    if (root_ == XCB_NONE || manager_ == XCB_NONE || selection_ == XCB_NONE) return;
    ListenForStructure(c, root_);
    followOwner();
    QCoreApplication::instance()->installNativeEventFilter(this);
  }
  ~Filter() override {
    if (QCoreApplication::instance() != nullptr) QCoreApplication::instance()->removeNativeEventFilter(this);
  }

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
    if (eventType != "xcb_generic_event_t") return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    switch (event->response_type & 0x7F) {
      case XCB_CLIENT_MESSAGE: {
        const auto* m = static_cast<const xcb_client_message_event_t*>(message);
        if (m->window == root_ && m->type == manager_ && m->format == 32 && m->data.data32[1] == selection_) {
          followOwner();
          changed_();
        }
        break;
      }
      case XCB_DESTROY_NOTIFY: {
        const auto* d = static_cast<const xcb_destroy_notify_event_t*>(message);
        if (owner_ != XCB_NONE && d->window == owner_) {
          followOwner();
          changed_();
        }
        break;
      }
      default: break;
    }
    return false;  // the toolkit keeps its own view of the tray
  }

 private:
  // Listens to the current owner's window; one that went while we looked is
  // looked up again.
  void followOwner() {
    for (int tries = 0; tries < 3; ++tries) {
      owner_ = SelectionOwner(c_, selection_);
      if (owner_ == XCB_NONE) return;
      ListenForStructure(c_, owner_);
      if (SelectionOwner(c_, selection_) == owner_) return;
    }
  }

  xcb_connection_t* c_;
  std::function<void()> changed_;
  xcb_window_t root_ = XCB_NONE;
  xcb_window_t owner_ = XCB_NONE;
  xcb_atom_t manager_ = XCB_NONE;
  xcb_atom_t selection_ = XCB_NONE;
};

TrayPresenceWatcher::TrayPresenceWatcher(std::function<void()> changed, QObject* parent)
    : QObject(parent), changed_(std::move(changed)) {
  settle_.setSingleShot(true);
  settle_.setInterval(kSettleMs);
  connect(&settle_, &QTimer::timeout, this, [this] { changed_(); });
  xcb_connection_t* connection = ToolkitX11Connection();
  if (connection == nullptr) return;
  filter_ = std::make_unique<Filter>(connection, [this] { settle_.start(); });
}

TrayPresenceWatcher::~TrayPresenceWatcher() = default;

}  // namespace mascot
