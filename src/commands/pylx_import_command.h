#pragma once
#include <string>
#include <vector>

#include "commands/file_commands.h"
#include "commands/path_dialogs.h"
#include "import/pylx_import.h"

// The menu's "Import PylX Mascot...": the files are chosen, imported into
// the Mascots folder with the progress window showing each step, and the
// outcome is told in the program's message boxes.
namespace mascot {

inline constexpr char kImportPylxDialogTitle[] = "Import an PylX Mascot";
inline constexpr char kPylxFilterText[] = "PylX Mascot File (*.pylx)|*.pylx||";

// Asks for one or more "*.pylx" files, starting in the folder of the
// previous import; a chosen folder is remembered for the next time. Gives
// the folder of the chosen files (empty when nothing was chosen).
std::string ChoosePylxFiles(PathDialogs& dialogs, std::vector<std::string>& paths);

// The import's messages, question and progress in the program's dialogs.
PylxImportCallbacks ImportCallbacksFor(CommandDialogs& dialogs);

// Imports the chosen files into destinationFolder (the Mascots folder when
// empty); true when at least one mascot was imported.
bool ImportChosenPylxMascots(const std::vector<std::string>& paths, CommandDialogs& dialogs,
                             std::string_view destinationFolder = {});

}  // namespace mascot
