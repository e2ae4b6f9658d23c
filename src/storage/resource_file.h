#pragma once
#include <array>
#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "errors/error_codes.h"

// Shared layout of the resource container: a 16-byte header, the resources'
// bytes back to back, and a dictionary of 16-byte entries sorted by
// (type, id). All words are unsigned 32-bit little-endian.
namespace mascot {

// A four-character code with its first character in the most significant
// byte, so its bytes appear reversed in the file.
constexpr std::uint32_t TypeCode(const char (&text)[5]) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(text[0])) << 24 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(text[1])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(text[2])) << 8 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(text[3]));
}

inline constexpr std::uint32_t kResourceFileMagic = TypeCode("QVRR");  // bytes 52 52 56 51
inline constexpr std::uint32_t kResourceHeaderSize = 16;
inline constexpr std::uint32_t kResourceEntrySize = 16;
inline constexpr std::uint32_t kCompressedBit = 0x80000000u;
inline constexpr std::uint32_t kLocationMask = 0x7FFFFFFFu;

// The four bytes of a code in file order (lowest byte first): MSCT prints
// as TCSM.
std::string FormatTypeCode(std::uint32_t type);

// "<stage> TCSM 100": a stage text followed by a type code and an id.
std::string StageWithResource(const char* stage, std::uint32_t type, std::uint32_t id);

struct ResourceFileHeader {
  std::uint32_t magic = kResourceFileMagic;
  std::uint32_t crc = 0;  // 0: not stamped
  std::uint32_t count = 0;
  std::uint32_t dictionaryOffset = 0;
};
static_assert(sizeof(ResourceFileHeader) == kResourceHeaderSize);

struct ResourceEntry {
  std::uint32_t type = 0;
  std::uint32_t id = 0;
  std::uint32_t location = 0;  // bits 0-30 offset, bit 31 compressed block
  std::uint32_t size = 0;      // bytes stored

  std::uint32_t offset() const { return location & kLocationMask; }
  bool compressed() const { return (location & kCompressedBit) != 0; }
};
static_assert(sizeof(ResourceEntry) == kResourceEntrySize);

using ResourceKey = std::pair<std::uint32_t, std::uint32_t>;  // (type, id), type compared first
using ResourceDictionary = std::map<ResourceKey, ResourceEntry>;

// The header's bytes replace only the start of `header`, so a short read
// leaves the rest as it was preset.
void DecodeHeader(std::span<const std::uint8_t> bytes, ResourceFileHeader& header);
std::array<std::uint8_t, kResourceHeaderSize> EncodeHeader(const ResourceFileHeader& header);
ResourceEntry DecodeEntry(const std::uint8_t* bytes);
std::array<std::uint8_t, kResourceEntrySize> EncodeEntry(const ResourceEntry& entry);

// Adds the entries of a dictionary block in file order; of two entries for
// the same pair the first stays.
void InsertEntries(std::span<const std::uint8_t> bytes, ResourceDictionary& dictionary);

// The one recording step of both container classes: resolves code 0 to the
// last system error, appends to the error log when asked and composes the
// text. Returns the resolved code.
ErrorCode RecordResourceFailure(std::string_view fileName, std::string_view stage, ErrorCode code,
                                bool logErrors, std::string& text);

// A resource as loaded by the reader; shared by the caller and the reader's
// cache and freed with the last handle.
struct LoadedResource {
  std::vector<std::uint8_t> data;
  bool hasData = false;  // false when the pair is not in the file or could not be read
  std::uint32_t type = 0;
  std::uint32_t id = 0;
  bool compressed = false;

  std::uint32_t size() const { return static_cast<std::uint32_t>(data.size()); }
};

}  // namespace mascot
