// Loads arbitrary bytes as a work file.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "files/work_file.h"

namespace {

// One unnamed scratch file for the whole run, reached through /proc.
struct ScratchFile {
  int fd = -1;
  std::string path;
};

const ScratchFile& Scratch() {
  static const ScratchFile file = [] {
    const char* folder = std::getenv("TMPDIR");
    std::string pattern = std::string(folder != nullptr ? folder : "/tmp") + "/fuzz-workfile-XXXXXX";
    int fd = mkstemp(pattern.data());
    if (fd < 0) std::abort();
    unlink(pattern.c_str());
    return ScratchFile{fd, "/proc/self/fd/" + std::to_string(fd)};
  }();
  return file;
}

std::size_t Characters(const std::string& text) {
  std::size_t count = 0;
  for (char ch : text) count += (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
  return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const int fd = Scratch().fd;
  if (ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) std::abort();
  auto document = mascot::LoadWorkFile(Scratch().path);
  if (!document) return 0;
  if (Characters(document->name) > 32 || Characters(document->creatorInfo) > 180 ||
      Characters(document->mascotInfo) > 128 || Characters(document->balloonText) > 256 ||
      Characters(document->balloonFont) > 32)
    std::abort();
  return 0;
}
