// Opens arbitrary bytes as a published mascot; a mascot that opens is
// encoded again and its pictures read back.
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "files/image_table.h"
#include "files/mascot_record.h"
#include "files/published_mascot.h"

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
    std::string pattern = std::string(folder != nullptr ? folder : "/tmp") + "/fuzz-published-XXXXXX";
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

void OpenAndEncodeAgain() {
  auto document = mascot::OpenPublishedMascot(Scratch().path);
  if (!document) return;
  auto record = mascot::BuildMascotRecord(*document, document->formatVersion, 100, 0);
  if (!record) std::abort();
  mascot::MascotDocument again;
  mascot::MascotRecordHeader header;
  if (!mascot::ReadMascotRecord(*record, again, header) || again.frames.size() != document->frames.size())
    std::abort();
  auto table = mascot::BuildImageTable(document->images);
  std::vector<mascot::FrameImage> images;
  if (!table || !mascot::ReadImageTable(*table, images) || images.size() != document->images.size()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  WriteScratch(data, size);
  OpenAndEncodeAgain();
  // Almost every mutation breaks the CRC; a zero crc field skips the check
  // so that the mascot's own resources are reached too.
  if (size >= 8 && (data[4] | data[5] | data[6] | data[7]) != 0) {
    std::vector<std::uint8_t> unstamped(data, data + size);
    std::fill_n(unstamped.begin() + 4, 4, 0);
    WriteScratch(unstamped.data(), size);
    OpenAndEncodeAgain();
  }
  return 0;
}
