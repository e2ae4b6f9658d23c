#include "commands/copy_data_record.h"

namespace mascot {
namespace {

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

std::uint32_t GetU32(std::span<const std::uint8_t> bytes, std::size_t offset) {
  return static_cast<std::uint32_t>(bytes[offset]) | static_cast<std::uint32_t>(bytes[offset + 1]) << 8 |
         static_cast<std::uint32_t>(bytes[offset + 2]) << 16 |
         static_cast<std::uint32_t>(bytes[offset + 3]) << 24;
}

std::uint32_t DataLengthOf(std::span<const std::uint8_t> header) { return GetU32(header, 4); }

}  // namespace

std::vector<std::uint8_t> EncodeCopyDataRecord(std::string_view argument) {
  std::vector<std::uint8_t> record;
  record.reserve(kCopyDataHeaderSize + argument.size() + 1);
  PutU32(record, kOpenArgumentRecord);
  PutU32(record, static_cast<std::uint32_t>(argument.size() + 1));
  record.insert(record.end(), argument.begin(), argument.end());
  record.push_back(0);
  return record;
}

std::optional<std::size_t> CopyDataRecordSize(std::span<const std::uint8_t> header) {
  if (header.size() < kCopyDataHeaderSize) return std::nullopt;
  const std::uint32_t length = DataLengthOf(header);
  if (length > kMaxCopyDataLength) return std::nullopt;
  return kCopyDataHeaderSize + length;
}

std::optional<CopyDataRecord> DecodeCopyDataRecord(std::span<const std::uint8_t> bytes) {
  const auto size = CopyDataRecordSize(bytes);
  if (!size || *size != bytes.size()) return std::nullopt;
  CopyDataRecord record;
  record.dwData = GetU32(bytes, 0);
  const auto data = bytes.subspan(kCopyDataHeaderSize);
  if (data.empty()) return record;
  // The argument is a C string: exactly one zero, at its end.
  for (std::size_t i = 0; i + 1 < data.size(); ++i) {
    if (data[i] == 0) return std::nullopt;
  }
  if (data.back() != 0) return std::nullopt;
  record.hasData = true;
  record.argument.assign(data.begin(), data.end() - 1);
  return record;
}

}  // namespace mascot
