#pragma once
#include <string>
#include <string_view>

#include "commands/path_dialogs.h"

namespace mascot {

inline constexpr std::string_view kOpenWaveDialogTitle = "Open Wave File";
inline constexpr std::string_view kWaveFilterText = "Wave Files (*.WAV)|*.WAV||";

// "Open Wave File", starting at the current click sound: the chosen file, or
// an empty text when the user cancelled.
std::string AskSoundPath(PathDialogs& dialogs, std::string_view currentPath);

}  // namespace mascot
