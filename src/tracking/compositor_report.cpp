#include "tracking/compositor_report.h"

#include <charconv>
#include <climits>

namespace mascot {
namespace {

// Coordinates of any screen fit easily; the cap keeps sums in range.
constexpr long long kMaxCoordinate = 1 << 24;

// Reads fields separated by single spaces off the front of a line.
class Fields {
 public:
  explicit Fields(std::string_view line) : rest_(line) {}

  bool next(std::string_view& field) {
    if (done_) return false;
    const std::size_t space = rest_.find(' ');
    field = rest_.substr(0, space);
    if (space == std::string_view::npos) {
      rest_ = {};
      done_ = true;
    } else {
      rest_.remove_prefix(space + 1);
    }
    return !field.empty();
  }

  bool number(long long low, long long high, long long& value) {
    std::string_view field;
    if (!next(field)) return false;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    return error == std::errc() && end == field.data() + field.size() && value >= low && value <= high;
  }

  bool atEnd() const { return done_; }
  // What follows the last field read, spaces and all.
  std::string_view rest() const { return rest_; }

 private:
  std::string_view rest_;
  bool done_ = false;
};

bool IsToken(std::string_view s) {
  if (s.empty() || s.size() > kMaxReportedIdLength) return false;
  for (const char c : s) {
    const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
                    c == '.' || c == '{' || c == '}' || c == '-';
    if (!ok) return false;
  }
  return true;
}

bool ReadFlags(std::string_view flags, ReportedWindow& window) {
  if (flags == "-") return true;
  for (const char c : flags) {
    switch (c) {
      case 's':
        window.shown = true;
        break;
      case 'm':
        window.minimised = true;
        break;
      case 'a':
        window.above = true;
        break;
      case 'd':
        window.desktop = true;
        break;
      default:
        return false;
    }
  }
  return true;
}

// A title cut at the cap, never inside a UTF-8 sequence.
std::string CutTitle(std::string_view title) {
  if (title.size() <= kMaxReportedTitleBytes) return std::string(title);
  std::size_t end = kMaxReportedTitleBytes;
  while (end > 0 && (static_cast<unsigned char>(title[end]) & 0xC0) == 0x80) --end;
  return std::string(title.substr(0, end));
}

bool ReadHeader(std::string_view line, CompositorReport& report) {
  Fields fields(line);
  std::string_view word;
  long long version = 0, width = 0, height = 0;
  if (!fields.next(word) || word != "windows" || !fields.number(1, 1, version)) return false;
  if (!fields.number(1, kMaxCoordinate, width) || !fields.number(1, kMaxCoordinate, height)) return false;
  if (!fields.atEnd()) return false;
  report.screenWidth = static_cast<int>(width);
  report.screenHeight = static_cast<int>(height);
  return true;
}

bool ReadWindow(std::string_view line, ReportedWindow& window) {
  Fields fields(line);
  std::string_view id, flags, owner;
  long long pid = 0, x = 0, y = 0, width = 0, height = 0;
  if (!fields.next(id) || !IsToken(id)) return false;
  if (!fields.number(0, UINT32_MAX, pid)) return false;
  if (!fields.number(-kMaxCoordinate, kMaxCoordinate, x) ||
      !fields.number(-kMaxCoordinate, kMaxCoordinate, y))
    return false;
  if (!fields.number(0, kMaxCoordinate, width) || !fields.number(0, kMaxCoordinate, height)) return false;
  if (!fields.next(flags) || !ReadFlags(flags, window)) return false;
  if (!fields.next(owner) || (owner != "-" && !IsToken(owner))) return false;
  window.id = std::string(id);
  window.pid = static_cast<std::uint32_t>(pid);
  window.frame = {static_cast<int>(x), static_cast<int>(y), static_cast<int>(x + width),
                  static_cast<int>(y + height)};
  if (owner != "-") window.owner = std::string(owner);
  window.title = CutTitle(fields.rest());
  return true;
}

}  // namespace

bool ParseCompositorReport(std::string_view text, CompositorReport& report) {
  if (text.size() > kMaxReportBytes) return false;
  CompositorReport read;
  bool header = true;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (header) {
      if (!ReadHeader(line, read)) return false;
      header = false;
      continue;
    }
    if (read.windows.size() == kMaxReportedWindows) return false;
    if (!ReadWindow(line, read.windows.emplace_back())) return false;
  }
  if (header) return false;
  report = std::move(read);
  return true;
}

}  // namespace mascot
