#include "storage/config_syntax.h"

#include <limits>

namespace mascot {
namespace {

constexpr std::string_view kCommentPair = "\t;";

bool IsBlank(char ch) {
  return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' || ch == '\r';
}

unsigned char FoldCase(char ch) {
  auto byte = static_cast<unsigned char>(ch);
  return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

std::string_view TrimEnd(std::string_view text) {
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view TrimStart(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

ConfigLine SectionLine(std::string_view line) {
  ConfigLine result;
  std::size_t close = line.find(']');
  if (close == std::string_view::npos) return result;  // the current section stays
  result.kind = ConfigLine::Kind::kSection;
  result.name = line.substr(1, close - 1);
  return result;
}

ConfigLine EntryLine(std::string_view line) {
  ConfigLine result;
  std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return result;
  result.kind = ConfigLine::Kind::kEntry;
  result.key = TrimEnd(line.substr(0, equals));
  std::string_view value = TrimStart(line.substr(equals + 1));
  // Only a TAB before ";" starts a comment, so values may hold semicolons.
  std::size_t pair = value.find(kCommentPair);
  if (pair != std::string_view::npos) {
    result.comment = value.substr(pair + kCommentPair.size());
    value = TrimEnd(value.substr(0, pair));
  }
  result.value = value;
  return result;
}

}  // namespace

int CompareNoCase(std::string_view a, std::string_view b) {
  std::size_t common = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < common; ++i) {
    unsigned char x = FoldCase(a[i]);
    unsigned char y = FoldCase(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

ConfigLine ParseConfigLine(std::string_view line) {
  // Neither test skips leading blanks: "  ;x" is no comment and "  [x]" no header.
  if (line.empty() || line.front() == ';') return {};
  if (line.front() == '[') return SectionLine(line);
  return EntryLine(line);
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (end != std::string_view::npos && !line.empty() && line.back() == '\r')
      line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

std::int32_t ParseLong(std::string_view text) {
  text = TrimStart(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
  std::int64_t magnitude = 0;
  for (char ch : text) {
    if (ch < '0' || ch > '9') break;
    magnitude = magnitude * 10 + (ch - '0');
    if (magnitude > kLimit) magnitude = kLimit;  // saturate, as the old runtime did
  }
  std::int64_t value = negative ? -magnitude : magnitude;
  if (value > std::numeric_limits<std::int32_t>::max()) value = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(value);
}

}  // namespace mascot
