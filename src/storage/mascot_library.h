#pragma once
#include <string>
#include <string_view>
#include <vector>

// Where the program keeps its files: the settings file and the folder of
// installed mascots, both beside the program.
namespace mascot {

enum MascotFileKind : int {
  kUnknownFile = 0,
  kPublishedMascotFile = 1,
  kWorkFile = 2,
};

// The folder of the running program, without a trailing separator.
std::string ProgramFolder();
// Tests run from the build tree; they point the program folder at a scratch
// folder instead. An empty folder restores the real one.
void SetProgramFolderForTesting(std::string folder);

std::string ProgramFilePath(std::string_view name);
std::string SettingsFilePath();
// The "Mascots" folder, created when missing (a failure to create is ignored).
std::string MascotsFolderPath();

// The file names (no folder) of the installed mascots, in directory order.
void ListInstalledMascots(std::vector<std::string>& list);

// The kind of a mascot file from its first 16 bytes: a published mascot, a
// work file, or unknown (also for unreadable and short files).
int IdentifyMascotFile(std::string_view path);

}  // namespace mascot
