#include "storage/file_info.h"

#include <sys/stat.h>

#include <filesystem>
#include <system_error>

#include "errors/system_error.h"
#include "storage/paths.h"
#include "storage/regular_file.h"

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
  // A question about the file, not a failure: the caller's reason stays.
  const ErrorCode lastError = LastSystemError();
  const FileDescriptor file = OpenRegularFile(path);
  struct stat st {};
  const bool ok = file.isOpen() && fstat(file.get(), &st) == 0;
  SetLastSystemError(lastError);
  if (!ok) return false;
  time = static_cast<std::uint64_t>(st.st_mtim.tv_sec) * 1'000'000'000u +
         static_cast<std::uint64_t>(st.st_mtim.tv_nsec);
  return true;
}

}  // namespace mascot
