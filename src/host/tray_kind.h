#pragma once

namespace mascot {

// The two notification areas of X11 desktops differ in what reaches the icon.
enum class TrayKind {
  // The tray of the X11 selection: the icon is a window of its own and sees
  // every press, release and double click; the program opens its menu itself.
  kClicks,
  // The D-Bus item trays (the StatusNotifierItem watcher of today's panels):
  // the panel sends one activation for a click, never a double click, and
  // shows the icon's menu itself, asking for it with the position it chose.
  kActivations,
};

// Which of the two the toolkit's tray icon speaks in this process. The
// toolkit decides once, when its first icon is made: the D-Bus tray when a
// watcher on the session bus has a panel (a host) registered, else, on X11,
// the X11 tray. Asked the same way the first time and remembered from then
// on, so call it just before the first icon is made.
TrayKind ToolkitTrayKind();

}  // namespace mascot
