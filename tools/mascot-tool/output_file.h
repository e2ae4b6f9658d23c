#pragma once
#include <cstdint>
#include <span>
#include <string_view>

namespace mascot::tool {

// Writes the bytes as the whole file, replacing it only once they are all
// written. False with the last system error set.
bool WriteWholeFile(std::string_view path, std::span<const std::uint8_t> bytes);
bool WriteWholeFile(std::string_view path, std::string_view text);

}  // namespace mascot::tool
