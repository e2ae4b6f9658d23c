#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace mascot {

// The absolute form of a path; empty when it cannot be formed.
std::string FullPath(std::string_view path);
bool FileExists(std::string_view path);
bool IsFolder(std::string_view path);
// A value that orders the writes of a file (nanoseconds since the epoch);
// false when the file cannot be opened for reading.
bool LastWriteTime(std::string_view path, std::uint64_t& time);

}  // namespace mascot
