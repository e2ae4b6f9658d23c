#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "storage/program_locations.h"

// Where the program keeps its files, as program_locations.h decides: the
// settings file, the help file and the folders of installed mascots.
namespace mascot {

enum MascotFileKind : int {
  kUnknownFile = 0,
  kPublishedMascotFile = 1,
  kWorkFile = 2,
};

// The folder of the running program, without a trailing separator.
std::string ProgramFolder();
// Tests run from the build tree; they point the program folder at a scratch
// folder instead, which counts as portable. An empty folder restores the real one.
void SetProgramFolderForTesting(std::string folder);

ProgramLocations CurrentProgramLocations();

// A file shipped with the program (the help file).
std::string ProgramFilePath(std::string_view name);
// The settings file; its folder is created when missing. Empty when there is
// nowhere to keep settings.
std::string SettingsFilePath();
// The user's "Mascots" folder, created when missing (a failure to create is ignored).
std::string MascotsFolderPath();

// The file names (no folder) of the installed mascots: the user's folder in
// directory order, then the packaged folders' names the user has not got.
void ListInstalledMascots(std::vector<std::string>& list);
void ListMascotsIn(const ProgramLocations& locations, std::vector<std::string>& list);
// The path of the installed mascot of that file name in the first folder that
// holds it; in the user's folder when none does.
std::string InstalledMascotPath(std::string_view name);
std::string FindMascotIn(const ProgramLocations& locations, std::string_view name);

// Creates the folder and the missing folders above it; true when it exists.
bool MakeFolderTree(const std::string& folder);

// The kind of a mascot file from its first 16 bytes: a published mascot, a
// work file, or unknown (also for unreadable and short files).
int IdentifyMascotFile(std::string_view path);

}  // namespace mascot
