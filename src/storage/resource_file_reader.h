#pragma once
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "errors/error_codes.h"
#include "storage/resource_file.h"

namespace mascot {

using ResourceHandle = std::shared_ptr<const LoadedResource>;

// Validates a resource container (header, CRC, dictionary) on Open and loads
// single resources on demand, each through a fresh open of the file.
class ResourceFileReader {
 public:
  bool Open(std::string_view fileName, bool logErrors = false);
  // The cached resource, or the stored bytes (decompressed when the entry
  // says so). A pair that is not in the file gives a handle without data
  // and records nothing. A resource of more than maxSize bytes, stored or
  // decompressed, is refused (EFBIG) before anything is allocated for it.
  ResourceHandle Load(std::uint32_t type, std::uint32_t id, std::uint64_t maxSize = UINT64_MAX);
  std::vector<std::uint32_t> ListIds(std::uint32_t type) const;
  // Drops the caller's reference; the bytes go with the last one.
  void Release(ResourceHandle& handle) { handle.reset(); }

  bool IsLoaded() const { return loaded_; }
  const ResourceDictionary& Dictionary() const { return dictionary_; }
  ErrorCode LastErrorCode() const { return lastErrorCode_; }
  const std::string& LastErrorText() const { return lastErrorText_; }

 private:
  void recordFailure(std::string_view stage, ErrorCode code = 0);
  bool readDictionary(int fd, const ResourceFileHeader& header);
  bool readStoredBytes(const ResourceEntry& entry, std::vector<std::uint8_t>& bytes);
  bool refuseLargerThan(std::uint64_t size, std::uint64_t maxSize, const ResourceEntry& entry);

  bool loaded_ = false;
  bool logErrors_ = false;
  ResourceDictionary dictionary_;
  std::string fileName_;
  ErrorCode lastErrorCode_ = 0;
  std::string lastErrorText_;
  std::map<ResourceKey, ResourceHandle> cache_;
};

}  // namespace mascot
