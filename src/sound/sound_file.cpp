#include "sound/sound_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "errors/system_error.h"
#include "storage/paths.h"

namespace mascot {
namespace {

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }

 private:
  int fd_;
};

bool ReadFully(int fd, SoundBytes& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      SetLastErrorFromErrno(errno);
      return false;
    }
    if (n == 0) {  // the file shrank under us
      SetLastErrorFromErrno(EIO);
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  return true;
}

SoundFileContents Status(SoundFileStatus status) { return {status, {}}; }

}  // namespace

SoundFileContents ReadSoundFile(std::string_view path) {
  std::string native = NativePath(path);
  // Non-blocking so that a FIFO cannot stall the user-interface thread.
  FileDescriptor file(::open(native.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (file.get() < 0) {
    SetLastErrorFromErrno(errno);
    return Status(SoundFileStatus::OpenFailed);
  }
  struct stat info {};
  if (::fstat(file.get(), &info) != 0) return Status(SoundFileStatus::NoSize);
  if (S_ISDIR(info.st_mode)) {
    SetLastErrorFromErrno(EISDIR);
    return Status(SoundFileStatus::OpenFailed);
  }
  if (!S_ISREG(info.st_mode) || info.st_size <= 0) return Status(SoundFileStatus::NoSize);
  if (static_cast<std::uint64_t>(info.st_size) > kMaxSoundFileSize) {
    SetLastErrorFromErrno(EFBIG);
    return Status(SoundFileStatus::ReadFailed);
  }
  SoundFileContents contents{SoundFileStatus::Loaded, SoundBytes(static_cast<std::size_t>(info.st_size))};
  if (!ReadFully(file.get(), contents.bytes)) return Status(SoundFileStatus::ReadFailed);
  return contents;
}

}  // namespace mascot
