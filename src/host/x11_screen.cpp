#include "host/x11_screen.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdint>
#include <cstdlib>

namespace mascot {

int DefaultScreenNumber() {
  int screen = 0;
  char* host = nullptr;
  int display = 0;
  if (xcb_parse_display(nullptr, &host, &display, &screen) == 0) screen = 0;
  std::free(host);
  return screen;
}

xcb_connection_t* ToolkitX11Connection() {
  auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
  auto* x11 = app != nullptr ? app->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return x11 != nullptr ? x11->connection() : nullptr;
}

xcb_atom_t InternAtom(xcb_connection_t* connection, std::string_view name) {
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
      connection, xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.data()), nullptr);
  const xcb_atom_t atom = reply != nullptr ? reply->atom : XCB_ATOM_NONE;
  std::free(reply);
  return atom;
}

xcb_window_t RootWindow(xcb_connection_t* connection, int screen) {
  xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection));
  for (int i = 0; it.rem > 0 && i < screen; ++i) xcb_screen_next(&it);
  return it.rem > 0 ? it.data->root : XCB_WINDOW_NONE;
}

}  // namespace mascot
