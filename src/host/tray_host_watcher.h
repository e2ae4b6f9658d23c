#pragma once

namespace mascot {

// From the first call on, a tray host that takes over the screen's
// notification area (a new one, or the old one restarted) is announced as
// TaskbarCreatedEvent, posted to every top-level widget. Nothing happens off
// X11.
void WatchTrayHost();

}  // namespace mascot
