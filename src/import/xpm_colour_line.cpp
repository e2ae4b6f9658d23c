#include "import/xpm_colour_line.h"

#include "import/x11_colours.h"

namespace mascot {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// A group read the way strtoul reads it: the hex digits up to the first
// other character. Only the low 16 bits matter to the callers.
std::uint32_t HexGroup(std::string_view digits) {
  std::uint32_t value = 0;
  for (char c : digits) {
    const int digit = HexDigit(c);
    if (digit < 0) break;
    value = (value << 4) | static_cast<std::uint32_t>(digit);
  }
  return value;
}

std::int32_t HexColour(std::string_view digits) {
  const std::size_t n = digits.size() / 3;
  std::uint32_t channel[3];
  for (std::size_t i = 0; i < 3; ++i) {
    const std::uint32_t group = HexGroup(digits.substr(i * n, n));
    channel[i] = (n == 4 ? group >> 8 : group) & 0xFF;
  }
  return static_cast<std::int32_t>(channel[0] | (channel[1] << 8) | (channel[2] << 16));
}

}  // namespace

std::int32_t XpmColourValue(std::string_view value) {
  if (!value.empty() && value.front() == '#') return HexColour(value.substr(1));
  if (auto named = FindX11Colour(value)) return static_cast<std::int32_t>(*named);
  return kUnknownXpmColour;
}

std::optional<XpmColourLine> ParseXpmColourLine(std::string_view line, std::size_t cpp) {
  if (line.size() <= cpp) return std::nullopt;
  const std::size_t letter = line.find('c', cpp);
  if (letter == std::string_view::npos) return XpmColourLine{};
  const std::size_t start = line.find_first_not_of(" \t", letter + 1);
  if (start == std::string_view::npos) return XpmColourLine{};
  return XpmColourLine{std::string(line.substr(0, cpp)), XpmColourValue(line.substr(start))};
}

}  // namespace mascot
