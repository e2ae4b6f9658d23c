#pragma once
#include <QCursor>
#include <QIcon>
#include <QPixmap>

// The program's own pictures, by resource number, from the program's
// resources (resources/ in the source tree).
namespace mascot {

inline constexpr int kIconMascotSmall = 107;
inline constexpr int kIconViewer = 108;      // the tray icon while a mascot is shown
inline constexpr int kIconFileMenu = 129;
inline constexpr int kIconEditorSmall = 147;
inline constexpr int kIconEditor = 148;
inline constexpr int kIconEditorTray = 150;  // the tray icon while editing
inline constexpr int kBitmapSplash = 145;
inline constexpr int kBitmapAbout = 151;
inline constexpr int kBitmapCreditsLeft = 152;
inline constexpr int kBitmapCreditsRight = 153;
inline constexpr int kBitmapEditorLogo = 154;
inline constexpr int kCursorPointingHand = 155;

QIcon ProgramIcon(int id);        // a null icon for an unknown number
QPixmap ProgramBitmap(int id);    // a null pixmap for an unknown number
QCursor ProgramCursor(int id);    // the toolkit's pointing hand when missing

// Hands the bitmaps to the image loader's registry, so that they load like
// any picture (the splash does).
void RegisterProgramPictures();

}  // namespace mascot
