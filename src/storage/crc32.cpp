#include "storage/crc32.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "errors/system_error.h"
#include "storage/crc32_paths.h"
#include "storage/paths.h"

namespace mascot {
namespace {

constexpr std::size_t kFileChunk = 32768;

using UpdateFunction = std::uint32_t (*)(std::uint32_t, const void*, std::size_t);

UpdateFunction FastestUpdate() {
  if (Crc32WideFoldingAvailable()) return UpdateCrc32WideFolding;
  if (Crc32FoldingAvailable()) return UpdateCrc32Folding;
  return UpdateCrc32Table;
}

}  // namespace

// Each way falls back to the next simpler one for buffers too short to pay
// for it.
std::uint32_t UpdateCrc32(std::uint32_t state, const void* data, std::size_t size) {
  static const UpdateFunction update = FastestUpdate();
  return update(state, data, size);
}

std::uint32_t Crc32(const void* data, std::size_t size) {
  return FinishCrc32(UpdateCrc32(kCrc32Initial, data, size));
}

bool FileCrc32FromOffset8(int fd, std::uint32_t& crc) {
  unsigned char chunk[kFileChunk];
  std::uint32_t state = kCrc32Initial;
  off_t offset = 8;
  for (;;) {
    ssize_t n = pread(fd, chunk, sizeof chunk, offset);
    if (n < 0) {
      if (errno == EINTR) continue;
      SetLastErrorFromErrno(errno);
      return false;
    }
    if (n == 0) break;
    state = UpdateCrc32(state, chunk, static_cast<std::size_t>(n));
    offset += n;
  }
  crc = FinishCrc32(state);
  return true;
}

bool FileCrc32FromOffset8(std::string_view path, std::uint32_t& crc) {
  int fd = open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    SetLastErrorFromErrno(errno);
    return false;
  }
  bool ok = FileCrc32FromOffset8(fd, crc);
  close(fd);
  return ok;
}

}  // namespace mascot
