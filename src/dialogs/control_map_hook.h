#pragma once

namespace mascot {

// For the desktop tests, which drive the program's dialogs through the X
// server like a user: when MASCOT_TEST_CONTROL_MAP names a file, the screen
// rectangles of the numbered controls of the modal dialog in front are
// written there, and again whenever they change, one line each: "id left top
// width height frame" (frame: the frame number of the editor's list row the
// control belongs to, 0 elsewhere). Without the variable nothing happens.
// Call once, with the application running.
void PublishControlMapForTests();

}  // namespace mascot
