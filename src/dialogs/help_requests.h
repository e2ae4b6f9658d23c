#pragma once
#include <QPoint>

#include <functional>

class QWidget;

namespace mascot {

// Help commands, with the values the old platform gave them.
inline constexpr unsigned kHelpContext = 1;   // data: a context number
inline constexpr unsigned kHelpQuit = 2;      // close the help viewer
inline constexpr unsigned kHelpFinder = 11;   // the contents

// Context numbers the program opens.
inline constexpr unsigned long kHelpContextPreferences = 502;
inline constexpr unsigned long kHelpContextCreatorInfo = 503;

// The help file beside the program.
inline constexpr char kHelpFileName[] = "Mascot.hlp";

// What the program lends the dialogs: the help viewer, always addressed
// through the main window, and the pop-up help of one control. Either may be
// left unset; a request then does nothing.
struct HelpServices {
  std::function<void(unsigned command, unsigned long data)> showHelp;
  std::function<void(QWidget* dialog, QWidget* control, QPoint screenPoint)> contextHelp;
};
void SetHelpServices(HelpServices services);

void ShowHelp(unsigned command, unsigned long data = 0);
void RequestContextHelp(QWidget* dialog, QWidget* control, QPoint screenPoint);

// Makes a right click on one of the dialog's controls, and F1, ask for that
// control's pop-up help: one request each, with the control and the point
// on the screen (the pointer's for F1). Text fields keep their edit menu on
// a right click, with the pop-up help as its last item "What's This?".
void EnableContextHelp(QWidget* dialog);

}  // namespace mascot
