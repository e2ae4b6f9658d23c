#pragma once

namespace mascot {

// SIGTERM, SIGINT and SIGHUP (the session ending, a kill) end the event
// loop as the Exit command does, so that the program leaves things as it
// found them: settings saved, the compositor's script unloaded. Call once
// the application object exists.
void QuitOnTerminationSignals();

}  // namespace mascot
