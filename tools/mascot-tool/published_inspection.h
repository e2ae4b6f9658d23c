#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "errors/error_codes.h"
#include "files/image_table.h"

namespace mascot::tool {

// The container level of a published mascot, beyond what opening it as a
// mascot tells: the header's CRC word, every dictionary entry and whether it
// loads, and the stored header of each picture record.
struct ContainerInspection {
  struct Entry {
    std::uint32_t type = 0;
    std::uint32_t id = 0;
    std::uint32_t storedSize = 0;
    std::uint32_t size = 0;  // after decompression, when it loaded
    bool compressed = false;
    bool loaded = false;
  };

  bool headerRead = false;
  std::uint32_t crc = 0;  // 0: not stamped
  bool opened = false;    // header, CRC and dictionary passed
  ErrorCode errorCode = 0;
  std::string errorText;  // the reader's text for the first failure
  std::vector<Entry> entries;
  // The records of the image table (MIMG 100); none when it is missing or
  // its counts and offsets reach outside it.
  std::optional<std::vector<ImageRecordHeader>> imageRecords;

  bool allLoaded() const;
};

ContainerInspection InspectContainer(std::string_view path);

// A type code as its four characters ("MSCT").
std::string TypeCodeText(std::uint32_t type);

}  // namespace mascot::tool
