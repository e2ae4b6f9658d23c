#pragma once
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace mascot {

// CRC-32 of ISO-HDLC and zlib: reflected polynomial 0xEDB88320, register
// preset to all ones, result complemented. Start with kCrc32Initial, feed
// any number of pieces through UpdateCrc32 and finish with FinishCrc32;
// Crc32 does all three for one buffer.
inline constexpr std::uint32_t kCrc32Initial = 0xFFFFFFFFu;

std::uint32_t UpdateCrc32(std::uint32_t state, const void* data, std::size_t size);
constexpr std::uint32_t FinishCrc32(std::uint32_t state) { return ~state; }
std::uint32_t Crc32(const void* data, std::size_t size);

// The container's checksum: the CRC of an open file from offset 8 (the first
// byte after the crc field) to its end, read in 32 KiB chunks. False, with
// the last system error set, when the file cannot be read.
bool FileCrc32FromOffset8(int fd, std::uint32_t& crc);
bool FileCrc32FromOffset8(std::string_view path, std::uint32_t& crc);

}  // namespace mascot
