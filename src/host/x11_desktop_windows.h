#pragma once
#include <xcb/xcb.h>

#include <cstdint>
#include <functional>
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
// What the windows are is kept between polls and refreshed from the X events
// that change it: a poll on an unchanged desktop asks the server nothing.
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
  // The screen's rectangle as the server gave it at the connection.
  Rect screenRect() const;

  // The program's own windows are never listed: those given here, and those
  // whose _NET_WM_PID is this process.
  void excludeWindow(WindowId window);

  bool listWindows(std::vector<DesktopWindow>& windows) override;
  void raiseWindow(WindowId window) override;
  int workAreaTop() override;
  // On the toolkit's connection, whose events the toolkit delivers.
  bool notifiesChanges() const override;
  void setChangeListener(std::function<void()> listener) override;

  // How often the polls so far waited for the server.
  std::uint64_t roundTrips() const;

  // The title (_NET_WM_NAME, else WM_NAME), for people reading the desktop.
  std::string windowTitle(WindowId window);

 private:
  struct State;
  std::unique_ptr<State> state_;
};

}  // namespace mascot
