#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace mascot {

// The largest image file the readers take into memory.
inline constexpr std::size_t kMaxImageFileSize = 256u << 20;

// The whole file, read after its size was checked against maxSize; nullopt
// with the last system error set when it cannot be opened or read, or is
// larger than maxSize.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(std::string_view path,
                                                       std::size_t maxSize = kMaxImageFileSize);

// Up to `count` bytes from the start of the file (fewer when the file is
// shorter); nullopt when it cannot be opened.
std::optional<std::vector<std::uint8_t>> ReadFileStart(std::string_view path, std::size_t count);

}  // namespace mascot
