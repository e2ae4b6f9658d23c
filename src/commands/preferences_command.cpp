#include "commands/preferences_command.h"

#include "preferences/login_start.h"
#include "preferences/mascot_preferences.h"
#include "preferences/settings_store.h"

namespace mascot {

void PreferencesCommand::run() {
  host_.suspend();
  MascotPreferences& preferences = host_.preferences();
  MascotPreferences copy = preferences;
  // Mascots may have been added or removed since the start.
  RefreshInstalledMascots(copy);
  copy.startAtLogin = StartsAtLogin();
  const bool startedAtLogin = copy.startAtLogin;

  const bool accepted = dialog_.runPreferencesDialog(copy) == PreferencesDialogRunner::kAccepted;
  if (accepted && copy.startAtLogin != startedAtLogin && !SetStartAtLogin(copy.startAtLogin))
    fileCommands_.showFileError(kSavingStage, CurrentLoginStartEntryPath());

  if (accepted && !copy.equals(preferences)) {
    if (copy.ChangeMode != preferences.ChangeMode) {
      // The new timing starts with a fresh mascot, still chosen by the old
      // rule; the new rule starts from its first position.
      copy.CurrentSelection = 0;
      fileCommands_.forceNext();
      host_.restartChangeTimer();
    }
    preferences = copy;
    preferences.setModified(true);
    host_.restartChangeTimer();
    // A failure keeps modified set: the save is tried again at exit.
    SaveSettings(preferences, FileCommands::kTitle);
  }

  host_.resume();
  host_.bringTargetForward();
}

}  // namespace mascot
