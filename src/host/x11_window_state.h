#pragma once

class QWidget;

namespace mascot {

// Keeps a top-level widget above ordinary windows and out of taskbars and
// pagers, each time it is shown. For an ordinary window that is not a task of
// its own: a utility window would do the same, but some window managers hide
// those while their program is not the active one. Does nothing off X11.
//
// A window manager drops a window's states when it is hidden, and may do so
// only after the window was shown again (a quick hide and show): the states
// are checked once the window is on screen, and asked for again if lost.
void KeepAboveOffTaskbar(QWidget* widget);

}  // namespace mascot
