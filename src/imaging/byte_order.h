#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

// Fixed-order reads of file fields. The caller has checked that the bytes are
// there.
namespace mascot {

inline std::uint16_t ReadLe16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::uint32_t ReadLe32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
inline std::int32_t ReadLeI32(const std::uint8_t* p) { return static_cast<std::int32_t>(ReadLe32(p)); }
inline std::uint16_t ReadBe16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>((p[0] << 8) | p[1]);
}
inline std::int16_t ReadBeI16(const std::uint8_t* p) { return static_cast<std::int16_t>(ReadBe16(p)); }
inline std::uint32_t ReadBe32(const std::uint8_t* p) {
  return (static_cast<std::uint32_t>(p[0]) << 24) | (static_cast<std::uint32_t>(p[1]) << 16) |
         (static_cast<std::uint32_t>(p[2]) << 8) | static_cast<std::uint32_t>(p[3]);
}

// True when [offset, offset + size) lies inside a block of `total` bytes.
inline bool RangeInside(std::size_t offset, std::size_t size, std::size_t total) {
  return offset <= total && size <= total - offset;
}

}  // namespace mascot
