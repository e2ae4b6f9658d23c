#pragma once

namespace mascot {

// On a Wayland session the program runs on XWayland: only there can it read
// other applications' windows. Call before the application object exists;
// an explicit QT_QPA_PLATFORM is left alone.
void PreferXWayland();

}  // namespace mascot
