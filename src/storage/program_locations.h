#pragma once
#include <string>
#include <vector>

// The one decision of where the program's files live. Run from a folder it
// may write to that holds its "Mascots" folder (the build folder, an unpacked
// archive), the program keeps everything beside itself ("portable"). Installed,
// it follows the XDG base directories: the settings and the user's mascots in
// the home folder, the packaged mascots and help read-only under the prefix.
namespace mascot {

inline constexpr char kProgramDataFolderName[] = "tovra-mascot";
inline constexpr char kSettingsFileName[] = "mascot.ini";
inline constexpr char kMascotsFolderName[] = "Mascots";

// What the decision depends on; CurrentLocationInputs gathers it.
struct LocationInputs {
  std::string programFolder;  // absolute, without a trailing separator
  bool programFolderWritable = false;
  bool programFolderHasMascots = false;
  std::string home;        // $HOME
  std::string configHome;  // $XDG_CONFIG_HOME, as set (possibly empty)
  std::string dataHome;    // $XDG_DATA_HOME
  std::string dataDirs;    // $XDG_DATA_DIRS
};

struct ProgramLocations {
  bool portable = false;
  // Empty when there is nowhere to keep it (no usable home folder).
  std::string settingsFile;
  // The user's mascots: imports and publishing go here.
  std::string userMascots;
  // Packaged mascots, read-only, in the order they are looked in.
  std::vector<std::string> sharedMascots;
  // The files shipped with the program, such as the help file.
  std::string programFiles;
  // The desktop's folder of programs started at login; empty without a home.
  std::string autostartFolder;
};

ProgramLocations DecideLocations(const LocationInputs& inputs);

// The inputs for the program in programFolder from the environment and the
// file system.
LocationInputs CurrentLocationInputs(const std::string& programFolder);

}  // namespace mascot
