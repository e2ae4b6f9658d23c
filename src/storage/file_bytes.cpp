#include "storage/file_bytes.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <memory>
#include <string>

#include "errors/error_codes.h"
#include "errors/system_error.h"
#include "storage/paths.h"

namespace mascot {
namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

FileHandle OpenForReading(std::string_view path) {
  if (path.empty()) {
    SetLastErrorFromErrno(ENOENT);
    return nullptr;
  }
  std::string native = NativePath(path);
  FileHandle file(std::fopen(native.c_str(), "rb"));
  if (!file) SetLastErrorFromErrno(errno);
  return file;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> ReadWholeFile(std::string_view path, std::size_t maxSize) {
  FileHandle file = OpenForReading(path);
  if (!file) return std::nullopt;
  struct stat info {};
  if (fstat(fileno(file.get()), &info) != 0) {
    SetLastErrorFromErrno(errno);
    return std::nullopt;
  }
  if (!S_ISREG(info.st_mode)) {
    SetLastErrorFromErrno(EISDIR);
    return std::nullopt;
  }
  if (info.st_size < 0 || static_cast<std::uint64_t>(info.st_size) > maxSize) {
    SetLastErrorFromErrno(EFBIG);
    return std::nullopt;
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(info.st_size));
  std::size_t got = bytes.empty() ? 0 : std::fread(bytes.data(), 1, bytes.size(), file.get());
  if (got != bytes.size()) {
    // The file shrank while it was read: keep what is there, the parsers
    // check every size against it.
    if (std::ferror(file.get())) {
      SetLastErrorFromErrno(errno ? errno : EIO);
      return std::nullopt;
    }
    bytes.resize(got);
  }
  return bytes;
}

std::optional<std::vector<std::uint8_t>> ReadFileStart(std::string_view path, std::size_t count) {
  FileHandle file = OpenForReading(path);
  if (!file) return std::nullopt;
  std::vector<std::uint8_t> bytes(count);
  std::size_t got = count ? std::fread(bytes.data(), 1, count, file.get()) : 0;
  bytes.resize(got);
  return bytes;
}

}  // namespace mascot
