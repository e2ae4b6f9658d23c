#pragma once
#include <cstdint>
#include <cstdio>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "errors/error_codes.h"
#include "storage/replacement_file.h"
#include "storage/resource_file.h"

namespace mascot {

// Builds a resource container: a new one, or an existing one with more
// resources added. The whole container is written to a temporary file beside
// the target and moved over it only when Close succeeded, so a failed write
// leaves the previous file as it was.
class ResourceFileWriter {
 public:
  ResourceFileWriter() = default;
  ~ResourceFileWriter();
  ResourceFileWriter(const ResourceFileWriter&) = delete;
  ResourceFileWriter& operator=(const ResourceFileWriter&) = delete;

  // create: start an empty container. Otherwise add to the existing one,
  // or start afresh when there is none or it is damaged; a file that is not
  // a container is refused and left alone.
  bool Open(std::string_view fileName, bool create, bool logErrors = false);
  // Appends the bytes as they are; compressed only marks the entry (the
  // caller made the block). A later (type, id) replaces the earlier entry.
  bool WriteResource(const void* data, std::uint32_t size, std::uint32_t type, std::uint32_t id,
                     bool compressed);
  bool WriteResource(std::span<const std::uint8_t> data, std::uint32_t type, std::uint32_t id,
                     bool compressed);
  // Writes dictionary and header, stamps the CRC and puts the file in
  // place. A container whose WriteResource failed is not put in place.
  bool Close();

  ErrorCode LastErrorCode() const { return lastErrorCode_; }
  const std::string& LastErrorText() const { return lastErrorText_; }

 private:
  void recordFailure(std::string_view stage, ErrorCode code = 0);
  // After a failing C-runtime call: errno, or an unexpected end when a
  // short read left errno unset.
  void recordCrtFailure(std::string_view stage, int savedErrno);
  bool startNewContainer();
  bool openForAdditions();
  bool readExistingDictionary(std::FILE* existing, const ResourceFileHeader& header,
                              std::uint32_t& dataPosition);
  bool writeDictionaryAndHeader();
  bool stampCrc();
  void abandon();

  std::string fileName_;
  ResourceDictionary dictionary_;
  std::FILE* file_ = nullptr;
  ErrorCode lastErrorCode_ = 0;
  std::string lastErrorText_;
  bool logErrors_ = false;
  std::unique_ptr<ReplacementFile> replacement_;
  bool writeFailed_ = false;
};

}  // namespace mascot
