// Opens arbitrary bytes as a resource container and loads every listed
// resource of every type.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "storage/resource_file_reader.h"

namespace {

// One unnamed scratch file for the whole run: its name is removed at once
// and the reader reaches it through /proc, so nothing is left behind.
struct ScratchFile {
  int fd = -1;
  std::string path;
};

const ScratchFile& Scratch() {
  static const ScratchFile file = [] {
    const char* folder = std::getenv("TMPDIR");
    std::string pattern = std::string(folder != nullptr ? folder : "/tmp") + "/fuzz-container-XXXXXX";
    int fd = mkstemp(pattern.data());
    if (fd < 0) std::abort();
    unlink(pattern.c_str());
    return ScratchFile{fd, "/proc/self/fd/" + std::to_string(fd)};
  }();
  return file;
}

void WriteScratch(const std::uint8_t* data, std::size_t size) {
  const int fd = Scratch().fd;
  if (ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) std::abort();
}

void OpenAndLoadEverything() {
  mascot::ResourceFileReader reader;
  if (!reader.Open(Scratch().path)) return;
  std::set<std::uint32_t> types;
  for (const auto& [key, entry] : reader.Dictionary()) types.insert(key.first);
  for (std::uint32_t type : types)
    for (std::uint32_t id : reader.ListIds(type)) {
      auto resource = reader.Load(type, id);
      if (resource->hasData && !resource->compressed &&
          resource->size() != reader.Dictionary().at({type, id}).size)
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  WriteScratch(data, size);
  OpenAndLoadEverything();
  // Almost every mutation breaks the CRC; a zero crc field skips the check
  // so that the dictionary and the resources are reached too.
  if (size >= 8 && (data[4] | data[5] | data[6] | data[7]) != 0) {
    std::vector<std::uint8_t> unstamped(data, data + size);
    std::fill_n(unstamped.begin() + 4, 4, 0);
    WriteScratch(unstamped.data(), size);
    OpenAndLoadEverything();
  }
  return 0;
}
