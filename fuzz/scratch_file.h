#pragma once
// One unnamed scratch file for a whole fuzzing run: its name is removed at
// once and the readers reach it through /proc, so nothing is left behind,
// however the run ends.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

namespace fuzz {

struct ScratchFile {
  int fd = -1;
  std::string path;
};

inline const ScratchFile& Scratch() {
  static const ScratchFile file = [] {
    const char* folder = std::getenv("TMPDIR");
    std::string pattern = std::string(folder != nullptr ? folder : "/tmp") + "/fuzz-input-XXXXXX";
    int fd = mkstemp(pattern.data());
    if (fd < 0) std::abort();
    unlink(pattern.c_str());
    return ScratchFile{fd, "/proc/self/fd/" + std::to_string(fd)};
  }();
  return file;
}

// Replaces the scratch file's bytes and returns the path that reads them.
inline const std::string& WriteScratch(const std::uint8_t* data, std::size_t size) {
  const ScratchFile& file = Scratch();
  if (ftruncate(file.fd, 0) != 0 || pwrite(file.fd, data, size, 0) != static_cast<ssize_t>(size))
    std::abort();
  return file.path;
}

}  // namespace fuzz
