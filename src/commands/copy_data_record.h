#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The record a second start sends to the running instance: dwData (u32 LE),
// the data length (u32 LE), then the argument with its terminating zero.
namespace mascot {

inline constexpr std::uint32_t kOpenArgumentRecord = 1;
inline constexpr std::size_t kCopyDataHeaderSize = 8;
// Longer data is refused before it is read.
inline constexpr std::uint32_t kMaxCopyDataLength = 64 * 1024;

struct CopyDataRecord {
  std::uint32_t dwData = 0;
  bool hasData = false;   // a record with no data is ignored by the receiver
  std::string argument;   // without its zero
};

std::vector<std::uint8_t> EncodeCopyDataRecord(std::string_view argument);

// The whole record's size from its header; none when the header is short or
// announces more than kMaxCopyDataLength.
std::optional<std::size_t> CopyDataRecordSize(std::span<const std::uint8_t> header);

// None unless the bytes are exactly one record whose data ends with its only
// zero.
std::optional<CopyDataRecord> DecodeCopyDataRecord(std::span<const std::uint8_t> bytes);

}  // namespace mascot
