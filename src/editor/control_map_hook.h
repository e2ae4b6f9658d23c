#pragma once

class QWidget;

namespace mascot {

// For the desktop tests, which drive the editor through the X server like a
// user: when MASCOT_TEST_CONTROL_MAP names a file, the screen rectangles of
// the dialog's numbered controls are written there, and again whenever they
// change, one line each: "id left top width height frame" (frame: the frame
// number of the list row the control belongs to, 0 outside the list).
// Without the variable nothing happens.
void PublishControlMapForTests(QWidget* dialog);

}  // namespace mascot
