#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "tracking/compositor_report.h"
#include "tracking/desktop_windows.h"

namespace mascot {

// The windows the compositor last reported, as the tracking sees desktop
// windows: in the X server's pixels (where the program's own window is
// placed, through XWayland), the program's own windows left out, and the
// screen standing in for the desktop when no window is the desktop.
class CompositorWindows {
 public:
  // Windows of this process are never listed.
  explicit CompositorWindows(std::uint32_t ownPid) : ownPid_(ownPid) {}

  // Takes a new report; false when the text is not one (the last report
  // stays).
  bool take(std::string_view text);
  bool hasReport() const { return hasReport_; }

  // The windows top-most first. The compositor's logical screen is scaled
  // to the X screen, which XWayland sizes in the compositor's coordinates
  // or in device pixels when it scales X clients itself.
  void list(const Rect& xScreen, std::vector<DesktopWindow>& windows) const;

  // The compositor's name for a window listed; empty for one it never
  // named (the screen).
  std::string_view compositorId(WindowId window) const;
  std::string_view title(WindowId window) const;

  // The id that stands for the whole screen when no window is the desktop.
  static constexpr WindowId kScreen = ~WindowId{0};

 private:
  std::uint32_t ownPid_;
  bool hasReport_ = false;
  CompositorReport report_;
  // The same compositor window keeps its number while it is reported.
  std::unordered_map<std::string, WindowId> numbers_;
  std::vector<WindowId> numberOf_;  // per window of the report
  WindowId nextNumber_ = 1;
};

}  // namespace mascot
