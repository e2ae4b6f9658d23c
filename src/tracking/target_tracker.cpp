#include "tracking/target_tracker.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "tracking/device_pixels.h"

namespace mascot {
namespace {

// Offsets come from files; keep the arithmetic inside int.
int ClampToInt(std::int64_t value) {
  return static_cast<int>(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

}  // namespace

const DesktopWindow* TargetTracker::findListed(WindowId id) const {
  if (id == kNoWindow) return nullptr;
  for (const DesktopWindow& window : windows_)
    if (window.id == id) return &window;
  return nullptr;
}

WindowId TargetTracker::rootOwner(const DesktopWindow& window) const {
  WindowId root = window.owner;
  // An owner that is not listed ends the chain; the step limit ends a cycle.
  for (std::size_t steps = 0; steps < windows_.size(); ++steps) {
    const DesktopWindow* owner = findListed(root);
    if (owner == nullptr || owner->owner == kNoWindow) break;
    root = owner->owner;
  }
  return root;
}

WindowId TargetTracker::bottomMostWindow() const {
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it)
    if (it->desktop) return it->id;
  return windows_.empty() ? kNoWindow : windows_.back().id;
}

WindowId TargetTracker::findTargetWindow(WindowId excluded) {
  if (!desktop_.listWindows(windows_) || windows_.empty()) return kNoWindow;
  for (const DesktopWindow& w : windows_) {
    if (w.id == excluded) continue;
    if (!w.visible) continue;
    if (w.minimised) continue;
    if (!w.hasTitle) continue;
    if (w.frame.bottom - w.frame.top < kMinimumTargetHeight) continue;
    if (w.owner != kNoWindow && (w.topmost || rootOwner(w) == excluded)) continue;
    return w.id;
  }
  return windows_.front().id;
}

bool TargetTracker::targetChanged(WindowId found, WindowId mascot) {
  Rect rect;
  if (const DesktopWindow* window = findListed(found)) rect = window->frame;
  if (found == target_ && rect == targetRect_) return false;
  target_ = found;
  // The mascot as its own target keeps the place it sits on.
  if (found == kNoWindow || found != mascot) targetRect_ = rect;
  return true;
}

Offsets TargetTracker::computeOffset(const MascotDocument& document, int mascotWidth, int targetWidth,
                                     double ratio) {
  std::int64_t x = DeviceLength(document.xOffset, ratio);
  if (document.offsetIsPercent)
    x = (std::int64_t{targetWidth} - mascotWidth) * document.xOffset / 100;
  if (document.offsetRelativeToRightEdge) x = std::int64_t{targetWidth} - x - mascotWidth;
  return {ClampToInt(x), DeviceLength(document.yOffset, ratio)};
}

void TargetTracker::placeMascot(MascotPlacement& mascot, const MascotDocument* document,
                                bool hideIfTargetAtTop) {
  const WindowId last = target_ == kNoWindow ? kNoWindow : bottomMostWindow();
  if (document == nullptr || (hideIfTargetAtTop && targetRect_.top < desktop_.workAreaTop() + 1) || target_ == last ||
      !document->isActive()) {
    mascot.hide();
    return;
  }
  const int w = mascot.width();
  const int h = mascot.height();
  const Offsets offset = computeOffset(*document, w, targetRect_.right - targetRect_.left, mascot.deviceRatio());
  const int left = ClampToInt(std::int64_t{targetRect_.left} + offset.x);
  const int top = ClampToInt(std::int64_t{targetRect_.top} - h + offset.y);
  mascot.showAt({left, top, ClampToInt(std::int64_t{left} + w), ClampToInt(std::int64_t{top} + h)});
}

void TargetTracker::bringTargetForward(WindowId mascot) {
  const WindowId window = findTargetWindow(mascot);
  if (window != kNoWindow) desktop_.raiseWindow(window);
}

void TargetTracker::takeInitialTarget() {
  target_ = findTargetWindow(kNoWindow);
  targetRect_ = {};
  if (const DesktopWindow* window = findListed(target_)) targetRect_ = window->frame;
}

void TargetTracker::raiseTarget() {
  if (target_ != kNoWindow) desktop_.raiseWindow(target_);
}

bool TargetTracker::track(MascotPlacement& mascot, const MascotDocument* document,
                          bool hideIfTargetAtTop) {
  const WindowId self = mascot.windowId();
  if (!targetChanged(findTargetWindow(self), self)) return false;
  placeMascot(mascot, document, hideIfTargetAtTop);
  return true;
}

}  // namespace mascot
