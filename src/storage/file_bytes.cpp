#include "storage/file_bytes.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "errors/system_error.h"
#include "storage/regular_file.h"

namespace mascot {
namespace {

// Reads until the buffer is full or the file ends; the count read, or -1
// with the last system error set.
long long ReadUpTo(int fd, std::uint8_t* data, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::read(fd, data + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      SetLastErrorFromErrno(errno);
      return -1;
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  return static_cast<long long>(done);
}

}  // namespace

std::optional<std::vector<std::uint8_t>> ReadWholeFile(std::string_view path, std::size_t maxSize) {
  const FileDescriptor file = OpenRegularFile(path);
  if (!file.isOpen()) return std::nullopt;
  struct stat info {};
  if (fstat(file.get(), &info) != 0) {
    SetLastErrorFromErrno(errno);
    return std::nullopt;
  }
  if (info.st_size < 0 || static_cast<std::uint64_t>(info.st_size) > maxSize) {
    SetLastErrorFromErrno(EFBIG);
    return std::nullopt;
  }
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(info.st_size));
  const long long got = ReadUpTo(file.get(), bytes.data(), bytes.size());
  if (got < 0) return std::nullopt;
  // The file shrank while it was read: keep what is there, the parsers
  // check every size against it.
  bytes.resize(static_cast<std::size_t>(got));
  return bytes;
}

std::optional<std::vector<std::uint8_t>> ReadFileStart(std::string_view path, std::size_t count) {
  const FileDescriptor file = OpenRegularFile(path);
  if (!file.isOpen()) return std::nullopt;
  std::vector<std::uint8_t> bytes(count);
  const long long got = ReadUpTo(file.get(), bytes.data(), count);
  if (got < 0) return std::nullopt;
  bytes.resize(static_cast<std::size_t>(got));
  return bytes;
}

}  // namespace mascot
