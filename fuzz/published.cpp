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
#include "scratch_file.h"

namespace {

void OpenAndEncodeAgain() {
  auto document = mascot::OpenPublishedMascot(fuzz::Scratch().path);
  if (!document) return;
  auto record = mascot::BuildMascotRecord(*document, document->formatVersion, 100, 0);
  if (!record) std::abort();
  mascot::MascotDocument again;
  mascot::MascotRecordHeader header;
  if (!mascot::ReadMascotRecord(*record, again, header) || again.frames.size() != document->frames.size())
    std::abort();
  // A record without an image table opens with no pictures; there is no table to redo.
  if (document->images.empty()) return;
  auto table = mascot::BuildImageTable(document->images);
  std::vector<mascot::FrameImage> images;
  if (!table || !mascot::ReadImageTable(*table, images) || images.size() != document->images.size()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::WriteScratch(data, size);
  OpenAndEncodeAgain();
  // Almost every mutation breaks the CRC; a zero crc field skips the check
  // so that the mascot's own resources are reached too.
  if (size >= 8 && (data[4] | data[5] | data[6] | data[7]) != 0) {
    std::vector<std::uint8_t> unstamped(data, data + size);
    std::fill_n(unstamped.begin() + 4, 4, 0);
    fuzz::WriteScratch(unstamped.data(), size);
    OpenAndEncodeAgain();
  }
  return 0;
}
