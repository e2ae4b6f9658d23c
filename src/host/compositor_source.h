#pragma once
#include <memory>

#include "host/compositor_desktop_windows.h"
#include "host/x11_desktop_windows.h"
#include "tracking/window_source.h"

namespace mascot {

// The session's source of desktop windows, chosen at start: the compositor's
// own report where the session's compositor gives one, else the X server.
struct DesktopWindowSource {
  WindowSource kind = WindowSource::kX11;
  // Null when the windows come from the X server: on X11, on other Wayland
  // compositors, and when the compositor could not be reached.
  std::unique_ptr<CompositorDesktopWindows> compositor;
};

// Call once the application object exists. On KWin the program's script is
// loaded; on GNOME Shell the program's extension is installed for the user
// when it is missing. Waits a moment for the first report.
DesktopWindowSource ConnectDesktopWindowSource(X11DesktopWindows& x11);

}  // namespace mascot
