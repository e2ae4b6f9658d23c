#include "storage/file_info.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "storage/paths.h"

namespace mascot {

std::string FullPath(std::string_view path) {
  if (path.empty()) return {};
  std::error_code error;
  // Lexical, like the old runtime's: the path need not exist.
  std::filesystem::path absolute = std::filesystem::absolute(NativePath(path), error);
  if (error) return {};
  return absolute.lexically_normal().string();
}

bool FileExists(std::string_view path) {
  struct stat st {};
  return !path.empty() && stat(NativePath(path).c_str(), &st) == 0;
}

bool IsFolder(std::string_view path) {
  struct stat st {};
  return !path.empty() && stat(NativePath(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool LastWriteTime(std::string_view path, std::uint64_t& time) {
  if (path.empty()) return false;
  int fd = open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st {};
  bool ok = fstat(fd, &st) == 0 && !S_ISDIR(st.st_mode);
  close(fd);
  if (!ok) return false;
  time = static_cast<std::uint64_t>(st.st_mtim.tv_sec) * 1'000'000'000u +
         static_cast<std::uint64_t>(st.st_mtim.tv_nsec);
  return true;
}

}  // namespace mascot
