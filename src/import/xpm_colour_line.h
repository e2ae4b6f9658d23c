#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The colour lines of an XPM picture: a pixel key of cpp characters, then a
// colour after the letter 'c'.
namespace mascot {

// A colour that the reader does not know (None, or a name outside the table).
inline constexpr std::int32_t kUnknownXpmColour = -1;

struct XpmColourLine {
  std::string key;
  std::int32_t colour = 0;  // 0x00BBGGRR, or kUnknownXpmColour
};

// "#" followed by three groups of n hex digits (n = 4 takes the high byte of
// each group, any other n its low byte), or an X11 colour name.
std::int32_t XpmColourValue(std::string_view value);

// Nothing for a string not longer than cpp. A line without 'c' or without a
// value after it gives the empty key with colour 0.
std::optional<XpmColourLine> ParseXpmColourLine(std::string_view line, std::size_t cpp);

}  // namespace mascot
