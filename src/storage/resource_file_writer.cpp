#include "storage/resource_file_writer.h"

#include <sys/stat.h>

#include <cerrno>
#include <vector>

#include "errors/system_error.h"
#include "storage/crc32.h"
#include "storage/paths.h"
#include "storage/regular_file.h"

namespace mascot {
namespace {

constexpr const char* kOpeningForWriting = "Opening resource file for writing";
constexpr const char* kWritingHeader = "Writing resource file header";
constexpr const char* kOpeningForAdditions = "Opening resource file for additions";
constexpr const char* kSeekingDataPosition = "Seeking to new data position in resource file";
constexpr const char* kNotResourceFile = "File is not a recognized resource file.";
constexpr const char* kWritingResource = "Writing resource";
constexpr const char* kWritingDictionary = "Writing dictionary";
constexpr const char* kSeekingStart = "Seeking to start of resource file to write header";
constexpr const char* kSeekingEnd = "Seeking to end of resource file after writing header";
constexpr const char* kClosing = "Closing resource file";
constexpr const char* kCalculatingCrc = "Calculating crc";
constexpr const char* kOpeningToAddCrc = "Opening resource to add crc";
constexpr const char* kReadingToAddCrc = "Reading resource to add crc";
constexpr const char* kPositioningToAddCrc = "Positioning file pointer in resource to add crc";
constexpr const char* kWritingCrc = "Writing crc checksum to resource";

bool WriteAll(std::FILE* file, const void* data, std::size_t size) {
  errno = 0;
  return std::fwrite(data, 1, size, file) == size;
}

bool SeekTo(std::FILE* file, off_t offset, int whence) {
  errno = 0;
  return fseeko(file, offset, whence) == 0;
}

std::FILE* OpenFile(const std::string& path, const char* mode) {
  errno = 0;
  return std::fopen(path.c_str(), mode);
}

}  // namespace

ResourceFileWriter::~ResourceFileWriter() { Close(); }

void ResourceFileWriter::recordFailure(std::string_view stage, ErrorCode code) {
  lastErrorCode_ = RecordResourceFailure(fileName_, stage, code, logErrors_, lastErrorText_);
}

void ResourceFileWriter::recordCrtFailure(std::string_view stage, int savedErrno) {
  if (savedErrno != 0) {
    SetLastErrorFromErrno(savedErrno);
    recordFailure(stage);
  } else {
    recordFailure(stage, kErrUnexpectedEnd);
  }
}

void ResourceFileWriter::abandon() {
  if (file_ != nullptr) std::fclose(file_);
  file_ = nullptr;
  replacement_.reset();  // removes the temporary file
}

bool ResourceFileWriter::Open(std::string_view fileName, bool create, bool logErrors) {
  if (fileName.empty()) return false;
  abandon();  // an unfinished container from an earlier Open never replaces its target
  logErrors_ = logErrors;
  dictionary_.clear();
  fileName_ = fileName;
  writeFailed_ = false;
  return create ? startNewContainer() : openForAdditions();
}

bool ResourceFileWriter::startNewContainer() {
  dictionary_.clear();
  replacement_ = std::make_unique<ReplacementFile>(NativePath(fileName_));
  if (!replacement_->isReady()) {
    recordFailure(kOpeningForWriting);
    abandon();
    return false;
  }
  file_ = OpenFile(replacement_->path(), "wb");
  if (file_ == nullptr) {
    recordCrtFailure(kOpeningForWriting, errno);
    abandon();
    return false;
  }
  const auto placeholder = EncodeHeader(ResourceFileHeader{});
  if (!WriteAll(file_, placeholder.data(), placeholder.size())) {
    recordCrtFailure(kWritingHeader, errno);
    abandon();
    return false;
  }
  return true;
}

bool ResourceFileWriter::openForAdditions() {
  const std::string path = NativePath(fileName_);
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return startNewContainer();
  FileDescriptor readable = OpenRegularFile(path);
  if (!readable.isOpen()) {
    // A folder or a pipe is not replaced by a container.
    recordFailure(kOpeningForAdditions);
    return false;
  }
  std::FILE* existing = fdopen(readable.get(), "rb");
  if (existing == nullptr) {
    recordCrtFailure(kOpeningForAdditions, errno);
    return false;
  }
  readable.release();

  std::uint8_t bytes[kResourceHeaderSize];
  const std::size_t got = std::fread(bytes, 1, sizeof bytes, existing);
  ResourceFileHeader header;
  DecodeHeader({bytes, got}, header);
  if (header.magic != kResourceFileMagic) {
    std::fclose(existing);
    recordFailure(kNotResourceFile, kErrNotResourceFile);
    return false;
  }
  std::uint32_t crc = 0;
  std::uint32_t dataPosition = 0;
  const bool intact = got == kResourceHeaderSize && FileCrc32FromOffset8(fileno(existing), crc) &&
                      (header.crc == 0 || header.crc == crc) &&
                      readExistingDictionary(existing, header, dataPosition);
  std::fclose(existing);
  if (!intact) return startNewContainer();  // a damaged container is replaced by a new one

  replacement_ = std::make_unique<ReplacementFile>(path);
  if (!replacement_->isReady() || !replacement_->copyFromTarget()) {
    recordFailure(kOpeningForAdditions);
    abandon();
    return false;
  }
  file_ = OpenFile(replacement_->path(), "r+b");
  if (file_ == nullptr) {
    recordCrtFailure(kOpeningForAdditions, errno);
    abandon();
    return false;
  }
  // New resources overwrite the old dictionary; Close writes the merged one.
  if (!SeekTo(file_, dataPosition, SEEK_SET)) {
    recordCrtFailure(kSeekingDataPosition, errno);
    abandon();
    return false;
  }
  return true;
}

bool ResourceFileWriter::readExistingDictionary(std::FILE* existing,
                                                const ResourceFileHeader& header,
                                                std::uint32_t& dataPosition) {
  struct stat st {};
  if (fstat(fileno(existing), &st) != 0) return false;
  const std::uint64_t dictionaryBytes = std::uint64_t{header.count} * kResourceEntrySize;
  // New data would overwrite the header if the dictionary claimed to start inside it.
  if (header.dictionaryOffset < kResourceHeaderSize ||
      header.dictionaryOffset + dictionaryBytes > static_cast<std::uint64_t>(st.st_size))
    return false;
  if (!SeekTo(existing, header.dictionaryOffset, SEEK_SET)) return false;
  std::vector<std::uint8_t> dictionary(static_cast<std::size_t>(dictionaryBytes));
  if (std::fread(dictionary.data(), 1, dictionary.size(), existing) != dictionary.size()) return false;
  InsertEntries(dictionary, dictionary_);
  dataPosition = header.dictionaryOffset;
  return true;
}

bool ResourceFileWriter::WriteResource(std::span<const std::uint8_t> data, std::uint32_t type,
                                       std::uint32_t id, bool compressed) {
  if (data.size() > UINT32_MAX) {
    if (file_ == nullptr) return false;
    SetLastErrorFromErrno(EFBIG);
    recordFailure(StageWithResource(kWritingResource, type, id));
    writeFailed_ = true;
    return false;
  }
  return WriteResource(data.data(), static_cast<std::uint32_t>(data.size()), type, id, compressed);
}

bool ResourceFileWriter::WriteResource(const void* data, std::uint32_t size, std::uint32_t type,
                                       std::uint32_t id, bool compressed) {
  if (file_ == nullptr) return false;
  const std::string stage = StageWithResource(kWritingResource, type, id);
  // A refused resource leaves the container incomplete as surely as a
  // failed write: Close must not put it in place.
  if (data == nullptr && size != 0) {
    recordFailure(stage, kErrDataPointer);
    writeFailed_ = true;
    return false;
  }
  errno = 0;
  const off_t position = ftello(file_);
  if (position < 0) {
    recordCrtFailure(stage, errno);
    writeFailed_ = true;
    return false;
  }
  // Locations have 31 bits, and the dictionary offset after the data 32.
  if (static_cast<std::uint64_t>(position) + size > kLocationMask) {
    SetLastErrorFromErrno(EFBIG);
    recordFailure(stage);
    writeFailed_ = true;
    return false;
  }
  if (size != 0 && !WriteAll(file_, data, size)) {
    recordCrtFailure(stage, errno);
    writeFailed_ = true;
    return false;
  }
  const auto location =
      static_cast<std::uint32_t>(position) | (compressed ? kCompressedBit : 0u);
  dictionary_.insert_or_assign(ResourceKey{type, id}, ResourceEntry{type, id, location, size});
  return true;
}

bool ResourceFileWriter::Close() {
  if (file_ == nullptr) {
    dictionary_.clear();
    return true;
  }
  // A resource that failed to go in leaves the container incomplete: the
  // target keeps its previous contents and the recorded failure stands.
  bool ok = !writeFailed_ && writeDictionaryAndHeader();
  errno = 0;
  const int closed = std::fclose(file_);
  file_ = nullptr;
  if (closed != 0) {
    recordCrtFailure(kClosing, errno);
    ok = false;
  }
  if (ok) ok = stampCrc();
  if (ok && !replacement_->commit()) {
    recordFailure(kClosing);
    ok = false;
  }
  replacement_.reset();
  dictionary_.clear();
  return ok;
}

bool ResourceFileWriter::writeDictionaryAndHeader() {
  errno = 0;
  const off_t end = ftello(file_);
  if (end < 0) {
    recordCrtFailure(kWritingHeader, errno);
    return false;
  }
  ResourceFileHeader header;
  header.count = static_cast<std::uint32_t>(dictionary_.size());
  header.dictionaryOffset = static_cast<std::uint32_t>(end);
  for (const auto& [key, entry] : dictionary_) {
    const auto bytes = EncodeEntry(entry);
    if (!WriteAll(file_, bytes.data(), bytes.size())) {
      recordCrtFailure(StageWithResource(kWritingDictionary, entry.type, entry.id), errno);
      return false;
    }
  }
  if (!SeekTo(file_, 0, SEEK_SET)) {
    recordCrtFailure(kSeekingStart, errno);
    return false;
  }
  const auto bytes = EncodeHeader(header);
  if (!WriteAll(file_, bytes.data(), bytes.size())) {
    recordCrtFailure(kWritingHeader, errno);
    return false;
  }
  if (!SeekTo(file_, 0, SEEK_END)) {
    recordCrtFailure(kSeekingEnd, errno);
    return false;
  }
  return true;
}

bool ResourceFileWriter::stampCrc() {
  std::uint32_t crc = 0;
  if (!FileCrc32FromOffset8(replacement_->path(), crc)) {
    recordFailure(kCalculatingCrc);
    return false;
  }
  std::FILE* file = OpenFile(replacement_->path(), "r+b");
  if (file == nullptr) {
    recordCrtFailure(kOpeningToAddCrc, errno);
    return false;
  }
  auto fail = [&](const char* stage) {
    const int saved = errno;
    std::fclose(file);
    recordCrtFailure(stage, saved);
    return false;
  };
  std::uint8_t bytes[kResourceHeaderSize];
  errno = 0;
  if (std::fread(bytes, 1, sizeof bytes, file) != sizeof bytes) return fail(kReadingToAddCrc);
  ResourceFileHeader header;
  DecodeHeader(bytes, header);
  header.crc = crc;
  if (!SeekTo(file, 0, SEEK_SET)) return fail(kPositioningToAddCrc);
  const auto stamped = EncodeHeader(header);
  if (!WriteAll(file, stamped.data(), stamped.size())) return fail(kWritingCrc);
  SeekTo(file, 0, SEEK_END);
  errno = 0;
  if (std::fclose(file) != 0) {
    recordCrtFailure(kWritingCrc, errno);
    return false;
  }
  return true;
}

}  // namespace mascot
