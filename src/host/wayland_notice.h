#pragma once
#include <functional>

#include "tracking/window_source.h"

namespace mascot {

// In a Wayland session whose compositor does not report its windows, the
// program sees only the windows that run on XWayland; on GNOME Shell its
// extension runs only from the next login. The first start in such a
// session says so in a message box; later starts keep quiet. Call once the
// program's window exists.
// beforeShowing runs just before the box shows (the start picture, kept
// above other windows, would hide it).
void GiveWaylandNoticeOnce(WindowSource source, bool compositorReports, const std::function<void()>& beforeShowing);

}  // namespace mascot
