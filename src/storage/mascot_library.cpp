#include "storage/mascot_library.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

#include "errors/program_path.h"
#include "errors/system_error.h"
#include "storage/file_info.h"
#include "storage/paths.h"
#include "storage/regular_file.h"

namespace mascot {
namespace {

constexpr std::string_view kMascotExtension = ".mascot";
constexpr std::size_t kIdentifyLength = 16;
constexpr std::array<unsigned char, 4> kContainerMagic = {0x52, 0x52, 0x56, 0x51};

std::string& ProgramFolderOverride() {
  static std::string folder;
  return folder;
}

char AsciiLower(char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch; }

// The old platform's "*.mascot" pattern matched without case.
bool HasMascotExtension(std::string_view name) {
  if (name.size() < kMascotExtension.size()) return false;
  std::string_view tail = name.substr(name.size() - kMascotExtension.size());
  for (std::size_t i = 0; i < tail.size(); ++i)
    if (AsciiLower(tail[i]) != kMascotExtension[i]) return false;
  return true;
}

bool IsFolderEntry(const std::string& folder, const dirent* entry) {
  if (entry->d_type == DT_DIR) return true;
  if (entry->d_type != DT_UNKNOWN && entry->d_type != DT_LNK) return false;
  return IsFolder(JoinPath(folder, entry->d_name));
}

bool IsMascotFile(const std::string& folder, std::string_view name) {
  if (folder.empty() || name.empty()) return false;
  const std::string path = JoinPath(folder, name);
  return FileExists(path) && !IsFolder(path);
}

// Reads up to size bytes; the count read, or -1 when the file cannot be read.
long ReadHead(const std::string& path, unsigned char* buffer, std::size_t size) {
  // A question about the file: whatever went wrong, the last error stays.
  const ErrorCode lastError = LastSystemError();
  const FileDescriptor file = OpenRegularFile(path);
  SetLastSystemError(lastError);
  if (!file.isOpen()) return -1;
  const int fd = file.get();
  std::size_t total = 0;
  while (total < size) {
    ssize_t n = read(fd, buffer + total, size - total);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    total += static_cast<std::size_t>(n);
  }
  return static_cast<long>(total);
}

}  // namespace

std::string ProgramFolder() {
  if (!ProgramFolderOverride().empty()) return ProgramFolderOverride();
  std::string program = ProgramPath();
  return program.empty() ? std::string() : FolderPart(program);
}

void SetProgramFolderForTesting(std::string folder) { ProgramFolderOverride() = std::move(folder); }

ProgramLocations CurrentProgramLocations() {
  LocationInputs inputs = CurrentLocationInputs(ProgramFolder());
  if (!ProgramFolderOverride().empty()) inputs.programFolderWritable = inputs.programFolderHasMascots = true;
  return DecideLocations(inputs);
}

std::string ProgramFilePath(std::string_view name) { return JoinPath(CurrentProgramLocations().programFiles, name); }

std::string SettingsFilePath() {
  std::string path = CurrentProgramLocations().settingsFile;
  if (!path.empty()) MakeFolderTree(FolderPart(path));
  return path;
}

std::string MascotsFolderPath() {
  std::string folder = CurrentProgramLocations().userMascots;
  if (!folder.empty()) MakeFolderTree(folder);
  return folder;
}

void ListInstalledMascots(std::vector<std::string>& list) {
  const ProgramLocations locations = CurrentProgramLocations();
  if (!locations.userMascots.empty()) MakeFolderTree(locations.userMascots);
  ListMascotsIn(locations, list);
}

void ListMascotsIn(const ProgramLocations& locations, std::vector<std::string>& list) {
  list.clear();
  std::vector<std::string> folders{locations.userMascots};
  folders.insert(folders.end(), locations.sharedMascots.begin(), locations.sharedMascots.end());
  for (const std::string& folder : folders) {
    if (folder.empty()) continue;
    const auto earlier = static_cast<std::ptrdiff_t>(list.size());
    DIR* dir = opendir(NativePath(folder).c_str());
    if (dir == nullptr) continue;
    while (const dirent* entry = readdir(dir)) {
      std::string_view name = entry->d_name;
      if (name == "." || name == "..") continue;
      if (!HasMascotExtension(name) || IsFolderEntry(folder, entry)) continue;
      // A name an earlier folder holds is that folder's mascot.
      const auto earlierEnd = list.begin() + earlier;
      if (std::find(list.begin(), earlierEnd, name) != earlierEnd) continue;
      list.emplace_back(name);
    }
    closedir(dir);
  }
}

std::string InstalledMascotPath(std::string_view name) { return FindMascotIn(CurrentProgramLocations(), name); }

std::string FindMascotIn(const ProgramLocations& locations, std::string_view name) {
  if (IsMascotFile(locations.userMascots, name))
    return JoinPath(locations.userMascots, name);
  for (const std::string& folder : locations.sharedMascots)
    if (IsMascotFile(folder, name)) return JoinPath(folder, name);
  return JoinPath(locations.userMascots, name);
}

bool MakeFolderTree(const std::string& folder) {
  if (folder.empty() || IsFolder(folder)) return !folder.empty();
  const std::string parent = FolderPart(folder);
  if (parent != folder && !parent.empty()) MakeFolderTree(parent);
  return mkdir(NativePath(folder).c_str(), 0777) == 0 || IsFolder(folder);
}

int IdentifyMascotFile(std::string_view path) {
  std::array<unsigned char, kIdentifyLength> head{};
  if (ReadHead(NativePath(path), head.data(), head.size()) != static_cast<long>(head.size()))
    return kUnknownFile;
  if (std::memcmp(head.data(), kContainerMagic.data(), kContainerMagic.size()) == 0)
    return kPublishedMascotFile;
  std::string_view text(reinterpret_cast<const char*>(head.data()), head.size());
  if (text.find("Configuration") != std::string_view::npos) return kWorkFile;
  return kUnknownFile;
}

}  // namespace mascot
