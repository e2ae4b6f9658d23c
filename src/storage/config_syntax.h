#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The line syntax of configuration files, apart from any file.
namespace mascot {

// Orders and matches section names and keys: ASCII letters compared without
// case, every other byte by its value. Frame1 < Frame10 < Frame2 < Mascot.
int CompareNoCase(std::string_view a, std::string_view b);

struct NoCaseLess {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const { return CompareNoCase(a, b) < 0; }
};

struct ConfigLine {
  enum class Kind { kIgnored, kSection, kEntry };
  Kind kind = Kind::kIgnored;
  std::string_view name;  // kSection
  std::string_view key;   // kEntry; may be empty
  std::string_view value;
  std::string_view comment;
};

// Classifies one line (without its line break).
ConfigLine ParseConfigLine(std::string_view line);

// The lines of a text, without their LF or CR LF ends.
std::vector<std::string_view> SplitLines(std::string_view text);

// The C library's atol, clamped to 32 bits: leading white space, an optional
// sign, then digits up to the first other character; 0 without digits.
std::int32_t ParseLong(std::string_view text);

}  // namespace mascot
