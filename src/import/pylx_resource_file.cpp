#include "import/pylx_resource_file.h"

#include <cerrno>
#include <cstdint>
#include <limits>

#include "errors/system_error.h"
#include "storage/file_bytes.h"
#include "storage/text_encoding.h"

namespace mascot {
namespace {

// A resource file is a few dozen lines; anything much larger is not one.
constexpr std::size_t kMaxResourceFileSize = 4u << 20;

bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

std::string_view TrimTrailingSpace(std::string_view text) {
  while (!text.empty() && IsCSpace(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view TrimLeadingSpace(std::string_view text) {
  while (!text.empty() && IsCSpace(text.front())) text.remove_prefix(1);
  return text;
}

void StoreLine(std::string_view line, PylxResourceFile& file) {
  if (line.empty() || line.front() == '!') return;
  const std::size_t colon = line.find(':');
  if (colon == std::string_view::npos) return;
  std::string key(TrimTrailingSpace(line.substr(0, colon)));
  file.values[std::move(key)] = std::string(TrimLeadingSpace(line.substr(colon + 1)));
}

}  // namespace

std::int32_t ParseCInteger(std::string_view text) {
  text = TrimLeadingSpace(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  constexpr std::int64_t kLimit = static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::max()) + 1;
  std::int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    value = value * 10 + (c - '0');
    if (value > kLimit) value = kLimit;  // saturate; more digits change nothing
  }
  if (negative) return static_cast<std::int32_t>(-value);
  return static_cast<std::int32_t>(value == kLimit ? kLimit - 1 : value);
}

std::string PylxResourceFile::text(std::string_view key, std::string_view fallback) const {
  auto found = values.find(std::string(key));
  return found == values.end() ? std::string(fallback) : found->second;
}

std::int32_t PylxResourceFile::integer(std::string_view key, std::int32_t fallback) const {
  auto found = values.find(std::string(key));
  return found == values.end() ? fallback : ParseCInteger(found->second);
}

void ParsePylxResourceText(std::string_view text, PylxResourceFile& file) {
  file.values.clear();
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    StoreLine(line, file);
  }
}

bool ReadPylxResourceFile(std::string_view path, PylxResourceFile& file) {
  file.path = std::string(path);
  file.values.clear();
  auto bytes = ReadWholeFile(path, kMaxResourceFileSize);
  if (!bytes) return false;
  const std::string_view raw(reinterpret_cast<const char*>(bytes->data()), bytes->size());
  ParsePylxResourceText(DecodeFileText(raw), file);
  return !file.values.empty();
}

}  // namespace mascot
