#pragma once
#include <string_view>

#include "preferences/mascot_preferences.h"

// The preferences as the program keeps them: in "mascot.ini" where
// program_locations.h decides, with the installed list from the mascot folders.
namespace mascot {

// Loads from SettingsFilePath(); without a program folder the defaults stay.
bool LoadSettings(MascotPreferences& preferences);
// Saves to SettingsFilePath() when modified (at exit). True when nothing
// needed saving.
bool SaveSettingsIfModified(MascotPreferences& preferences, std::string_view title);
// Saves to SettingsFilePath() now (after the preferences dialog).
bool SaveSettings(MascotPreferences& preferences, std::string_view title);
// Fills the installed list afresh from the user's and the packaged mascot folders.
void RefreshInstalledMascots(MascotPreferences& preferences);

}  // namespace mascot
