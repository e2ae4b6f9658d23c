#include "host/x11_window_state.h"

#include <xcb/xcb.h>

#include <QCoreApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "host/x11_screen.h"

namespace mascot {

namespace {

// After a show, when the window manager has taken the window on.
constexpr int kCheckAfterShowMs[] = {250, 1000};

class StateKeeper final : public QObject {
 public:
  StateKeeper(QWidget* widget, xcb_connection_t* connection)
      : QObject(widget), widget_(widget), connection_(connection), state_(InternAtom(connection, "_NET_WM_STATE")) {
    wanted_ = {InternAtom(connection, "_NET_WM_STATE_ABOVE"), InternAtom(connection, "_NET_WM_STATE_SKIP_TASKBAR"),
               InternAtom(connection, "_NET_WM_STATE_SKIP_PAGER")};
  }

  // Before the window is mapped the states go on it as a property, where the
  // window manager reads them (the toolkit adds its own to what it finds).
  void writeStates() {
    std::vector<xcb_atom_t> atoms = heldStates();
    for (const xcb_atom_t atom : wanted_)
      if (atom != XCB_ATOM_NONE && std::find(atoms.begin(), atoms.end(), atom) == atoms.end()) atoms.push_back(atom);
    xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, window(), state_, XCB_ATOM_ATOM, 32,
                        static_cast<std::uint32_t>(atoms.size()), atoms.data());
    xcb_flush(connection_);
  }

  bool eventFilter(QObject*, QEvent* event) override {
    // The show event comes before the window is mapped.
    if (event->type() == QEvent::Show) {
      writeStates();
      for (const int delay : kCheckAfterShowMs) QTimer::singleShot(delay, this, &StateKeeper::askAgainIfLost);
    }
    return false;
  }

 private:
  xcb_window_t window() const { return static_cast<xcb_window_t>(widget_->winId()); }

  std::vector<xcb_atom_t> heldStates() const {
    std::vector<xcb_atom_t> atoms;
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection_, xcb_get_property(connection_, 0, window(), state_, XCB_ATOM_ATOM, 0, 64), nullptr);
    if (reply != nullptr && reply->format == 32 && reply->type == XCB_ATOM_ATOM) {
      const auto* held = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply));
      atoms.assign(held, held + xcb_get_property_value_length(reply) / sizeof(xcb_atom_t));
    }
    std::free(reply);
    return atoms;
  }

  // On a mapped window states are asked of the window manager, two at a time.
  void askAgainIfLost() {
    if (!widget_ || !widget_->isVisible()) return;
    const std::vector<xcb_atom_t> held = heldStates();
    std::vector<xcb_atom_t> lost;
    for (const xcb_atom_t atom : wanted_)
      if (atom != XCB_ATOM_NONE && std::find(held.begin(), held.end(), atom) == held.end()) lost.push_back(atom);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    for (std::size_t i = 0; i < lost.size(); i += 2) {
      xcb_client_message_event_t message{};
      message.response_type = XCB_CLIENT_MESSAGE;
      message.format = 32;
      message.window = window();
      message.type = state_;
      message.data.data32[0] = 1;  // add
      message.data.data32[1] = lost[i];
      message.data.data32[2] = i + 1 < lost.size() ? lost[i + 1] : 0;
      message.data.data32[3] = 1;  // from an application
      xcb_send_event(connection_, 0, root,
                     XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                     reinterpret_cast<const char*>(&message));
    }
    if (!lost.empty()) xcb_flush(connection_);
  }

  QPointer<QWidget> widget_;
  xcb_connection_t* connection_;
  xcb_atom_t state_;
  std::array<xcb_atom_t, 3> wanted_{};
};

}  // namespace

void KeepAboveOffTaskbar(QWidget* widget) {
  xcb_connection_t* connection = ToolkitX11Connection();
  if (widget == nullptr || connection == nullptr) return;
  auto* keeper = new StateKeeper(widget, connection);
  widget->installEventFilter(keeper);
  if (!widget->isVisible()) keeper->writeStates();
}

}  // namespace mascot
