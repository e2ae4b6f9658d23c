#include "published_inspection.h"

#include "files/published_mascot.h"
#include "imaging/byte_order.h"
#include "storage/file_bytes.h"
#include "storage/resource_file.h"
#include "storage/resource_file_reader.h"

namespace mascot::tool {
namespace {

std::optional<std::vector<ImageRecordHeader>> ReadImageRecordHeaders(const std::vector<std::uint8_t>& table) {
  if (table.size() < 4) return std::nullopt;
  const std::uint32_t count = ReadLe32(table.data());
  if (count > (table.size() - 4) / 4) return std::nullopt;
  std::vector<ImageRecordHeader> records;
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::uint32_t offset = ReadLe32(table.data() + 4 + 4 * i);
    if (!RangeInside(offset, kImageRecordHeaderSize, table.size())) return std::nullopt;
    const std::uint8_t* p = table.data() + offset;
    records.push_back({ReadLe32(p), ReadLe32(p + 4), ReadLe32(p + 8), ReadLe32(p + 12), ReadLe32(p + 16),
                       ReadLe32(p + 20)});
  }
  return records;
}

}  // namespace

bool ContainerInspection::allLoaded() const {
  if (!opened) return false;
  for (const Entry& entry : entries)
    if (!entry.loaded) return false;
  return true;
}

std::string TypeCodeText(std::uint32_t type) {
  std::string text;
  for (int shift = 24; shift >= 0; shift -= 8) {
    char c = static_cast<char>((type >> shift) & 0xFF);
    text += (c >= 0x20 && c < 0x7F) ? c : '?';
  }
  return text;
}

ContainerInspection InspectContainer(std::string_view path) {
  ContainerInspection inspection;
  if (auto start = ReadFileStart(path, kResourceHeaderSize); start && start->size() == kResourceHeaderSize) {
    ResourceFileHeader header;
    DecodeHeader(*start, header);
    inspection.headerRead = header.magic == kResourceFileMagic;
    inspection.crc = header.crc;
  }
  ResourceFileReader reader;
  inspection.opened = reader.Open(path);
  if (!inspection.opened) {
    inspection.errorCode = reader.LastErrorCode();
    inspection.errorText = reader.LastErrorText();
    return inspection;
  }
  for (const auto& [key, stored] : reader.Dictionary()) {
    ContainerInspection::Entry entry{stored.type, stored.id, stored.size, 0, stored.compressed(), false};
    ResourceHandle resource = reader.Load(stored.type, stored.id);
    entry.loaded = resource && resource->hasData;
    if (entry.loaded) entry.size = resource->size();
    if (!entry.loaded && inspection.errorText.empty()) {
      inspection.errorCode = reader.LastErrorCode();
      inspection.errorText = reader.LastErrorText();
    }
    if (entry.loaded && stored.type == kImageTableType && stored.id == kPublishedResourceId)
      inspection.imageRecords = ReadImageRecordHeaders(resource->data);
    inspection.entries.push_back(entry);
  }
  return inspection;
}

}  // namespace mascot::tool
