#include "sound/sound_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "errors/system_error.h"
#include "storage/regular_file.h"

namespace mascot {
namespace {

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
  const FileDescriptor file = OpenRegularFile(path);
  if (!file.isOpen()) return Status(SoundFileStatus::OpenFailed);
  struct stat info {};
  if (::fstat(file.get(), &info) != 0 || info.st_size <= 0) return Status(SoundFileStatus::NoSize);
  if (static_cast<std::uint64_t>(info.st_size) > kMaxSoundFileSize) {
    SetLastErrorFromErrno(EFBIG);
    return Status(SoundFileStatus::ReadFailed);
  }
  SoundFileContents contents{SoundFileStatus::Loaded, SoundBytes(static_cast<std::size_t>(info.st_size))};
  if (!ReadFully(file.get(), contents.bytes)) return Status(SoundFileStatus::ReadFailed);
  return contents;
}

}  // namespace mascot
