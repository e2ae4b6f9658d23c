// Loads arbitrary bytes as a work file.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "files/work_file.h"
#include "scratch_file.h"

namespace {

std::size_t Characters(const std::string& text) {
  std::size_t count = 0;
  for (char ch : text) count += (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
  return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  auto document = mascot::LoadWorkFile(fuzz::WriteScratch(data, size));
  if (!document) return 0;
  if (Characters(document->name) > 32 || Characters(document->creatorInfo) > 180 ||
      Characters(document->mascotInfo) > 128 || Characters(document->balloonText) > 256 ||
      Characters(document->balloonFont) > 32)
    std::abort();
  return 0;
}
