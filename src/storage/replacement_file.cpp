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

// The file a path names after following symbolic links, so that a save
// through a link replaces the file it points to and the link stays. A link
// to nothing yet resolves to where it points; a loop or a link that cannot
// be read leaves the path as it is (the write then fails or replaces it).
std::string FollowLinks(std::string path) {
  constexpr int kMaxLinks = 40;  // the kernel's own limit
  for (int hop = 0; hop < kMaxLinks; ++hop) {
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    std::vector<char> buffer(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
    const ssize_t length = readlink(path.c_str(), buffer.data(), buffer.size());
    if (length <= 0 || static_cast<std::size_t>(length) >= buffer.size()) return path;
    std::string target(buffer.data(), static_cast<std::size_t>(length));
    path = target.front() == '/' ? target : FolderOf(path) + "/" + target;
  }
  return path;
}

// The new file takes over the old one's owner where this user may give it,
// and its permissions (after the owner: a change of owner clears set-id bits).
void TakeOverOwnerAndMode(int fd, const std::string& target) {
  struct stat st {};
  if (stat(target.c_str(), &st) != 0) {
    fchmod(fd, DefaultMode());
    return;
  }
  if (fchown(fd, st.st_uid, st.st_gid) != 0) {
    [[maybe_unused]] int ignored = fchown(fd, static_cast<uid_t>(-1), st.st_gid);
  }
  fchmod(fd, st.st_mode & 07777);
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
  target_ = FollowLinks(std::move(target_));
  std::string pattern = target_ + ".tmp-XXXXXX";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  int fd = mkstemp(buffer.data());
  if (fd < 0) {
    SetLastErrorFromErrno(errno);
    return;
  }
  TakeOverOwnerAndMode(fd, target_);
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
