#pragma once

class QWidget;

namespace mascot {

class MascotPreferences;

// "Tovra Mascot Preferences" on a copy of the preferences whose installed
// list the caller has filled: 1 for OK, with the copy holding the new values,
// or 2 for Cancel, after which the caller drops the copy. No record gives 2.
int RunPreferencesDialog(QWidget* owner, MascotPreferences* preferences);

}  // namespace mascot
