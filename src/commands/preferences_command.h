#pragma once
#include "commands/file_commands.h"

// The menu command "Preferences..." (32778): the preferences dialog on a
// copy, and what an accepted change means for the mascot on show.
namespace mascot {

class MascotPreferences;

// The preferences dialog, which the desktop layer runs and tests fake.
class PreferencesDialogRunner {
 public:
  static constexpr int kAccepted = 1;
  static constexpr int kCancelled = 2;

  virtual ~PreferencesDialogRunner() = default;
  // Runs the dialog modally on the copy: kAccepted with the new values in
  // the copy, or kCancelled.
  virtual int runPreferencesDialog(MascotPreferences& copy) = 0;
};

class PreferencesCommand {
 public:
  PreferencesCommand(MascotHost& host, FileCommands& fileCommands, PreferencesDialogRunner& dialog)
      : host_(host), fileCommands_(fileCommands), dialog_(dialog) {}

  // An accepted change is applied and saved at once; accepting without a
  // change touches nothing. The login start entry is written or removed when
  // its box changed.
  void run();

 private:
  MascotHost& host_;
  FileCommands& fileCommands_;
  PreferencesDialogRunner& dialog_;
};

}  // namespace mascot
