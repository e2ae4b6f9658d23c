#include "preferences/login_start.h"

#include <cerrno>
#include <cstdio>

#include "errors/program_path.h"
#include "errors/system_error.h"
#include "storage/file_info.h"
#include "storage/mascot_library.h"
#include "storage/paths.h"
#include "storage/replacement_file.h"

namespace mascot {
namespace {

// Characters that make the desktop entry's Exec key quote an argument.
constexpr std::string_view kReservedExecChars = " \t\n\"'\\><~|&;$*?#()`";

// An Exec argument: quoted when it holds a reserved character, with the four
// characters special inside quotes escaped; '%' is doubled so that it is no
// field code.
std::string ExecArgument(std::string_view path) {
  std::string argument;
  const bool quoted = path.find_first_of(kReservedExecChars) != std::string_view::npos;
  if (quoted) argument += '"';
  for (char ch : path) {
    if (quoted && (ch == '"' || ch == '`' || ch == '$' || ch == '\\')) argument += '\\';
    if (ch == '%') argument += '%';
    argument += ch;
  }
  if (quoted) argument += '"';
  return argument;
}

// A string value of a desktop entry: backslashes and control characters escaped.
std::string EntryValue(std::string_view text) {
  std::string value;
  for (char ch : text) {
    if (ch == '\\') value += "\\\\";
    else if (ch == '\n') value += "\\n";
    else if (ch == '\t') value += "\\t";
    else if (ch == '\r') value += "\\r";
    else value += ch;
  }
  return value;
}

bool WriteText(const std::string& path, const std::string& text) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    SetLastErrorFromErrno(errno);
    return false;
  }
  const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  const int writeErrno = errno;
  const bool closed = std::fclose(file) == 0;
  if (!written || !closed) SetLastErrorFromErrno(written ? errno : writeErrno);
  return written && closed;
}

}  // namespace

std::string LoginStartEntryPath(const ProgramLocations& locations) {
  return locations.autostartFolder.empty() ? std::string() : JoinPath(locations.autostartFolder, kLoginStartEntryName);
}

std::string LoginStartEntryText(std::string_view programPath) {
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=Tovra Mascot\n"
         "Comment=Shows the desktop mascot\n"
         "Exec=" + EntryValue(ExecArgument(programPath)) + "\n"
         "Icon=tovra-mascot\n"
         "Terminal=false\n"
         "X-GNOME-Autostart-enabled=true\n";
}

bool LoginStartEntryExists(const std::string& entryPath) {
  return !entryPath.empty() && FileExists(entryPath) && !IsFolder(entryPath);
}

bool SetLoginStartEntry(const std::string& entryPath, bool on, std::string_view programPath) {
  if (entryPath.empty() || (on && programPath.empty())) {
    SetLastErrorFromErrno(ENOENT);
    return false;
  }
  if (!on) {
    if (std::remove(entryPath.c_str()) == 0 || errno == ENOENT) return true;
    SetLastErrorFromErrno(errno);
    return false;
  }
  MakeFolderTree(FolderPart(entryPath));
  ReplacementFile file(entryPath);
  return file.isReady() && WriteText(file.path(), LoginStartEntryText(programPath)) && file.commit();
}

std::string CurrentLoginStartEntryPath() { return LoginStartEntryPath(CurrentProgramLocations()); }

bool StartsAtLogin() { return LoginStartEntryExists(CurrentLoginStartEntryPath()); }

bool SetStartAtLogin(bool on) { return SetLoginStartEntry(CurrentLoginStartEntryPath(), on, ProgramPath()); }

}  // namespace mascot
