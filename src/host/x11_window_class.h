#pragma once

class QWidget;

namespace mascot {

// Gives a top-level widget its own X11 window class (WM_CLASS), so that
// window managers and scripts can tell it apart from the program's other
// windows. Creates the native window; call before the widget is first
// shown. Does nothing off X11.
void SetX11WindowClass(QWidget* widget, const char* className);

}  // namespace mascot
