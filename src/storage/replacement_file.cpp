#include "storage/replacement_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <vector>

#include "errors/system_error.h"

namespace mascot {
namespace {

std::string FolderOf(const std::string& path) {
  auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

mode_t DefaultMode() {
  mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

bool SyncFolder(const std::string& folder) {
  int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return false;
  fsync(fd);
  close(fd);
  return true;
}

bool FailWithErrno() {
  SetLastErrorFromErrno(errno);
  return false;
}

}  // namespace

ReplacementFile::ReplacementFile(std::string target) : target_(std::move(target)) {
  if (target_.empty()) {
    SetLastErrorFromErrno(ENOENT);
    return;
  }
  std::string pattern = target_ + ".tmp-XXXXXX";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  int fd = mkstemp(buffer.data());
  if (fd < 0) {
    SetLastErrorFromErrno(errno);
    return;
  }
  struct stat st {};
  fchmod(fd, stat(target_.c_str(), &st) == 0 ? (st.st_mode & 07777) : DefaultMode());
  close(fd);
  tempPath_ = buffer.data();
}

ReplacementFile::~ReplacementFile() {
  if (!committed_ && !tempPath_.empty()) unlink(tempPath_.c_str());
}

bool ReplacementFile::copyFromTarget() {
  if (!isReady()) return false;
  int in = open(target_.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return FailWithErrno();
  int out = open(tempPath_.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
  if (out < 0) {
    int saved = errno;
    close(in);
    SetLastErrorFromErrno(saved);
    return false;
  }
  char chunk[65536];
  bool ok = true;
  for (;;) {
    ssize_t n = read(in, chunk, sizeof chunk);
    if (n == 0) break;
    if (n < 0 || write(out, chunk, static_cast<std::size_t>(n)) != n) {
      SetLastErrorFromErrno(errno != 0 ? errno : EIO);
      ok = false;
      break;
    }
  }
  close(in);
  if (close(out) != 0 && ok) return FailWithErrno();
  return ok;
}

bool ReplacementFile::commit() {
  if (!isReady() || committed_) return false;
  int fd = open(tempPath_.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return FailWithErrno();
  if (fsync(fd) != 0) {
    int saved = errno;
    close(fd);
    SetLastErrorFromErrno(saved);
    return false;
  }
  close(fd);
  if (std::rename(tempPath_.c_str(), target_.c_str()) != 0) return FailWithErrno();
  committed_ = true;
  SyncFolder(FolderOf(target_));
  return true;
}

}  // namespace mascot
