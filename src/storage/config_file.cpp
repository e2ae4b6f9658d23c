#include "storage/config_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "errors/system_error.h"
#include "storage/paths.h"
#include "storage/regular_file.h"
#include "storage/replacement_file.h"
#include "storage/text_encoding.h"

namespace mascot {
namespace {

constexpr ErrorCode kErrFileNotFound = 2;                     // the platform's "file not found"
constexpr ErrorCode kErrPermissionDenied = 0xE0000AFD;         // 2800 + EACCES
constexpr std::string_view kTitleLine = "; Configuration file for ";
constexpr std::string_view kCommentRuleLine =
    "; (comments at the end of a line must be preceded by a tab-semicolon pair)";
constexpr std::string_view kLineEnd = "\r\n";

// The Linux form of the read-only attribute: no write permission for anyone.
bool HasReadOnlyAttribute(const struct stat& st) { return (st.st_mode & 0222) == 0; }

bool Fail(int errnoValue) {
  SetLastErrorFromErrno(errnoValue);
  return false;
}

bool WriteAll(const std::string& path, std::string_view text) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return Fail(errno);
  bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
  int writeErrno = errno;
  if (std::fclose(file) != 0 && written) return Fail(errno);
  if (!written) return Fail(writeErrno != 0 ? writeErrno : EIO);
  return true;
}

}  // namespace

ConfigFile::~ConfigFile() { Close(); }

bool ConfigFile::Open(std::string_view path, std::string_view title, bool readOnly) {
  if (!title.empty()) title_ = title;
  readOnly_ = readOnly;
  fileName_ = path;
  if (fileName_.empty()) return false;

  struct stat st {};
  if (stat(NativePath(fileName_).c_str(), &st) != 0) {
    if (!readOnly) return true;  // a new file
    SetLastSystemError(kErrFileNotFound);
    return false;
  }
  if (!readOnly && HasReadOnlyAttribute(st)) {
    SetLastSystemError(kErrPermissionDenied);
    return false;
  }
  if (Load()) return true;
  // Read, but without a single setting: for writing, as good as a new file.
  return !readOnly && read_;
}

bool ConfigFile::readFile(std::string& bytes) const {
  if (fileName_.empty()) return Fail(ENOENT);
  const FileDescriptor file = OpenRegularFile(fileName_);
  if (!file.isOpen()) return false;
  const int fd = file.get();
  struct stat st {};
  int problem = 0;
  if (fstat(fd, &st) != 0)
    problem = errno;
  else if (static_cast<std::uint64_t>(st.st_size) > kMaxFileSize)
    problem = EFBIG;

  // The size is checked again while reading: the file may grow meanwhile.
  char chunk[65536];
  while (problem == 0) {
    ssize_t n = read(fd, chunk, sizeof chunk);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) problem = errno;
    if (n <= 0) break;
    if (bytes.size() + static_cast<std::size_t>(n) > kMaxFileSize)
      problem = EFBIG;
    else
      bytes.append(chunk, static_cast<std::size_t>(n));
  }
  return problem == 0 || Fail(problem);
}

bool ConfigFile::Load() {
  Clear();
  std::string bytes;
  read_ = readFile(bytes);
  if (!read_) {
    // Nothing was read, so there is nothing to write back: closing must not
    // replace a file that could not be read with an empty one.
    modified_ = false;
    return false;
  }
  std::string text = DecodeFileText(bytes);

  bool anyEntry = false;
  std::string currentSection;
  for (std::string_view line : SplitLines(text)) {
    ConfigLine parsed = ParseConfigLine(line);
    if (parsed.kind == ConfigLine::Kind::kSection) {
      currentSection = parsed.name;
    } else if (parsed.kind == ConfigLine::Kind::kEntry) {
      anyEntry = true;
      // Entries outside any section, or without a key, are dropped here.
      SetString(currentSection, parsed.key, parsed.value, parsed.comment);
    }
  }
  return anyEntry;
}

std::string ConfigFile::composeText() const {
  std::string text;
  text.append(kTitleLine).append(title_).append(kLineEnd);
  text.append(kCommentRuleLine).append(kLineEnd);
  for (const auto& [name, section] : sections_) {
    text.append("[").append(section.name).append("]").append(kLineEnd);
    for (const auto& [key, entry] : section.entries) {
      text.append(entry.key).append(" = ").append(entry.value);
      if (!entry.comment.empty()) text.append("\t;").append(entry.comment);
      text.append(kLineEnd);
    }
    text.append(kLineEnd);
  }
  return text;
}

bool ConfigFile::Save() {
  ReplacementFile file(NativePath(fileName_));
  if (!file.isReady()) return false;
  return WriteAll(file.path(), composeText()) && file.commit();
}

bool ConfigFile::Flush() {
  if (readOnly_ || fileName_.empty() || !modified_) return true;
  bool saved = Save();
  modified_ = !saved;
  return saved;
}

bool ConfigFile::Close() {
  bool flushed = Flush();
  fileName_.clear();
  return flushed;
}

void ConfigFile::Clear() {
  sections_.clear();
  modified_ = true;
}

const ConfigEntry* ConfigFile::findEntry(std::string_view section, std::string_view key) const {
  if (section.empty() || key.empty()) return nullptr;
  auto found = sections_.find(section);
  if (found == sections_.end()) return nullptr;
  auto entry = found->second.entries.find(key);
  return entry == found->second.entries.end() ? nullptr : &entry->second;
}

std::string ConfigFile::GetString(std::string_view section, std::string_view key,
                                  std::string_view defaultValue) const {
  const ConfigEntry* entry = findEntry(section, key);
  return std::string(entry != nullptr ? std::string_view(entry->value) : defaultValue);
}

std::int32_t ConfigFile::GetInt(std::string_view section, std::string_view key,
                                std::int32_t defaultValue) const {
  const ConfigEntry* entry = findEntry(section, key);
  if (entry == nullptr || entry->value.empty()) return defaultValue;
  return ParseLong(entry->value);
}

bool ConfigFile::GetBool(std::string_view section, std::string_view key, bool defaultValue) const {
  return GetInt(section, key, defaultValue ? 1 : 0) != 0;
}

void ConfigFile::SetString(std::string_view section, std::string_view key, std::string_view value,
                           std::string_view comment) {
  if (section.empty() || key.empty()) return;
  auto found = sections_.find(section);
  if (found == sections_.end())
    found = sections_.emplace(std::string(section), ConfigSection{std::string(section), {}}).first;
  ConfigEntry entry{std::string(key), std::string(value), std::string(comment)};
  auto& entries = found->second.entries;
  auto existing = entries.find(key);
  if (existing != entries.end())
    existing->second = std::move(entry);
  else
    entries.emplace(std::string(key), std::move(entry));
  modified_ = true;
}

void ConfigFile::SetInt(std::string_view section, std::string_view key, std::int32_t value,
                        std::string_view comment) {
  SetString(section, key, std::to_string(value), comment);
}

void ConfigFile::SetBool(std::string_view section, std::string_view key, bool value,
                         std::string_view comment) {
  SetString(section, key, value ? "1" : "0", comment);
}

const ConfigSection* ConfigFile::GetSection(std::string_view section) const {
  auto found = sections_.find(section);
  return found == sections_.end() ? nullptr : &found->second;
}

bool ConfigFile::RemoveSection(std::string_view section) {
  if (readOnly_ || section.empty()) return false;
  auto found = sections_.find(section);
  if (found == sections_.end()) return false;
  sections_.erase(found);
  modified_ = true;
  return true;
}

}  // namespace mascot
