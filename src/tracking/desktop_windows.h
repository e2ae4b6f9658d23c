#pragma once
#include <cstdint>
#include <functional>
#include <vector>

#include "imaging/region.h"

namespace mascot {

// A top-level window of the desktop: the window system's own id, opaque
// here. 0 is no window.
using WindowId = std::uint64_t;
inline constexpr WindowId kNoWindow = 0;

// One top-level window as the desktop showed it at the last look.
struct DesktopWindow {
  WindowId id = kNoWindow;
  bool visible = false;        // on the screen now
  bool minimised = false;
  bool hasTitle = false;       // its title text is not empty
  Rect frame;                  // with its decorations, in device pixels
  WindowId owner = kNoWindow;  // the window it belongs to, as a dialog to its main window
  bool topmost = false;        // kept above ordinary windows
  bool desktop = false;        // the desktop's background window
};

// The desktop's top-level windows. The desktop layer implements it over the
// window system; tests fake it.
class DesktopWindows {
 public:
  virtual ~DesktopWindows() = default;

  // Fills windows with the top-level windows, top-most first; the program's
  // own windows are left out. The vector's storage is reused, so a poll does
  // not allocate. False (and an empty list) when the desktop cannot be read.
  virtual bool listWindows(std::vector<DesktopWindow>& windows) = 0;

  // Brings the window to the front of its band.
  virtual void raiseWindow(WindowId window) = 0;

  // The top of the area ordinary windows are placed in: below a panel along
  // the top of the screen, else 0.
  virtual int workAreaTop() { return 0; }

  // Whether the listener is called whenever the windows may have changed
  // (between two looks, on the caller's thread). A desktop that cannot tell
  // must be looked at all the time.
  virtual bool notifiesChanges() const { return false; }
  virtual void setChangeListener(std::function<void()> listener) { (void)listener; }
};

}  // namespace mascot
