#pragma once
#include <QRect>

// The start picture (dialog 144): bitmap 145 in a borderless popup, centred
// on the screen, gone after a while or at a click.
namespace mascot {

// Shows the picture for the given time (0 or less: 5000 ms), replacing a splash that
// still shows. False, and nothing shown, when the picture cannot be loaded:
// the program's bitmaps must have been registered (RegisterProgramPictures).
bool ShowSplash(int milliseconds);

// Where the splash is on the screen; empty when none shows.
QRect SplashScreenRect();

// Takes the splash down at once (at exit, before its time is up).
void CloseSplash();

inline constexpr int kSplashDialogId = 144;
inline constexpr int kDefaultSplashMilliseconds = 5000;

}  // namespace mascot
