#pragma once
#include <string_view>

namespace mascot {

// Where the desktop's windows are read from. On X11, and on Wayland
// compositors the program cannot ask, the X server tells (on Wayland that
// is XWayland, which knows only its own clients). KWin and GNOME Shell
// report every window themselves, through a script or an extension.
enum class WindowSource { kX11, kKWin, kGnomeShell };

// From the session's kind and XDG_CURRENT_DESKTOP, a colon-separated list
// of desktop names ("KDE", "ubuntu:GNOME").
WindowSource ChooseWindowSource(bool waylandSession, std::string_view currentDesktop);

// Whether GNOME Shell of this version ("43.9", "44.beta") loads the
// program's extension: 43 and 44 do; 45 and later want extensions of
// another form. A version that cannot be read is taken to load it.
bool GnomeShellLoadsExtension(std::string_view shellVersion);

}  // namespace mascot

namespace mascot {

// What the program says once about where it finds windows.
enum class SessionNotice {
  kNone,
  kXWaylandOnly,         // a Wayland session whose native windows it cannot see
  kGnomeShellExtension,  // its extension is installed but not running yet
};

SessionNotice NoticeFor(bool waylandSession, WindowSource source, bool compositorReports);

}  // namespace mascot
