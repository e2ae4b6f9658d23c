#pragma once
#include <vector>

#include "imaging/region.h"
#include "model/mascot_document.h"
#include "tracking/desktop_windows.h"
#include "tracking/mascot_placement.h"

namespace mascot {

// Finds the front-most ordinary window (the target), notices when it or its
// rectangle changes, and puts the mascot on its top edge.
class TargetTracker {
 public:
  static constexpr int kPollMilliseconds = 100;
  static constexpr int kMinimumTargetHeight = 20;

  explicit TargetTracker(DesktopWindows& desktop) : desktop_(desktop) {}

  // Takes a fresh look at the desktop and returns the first window, top-most
  // first, that can carry the mascot; the top-most window when none can;
  // kNoWindow when there are no windows.
  WindowId findTargetWindow(WindowId excluded);

  // Takes found (from the last findTargetWindow) as the target; true when
  // the target or its rectangle changed.
  bool targetChanged(WindowId found, WindowId mascot);

  // Shows the mascot on the target's top edge, or hides it when there is
  // nothing sensible to sit on. document may be null.
  void placeMascot(MascotPlacement& mascot, const MascotDocument* document,
                   bool hideIfTargetAtTop);

  // Where the mascot sits relative to the target's top-left corner, before
  // its height is taken off. The preview uses it too. The widths are in the
  // same pixels as the result; the document's pixel offsets are multiplied
  // by ratio, the pictures' size on the screen.
  static Offsets computeOffset(const MascotDocument& document, int mascotWidth, int targetWidth,
                               double ratio = 1.0);

  // Raises the window the search finds with the mascot excluded, so that the
  // window that was in front before the mascot was used is in front again.
  void bringTargetForward(WindowId mascot);

  // -- tracking, as the shell drives it --
  // At start, before the mascot window exists: nothing is excluded.
  void takeInitialTarget();
  // Raises the current target (after the first placement).
  void raiseTarget();
  // One poll: when the target changed, places the mascot and returns true
  // (the caller then repaints). Nothing else happens when nothing changed.
  bool track(MascotPlacement& mascot, const MascotDocument* document, bool hideIfTargetAtTop);

  WindowId target() const { return target_; }
  // The target's rectangle when it was last taken; all zero for no window.
  const Rect& targetRect() const { return targetRect_; }

 private:
  const DesktopWindow* findListed(WindowId id) const;
  WindowId rootOwner(const DesktopWindow& window) const;
  // The bottom-most window: the desktop's own, else the last one.
  WindowId bottomMostWindow() const;

  DesktopWindows& desktop_;
  std::vector<DesktopWindow> windows_;  // the last look, top-most first
  WindowId target_ = kNoWindow;
  Rect targetRect_;
};

}  // namespace mascot
