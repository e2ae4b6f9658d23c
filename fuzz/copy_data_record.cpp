// Feeds arbitrary bytes to the decoder of a second start's record, as they
// arrive on the program's local socket; a record that decodes must encode back
// to the same bytes.
#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <span>

#include "commands/command_line.h"
#include "commands/copy_data_record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::span<const std::uint8_t> bytes(data, size);
  mascot::CopyDataRecordSize(bytes);
  if (auto record = mascot::DecodeCopyDataRecord(bytes)) {
    if (record->dwData == mascot::kOpenArgumentRecord && record->hasData) {
      auto again = mascot::EncodeCopyDataRecord(record->argument);
      if (again.size() != size || !std::equal(again.begin(), again.end(), data)) std::abort();
    }
    mascot::SplitCommandLine(record->argument);
  }
  return 0;
}
