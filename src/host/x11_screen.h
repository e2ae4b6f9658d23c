#pragma once
#include <xcb/xcb.h>

#include <string_view>

namespace mascot {

// The number of the screen the DISPLAY names (":0.1" is screen 1); 0 when
// it names none.
int DefaultScreenNumber();

// The toolkit's own connection to the X server; null off X11 or without an
// application.
xcb_connection_t* ToolkitX11Connection();

// The atom of a name, made when new; XCB_ATOM_NONE when the server failed.
xcb_atom_t InternAtom(xcb_connection_t* connection, std::string_view name);

// The root window of a screen by number; XCB_WINDOW_NONE for none.
xcb_window_t RootWindow(xcb_connection_t* connection, int screen);

}  // namespace mascot
