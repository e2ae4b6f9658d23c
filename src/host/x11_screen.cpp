#include "host/x11_screen.h"

#include <xcb/xcb.h>

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

}  // namespace mascot
