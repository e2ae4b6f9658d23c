#include "storage/resource_file_reader.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "errors/system_error.h"
#include "storage/crc32.h"
#include "storage/lzss.h"
#include "storage/paths.h"
#include "storage/regular_file.h"

namespace mascot {
namespace {

constexpr const char* kOpeningHeader = "Opening resource file header";
constexpr const char* kReadingHeader = "Reading resource file header";
constexpr const char* kCalculatingCrc = "Calculating crc";
constexpr const char* kValidatingCrc = "Validating CRC on resource file";
constexpr const char* kReadingFile = "Reading resource file";
constexpr const char* kOpeningToLoad = "Opening file to load resource";
constexpr const char* kLoadingResource = "Loading Resource";

// The container opened for reading with a shared lock, which keeps out
// writers that lock the file exclusively. Sets the last system error when
// it cannot be had.
class SharedReadFile {
 public:
  explicit SharedReadFile(const std::string& fileName) : fd_(OpenRegularFile(fileName).release()) {
    if (fd_ < 0) return;
    if (flock(fd_, LOCK_SH | LOCK_NB) != 0 && errno == EWOULDBLOCK) {
      close(fd_);
      fd_ = -1;
      SetLastErrorFromErrno(EACCES);  // what a sharing violation reads like here
    }
  }
  ~SharedReadFile() {
    if (fd_ >= 0) close(fd_);  // also drops the lock
  }
  SharedReadFile(const SharedReadFile&) = delete;
  SharedReadFile& operator=(const SharedReadFile&) = delete;

  bool isOpen() const { return fd_ >= 0; }
  int fd() const { return fd_; }

  // The file's size, or -1 with the last system error set.
  std::int64_t size() const {
    struct stat st {};
    if (fstat(fd_, &st) != 0) {
      SetLastErrorFromErrno(errno);
      return -1;
    }
    return st.st_size;
  }

 private:
  int fd_;
};

// Reads up to size bytes at offset; the count read, or -1 with the last
// system error set.
std::int64_t ReadAt(int fd, std::uint8_t* data, std::size_t size, std::uint64_t offset) {
  std::size_t done = 0;
  while (done < size) {
    ssize_t n = pread(fd, data + done, size - done, static_cast<off_t>(offset + done));
    if (n < 0) {
      if (errno == EINTR) continue;
      SetLastErrorFromErrno(errno);
      return -1;
    }
    if (n == 0) break;
    done += static_cast<std::size_t>(n);
  }
  return static_cast<std::int64_t>(done);
}

// Reads exactly size bytes at offset; a short read sets kErrUnexpectedEnd.
bool ReadExactly(int fd, std::uint8_t* data, std::size_t size, std::uint64_t offset) {
  std::int64_t n = ReadAt(fd, data, size, offset);
  if (n < 0) return false;
  if (static_cast<std::size_t>(n) != size) {
    SetLastSystemError(kErrUnexpectedEnd);
    return false;
  }
  return true;
}

}  // namespace

void ResourceFileReader::recordFailure(std::string_view stage, ErrorCode code) {
  lastErrorCode_ = RecordResourceFailure(fileName_, stage, code, logErrors_, lastErrorText_);
}

bool ResourceFileReader::Open(std::string_view fileName, bool logErrors) {
  dictionary_.clear();
  cache_.clear();
  loaded_ = false;
  logErrors_ = logErrors;
  fileName_ = fileName;
  if (fileName_.empty()) return false;

  SharedReadFile file(fileName_);
  if (!file.isOpen()) {
    recordFailure(kOpeningHeader);
    return false;
  }
  // A file shorter than the header replaces only the start of the preset
  // header, so an empty file is an empty container.
  std::uint8_t bytes[kResourceHeaderSize];
  const std::int64_t got = ReadAt(file.fd(), bytes, sizeof bytes, 0);
  if (got < 0) {
    recordFailure(kReadingHeader);
    return false;
  }
  ResourceFileHeader header;
  DecodeHeader({bytes, static_cast<std::size_t>(got)}, header);
  if (header.magic != kResourceFileMagic) {
    lastErrorCode_ = kErrNotResourceFile;
    lastErrorText_.clear();
    return false;
  }
  std::uint32_t crc = 0;
  if (!FileCrc32FromOffset8(file.fd(), crc)) {
    recordFailure(kCalculatingCrc);
    return false;
  }
  if (header.crc != 0 && header.crc != crc) {
    recordFailure(kValidatingCrc, kErrCrcMismatch);
    return false;
  }
  if (!readDictionary(file.fd(), header)) {
    recordFailure(kReadingFile);
    return false;
  }
  loaded_ = true;
  return true;
}

bool ResourceFileReader::readDictionary(int fd, const ResourceFileHeader& header) {
  struct stat st {};
  if (fstat(fd, &st) != 0) {
    SetLastErrorFromErrno(errno);
    return false;
  }
  const std::uint64_t bytes = std::uint64_t{header.count} * kResourceEntrySize;
  if (header.dictionaryOffset + bytes > static_cast<std::uint64_t>(st.st_size)) {
    SetLastSystemError(kErrUnexpectedEnd);
    return false;
  }
  std::vector<std::uint8_t> dictionary(static_cast<std::size_t>(bytes));
  if (!ReadExactly(fd, dictionary.data(), dictionary.size(), header.dictionaryOffset)) return false;
  InsertEntries(dictionary, dictionary_);
  return true;
}

std::vector<std::uint32_t> ResourceFileReader::ListIds(std::uint32_t type) const {
  std::vector<std::uint32_t> ids;
  for (auto it = dictionary_.lower_bound({type, 0}); it != dictionary_.end() && it->first.first == type;
       ++it)
    ids.push_back(it->first.second);
  return ids;
}

bool ResourceFileReader::refuseLargerThan(std::uint64_t size, std::uint64_t maxSize, const ResourceEntry& entry) {
  if (size <= maxSize) return false;
  SetLastErrorFromErrno(EFBIG);
  recordFailure(StageWithResource(kLoadingResource, entry.type, entry.id));
  return true;
}

ResourceHandle ResourceFileReader::Load(std::uint32_t type, std::uint32_t id, std::uint64_t maxSize) {
  const ResourceKey key{type, id};
  if (auto cached = cache_.find(key); cached != cache_.end()) return cached->second;

  auto resource = std::make_shared<LoadedResource>();
  resource->type = type;
  resource->id = id;
  const auto found = dictionary_.find(key);
  if (found == dictionary_.end()) return resource;
  const ResourceEntry& entry = found->second;
  resource->compressed = entry.compressed();

  std::vector<std::uint8_t> stored;
  if (refuseLargerThan(entry.size, maxSize, entry) || !readStoredBytes(entry, stored)) return resource;
  if (entry.compressed()) {
    if (refuseLargerThan(BlockUncompressedSize(stored).value_or(0), maxSize, entry)) return resource;
    auto expanded = DecompressBlock(stored);
    if (!expanded) {
      recordFailure(StageWithResource(kLoadingResource, type, id));
      return resource;
    }
    resource->data = std::move(*expanded);
  } else {
    resource->data = std::move(stored);
  }
  resource->hasData = true;
  cache_.emplace(key, resource);
  return resource;
}

bool ResourceFileReader::readStoredBytes(const ResourceEntry& entry, std::vector<std::uint8_t>& bytes) {
  SharedReadFile file(fileName_);
  if (!file.isOpen()) {
    recordFailure(kOpeningToLoad);
    return false;
  }
  const std::string stage = StageWithResource(kLoadingResource, entry.type, entry.id);
  const std::int64_t fileSize = file.size();
  if (fileSize < 0) {
    recordFailure(stage);
    return false;
  }
  // The entry is checked against the file before anything is allocated.
  if (std::uint64_t{entry.offset()} + entry.size > static_cast<std::uint64_t>(fileSize)) {
    recordFailure(stage, kErrUnexpectedEnd);
    return false;
  }
  bytes.resize(entry.size);
  if (!ReadExactly(file.fd(), bytes.data(), bytes.size(), entry.offset())) {
    recordFailure(stage);
    return false;
  }
  return true;
}

}  // namespace mascot
