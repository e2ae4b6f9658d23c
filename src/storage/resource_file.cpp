#include "storage/resource_file.h"

#include <cstdio>

#include "errors/error_text.h"
#include "errors/system_error.h"
#include "storage/error_log.h"

namespace mascot {
namespace {

std::uint32_t ReadLe32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

void WriteLe32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

}  // namespace

std::string FormatTypeCode(std::uint32_t type) {
  std::string text(4, '\0');
  for (int i = 0; i < 4; ++i) text[static_cast<std::size_t>(i)] = static_cast<char>(type >> (8 * i));
  return text;
}

std::string StageWithResource(const char* stage, std::uint32_t type, std::uint32_t id) {
  char text[160];
  std::snprintf(text, sizeof text, "%s %c%c%c%c %lu", stage, static_cast<int>(type & 0xFF),
                static_cast<int>((type >> 8) & 0xFF), static_cast<int>((type >> 16) & 0xFF),
                static_cast<int>(type >> 24), static_cast<unsigned long>(id));
  return text;
}

void DecodeHeader(std::span<const std::uint8_t> bytes, ResourceFileHeader& header) {
  std::uint8_t full[kResourceHeaderSize];
  auto preset = EncodeHeader(header);
  for (std::size_t i = 0; i < kResourceHeaderSize; ++i) full[i] = i < bytes.size() ? bytes[i] : preset[i];
  header.magic = ReadLe32(full);
  header.crc = ReadLe32(full + 4);
  header.count = ReadLe32(full + 8);
  header.dictionaryOffset = ReadLe32(full + 12);
}

std::array<std::uint8_t, kResourceHeaderSize> EncodeHeader(const ResourceFileHeader& header) {
  std::array<std::uint8_t, kResourceHeaderSize> bytes{};
  WriteLe32(bytes.data(), header.magic);
  WriteLe32(bytes.data() + 4, header.crc);
  WriteLe32(bytes.data() + 8, header.count);
  WriteLe32(bytes.data() + 12, header.dictionaryOffset);
  return bytes;
}

ResourceEntry DecodeEntry(const std::uint8_t* bytes) {
  return {ReadLe32(bytes), ReadLe32(bytes + 4), ReadLe32(bytes + 8), ReadLe32(bytes + 12)};
}

std::array<std::uint8_t, kResourceEntrySize> EncodeEntry(const ResourceEntry& entry) {
  std::array<std::uint8_t, kResourceEntrySize> bytes{};
  WriteLe32(bytes.data(), entry.type);
  WriteLe32(bytes.data() + 4, entry.id);
  WriteLe32(bytes.data() + 8, entry.location);
  WriteLe32(bytes.data() + 12, entry.size);
  return bytes;
}

void InsertEntries(std::span<const std::uint8_t> bytes, ResourceDictionary& dictionary) {
  for (std::size_t at = 0; at + kResourceEntrySize <= bytes.size(); at += kResourceEntrySize) {
    ResourceEntry entry = DecodeEntry(bytes.data() + at);
    dictionary.try_emplace(ResourceKey{entry.type, entry.id}, entry);
  }
}

ErrorCode RecordResourceFailure(std::string_view fileName, std::string_view stage, ErrorCode code,
                                bool logErrors, std::string& text) {
  if (code == 0) code = LastSystemError();
  if (logErrors) AppendToErrorLog(fileName, stage, code);
  text = DescribeErrorText(stage, fileName, code);
  return code;
}

}  // namespace mascot
