#include "storage/program_locations.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string_view>

#include "storage/file_info.h"
#include "storage/paths.h"

namespace mascot {
namespace {

constexpr std::string_view kDefaultDataDirs = "/usr/local/share/:/usr/share/";

// The XDG base directory rules: only absolute paths count; anything else is
// ignored as if the variable were unset.
bool IsAbsolute(std::string_view path) { return !path.empty() && path.front() == '/'; }

std::string WithoutTrailingSlashes(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

// The variable's value when absolute, else home joined with fallback; empty
// when neither is usable.
std::string BaseFolder(const std::string& value, const std::string& home, std::string_view fallback) {
  if (IsAbsolute(value)) return WithoutTrailingSlashes(value);
  if (!IsAbsolute(home)) return {};
  return JoinPath(WithoutTrailingSlashes(home), fallback);
}

std::vector<std::string> AbsoluteEntries(std::string_view list) {
  std::vector<std::string> entries;
  while (!list.empty()) {
    const std::size_t colon = list.find(':');
    const std::string_view entry = list.substr(0, colon);
    if (IsAbsolute(entry)) entries.push_back(WithoutTrailingSlashes(std::string(entry)));
    list = colon == std::string_view::npos ? std::string_view() : list.substr(colon + 1);
  }
  return entries;
}

std::vector<std::string> DataDirs(const std::string& value) {
  std::vector<std::string> dirs = AbsoluteEntries(value);
  return dirs.empty() ? AbsoluteEntries(kDefaultDataDirs) : dirs;
}

void AddOnce(std::vector<std::string>& list, std::string folder) {
  if (std::find(list.begin(), list.end(), folder) == list.end()) list.push_back(std::move(folder));
}

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string() : std::string(value);
}

}  // namespace

ProgramLocations DecideLocations(const LocationInputs& inputs) {
  ProgramLocations locations;
  const std::string configHome = BaseFolder(inputs.configHome, inputs.home, ".config");
  if (!configHome.empty()) locations.autostartFolder = JoinPath(configHome, "autostart");

  locations.portable = inputs.programFolderWritable && inputs.programFolderHasMascots;
  if (locations.portable) {
    locations.settingsFile = JoinPath(inputs.programFolder, kSettingsFileName);
    locations.userMascots = JoinPath(inputs.programFolder, kMascotsFolderName);
    locations.programFiles = inputs.programFolder;
    return locations;
  }

  if (!configHome.empty())
    locations.settingsFile = JoinPath(JoinPath(configHome, kProgramDataFolderName), kSettingsFileName);
  const std::string dataHome = BaseFolder(inputs.dataHome, inputs.home, ".local/share");
  if (!dataHome.empty())
    locations.userMascots = JoinPath(JoinPath(dataHome, kProgramDataFolderName), kMascotsFolderName);

  // <prefix>/bin/mascot ships its files in <prefix>/share/tovra-mascot.
  const std::string prefix = FolderPart(inputs.programFolder);
  locations.programFiles = JoinPath(JoinPath(prefix, "share"), kProgramDataFolderName);
  AddOnce(locations.sharedMascots, JoinPath(locations.programFiles, kMascotsFolderName));
  for (const std::string& dir : DataDirs(inputs.dataDirs))
    AddOnce(locations.sharedMascots, JoinPath(JoinPath(dir, kProgramDataFolderName), kMascotsFolderName));
  return locations;
}

LocationInputs CurrentLocationInputs(const std::string& programFolder) {
  LocationInputs inputs;
  inputs.programFolder = programFolder;
  inputs.programFolderWritable = !programFolder.empty() && access(programFolder.c_str(), W_OK) == 0;
  inputs.programFolderHasMascots = !programFolder.empty() && IsFolder(JoinPath(programFolder, kMascotsFolderName));
  inputs.home = Environment("HOME");
  inputs.configHome = Environment("XDG_CONFIG_HOME");
  inputs.dataHome = Environment("XDG_DATA_HOME");
  inputs.dataDirs = Environment("XDG_DATA_DIRS");
  return inputs;
}

}  // namespace mascot
