#pragma once
#include <xcb/xcb.h>

#include <memory>
#include <string>
#include <vector>

#include "tracking/desktop_windows.h"

namespace mascot {

// The desktop's top-level windows on an X server, as the window manager
// publishes them (EWMH): the stacking list, window states, frame extents,
// transient owners; raising asks the window manager to activate. Without a
// window manager, the root's children stand in for the stacking list.
//
// A poll costs one round trip while the stacking list stays the same: the
// per-window requests for the last list go out together with the request for
// the list itself.
class X11DesktopWindows final : public DesktopWindows {
 public:
  // On the application's own X connection (Qt on its xcb platform); not
  // connected on any other platform.
  X11DesktopWindows();
  // On a connection of its own; null names the display in DISPLAY.
  explicit X11DesktopWindows(const char* displayName);
  ~X11DesktopWindows() override;
  X11DesktopWindows(const X11DesktopWindows&) = delete;
  X11DesktopWindows& operator=(const X11DesktopWindows&) = delete;

  bool isConnected() const;
  xcb_connection_t* connection() const;
  xcb_window_t rootWindow() const;

  // The program's own windows are never listed: those given here, and those
  // whose _NET_WM_PID is this process (on unless switched off).
  void excludeWindow(WindowId window);
  void setExcludeOwnProcess(bool exclude);

  bool listWindows(std::vector<DesktopWindow>& windows) override;
  void raiseWindow(WindowId window) override;
  int workAreaTop() override;

  // The title (_NET_WM_NAME, else WM_NAME), for people reading the desktop.
  std::string windowTitle(WindowId window);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace mascot
