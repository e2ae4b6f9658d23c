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
#include "scratch_file.h"

namespace {

void OpenAndLoadEverything() {
  mascot::ResourceFileReader reader;
  if (!reader.Open(fuzz::Scratch().path)) return;
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
  fuzz::WriteScratch(data, size);
  OpenAndLoadEverything();
  // Almost every mutation breaks the CRC; a zero crc field skips the check
  // so that the dictionary and the resources are reached too.
  if (size >= 8 && (data[4] | data[5] | data[6] | data[7]) != 0) {
    std::vector<std::uint8_t> unstamped(data, data + size);
    std::fill_n(unstamped.begin() + 4, 4, 0);
    fuzz::WriteScratch(unstamped.data(), size);
    OpenAndLoadEverything();
  }
  return 0;
}
