#pragma once

namespace mascot {

// In a Wayland session the program sees only the windows that run on
// XWayland. The first start in such a session says so in a message box; later
// starts keep quiet. Call once the program's window exists.
void GiveWaylandNoticeOnce();

}  // namespace mascot
