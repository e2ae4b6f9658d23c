#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

// The resource file of a foreign "*.pylx" mascot: lines of key, colon, value.
namespace mascot {

inline constexpr const char* kPylxKeyPrefix = "Pylx*menu.";

struct PylxResourceFile {
  std::string path;
  std::map<std::string, std::string> values;  // exact keys; a later line wins

  // The value of a key, or the default when the key is missing.
  std::string text(std::string_view key, std::string_view fallback = {}) const;
  // The value read the way the C library's decimal conversion reads it.
  std::int32_t integer(std::string_view key, std::int32_t fallback) const;
};

// Reads the file's lines into file.values (cleared first): "!" lines and
// lines without a colon are skipped. True when at least one key was read;
// false with the last system error set when the file cannot be read.
bool ReadPylxResourceFile(std::string_view path, PylxResourceFile& file);

// The same for text already in memory (UTF-8).
void ParsePylxResourceText(std::string_view text, PylxResourceFile& file);

// atoi: leading white space, an optional sign, the digits up to the first
// other character; 0 when there are none. Out-of-range values saturate.
std::int32_t ParseCInteger(std::string_view text);

}  // namespace mascot
