#include "storage/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <utility>

#include "errors/system_error.h"
#include "storage/paths.h"

namespace mascot {

FileDescriptor& FileDescriptor::operator=(FileDescriptor&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = other.release();
  }
  return *this;
}

FileDescriptor::~FileDescriptor() {
  if (fd_ >= 0) ::close(fd_);
}

int FileDescriptor::release() { return std::exchange(fd_, -1); }

FileDescriptor OpenRegularFile(std::string_view path) {
  if (path.empty()) {
    SetLastErrorFromErrno(ENOENT);
    return {};
  }
  const std::string native = NativePath(path);
  FileDescriptor file(::open(native.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (!file.isOpen()) {
    SetLastErrorFromErrno(errno);
    return {};
  }
  struct stat info {};
  if (::fstat(file.get(), &info) != 0) {
    SetLastErrorFromErrno(errno);
    return {};
  }
  if (!S_ISREG(info.st_mode)) {
    SetLastErrorFromErrno(S_ISDIR(info.st_mode) ? EISDIR : EINVAL);
    return {};
  }
  // Reads of a regular file never wait; the flag only mattered for the open.
  const int flags = ::fcntl(file.get(), F_GETFL);
  if (flags != -1) ::fcntl(file.get(), F_SETFL, flags & ~O_NONBLOCK);
  return file;
}

}  // namespace mascot
