#include <array>

#include "storage/crc32_paths.h"
#include "storage/crc32_polynomial.h"

namespace mascot {
namespace {

using crc32_math::kPolynomial;
using crc32_math::MultiplyModP;
using crc32_math::ZeroBytesOperator;

constexpr int kSlices = 8;
// Four lanes of 2 KiB are folded side by side and then joined, so that the
// table lookups of one lane need not wait for the previous ones.
constexpr std::size_t kLaneSize = 2048;
constexpr std::size_t kSuperblock = 4 * kLaneSize;

using ByteTables = std::array<std::array<std::uint32_t, 256>, kSlices>;
using ShiftTables = std::array<std::array<std::uint32_t, 256>, 4>;

// Table 0 is the classic byte table; table k advances a byte's contribution
// past k further zero bytes, so eight bytes fold in with eight independent
// lookups.
constexpr ByteTables MakeByteTables() {
  ByteTables t{};
  for (std::uint32_t i = 0; i < 256; ++i) {
    std::uint32_t c = i;
    for (int bit = 0; bit < 8; ++bit) c = (c & 1) ? (c >> 1) ^ kPolynomial : c >> 1;
    t[0][i] = c;
  }
  for (int k = 1; k < kSlices; ++k)
    for (std::uint32_t i = 0; i < 256; ++i) t[k][i] = (t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFF];
  return t;
}

// The register's advance past one lane of zero bytes, byte by byte.
constexpr ShiftTables MakeLaneShiftTables() {
  ShiftTables t{};
  const std::uint32_t op = ZeroBytesOperator(kLaneSize);
  for (int k = 0; k < 4; ++k)
    for (std::uint32_t v = 0; v < 256; ++v) t[k][v] = MultiplyModP(op, v << (8 * k));
  return t;
}

constexpr ByteTables kTables = MakeByteTables();
constexpr ShiftTables kLaneShift = MakeLaneShiftTables();

inline std::uint32_t LoadLe32(const unsigned char* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

// The second half of each eight bytes is indexed straight from memory:
// fewer shifts, and the lookups do not wait for the register.
inline std::uint32_t Fold8(std::uint32_t crc, const unsigned char* p) {
  const std::uint32_t lo = LoadLe32(p) ^ crc;
  return kTables[7][lo & 0xFF] ^ kTables[6][(lo >> 8) & 0xFF] ^ kTables[5][(lo >> 16) & 0xFF] ^
         kTables[4][lo >> 24] ^ kTables[3][p[4]] ^ kTables[2][p[5]] ^ kTables[1][p[6]] ^
         kTables[0][p[7]];
}

inline std::uint32_t ShiftPastLane(std::uint32_t crc) {
  return kLaneShift[0][crc & 0xFF] ^ kLaneShift[1][(crc >> 8) & 0xFF] ^
         kLaneShift[2][(crc >> 16) & 0xFF] ^ kLaneShift[3][crc >> 24];
}

}  // namespace

std::uint32_t UpdateCrc32Table(std::uint32_t state, const void* data, std::size_t size) {
  const auto* p = static_cast<const unsigned char*>(data);
  std::uint32_t crc = state;
  // The register is linear: the CRC of lanes A B from state s is the CRC of
  // A from s advanced past |B| zero bytes, xor the CRC of B from zero.
  while (size >= kSuperblock) {
    std::uint32_t a = crc, b = 0, c = 0, d = 0;
    for (std::size_t i = 0; i < kLaneSize; i += 8) {
      a = Fold8(a, p + i);
      b = Fold8(b, p + kLaneSize + i);
      c = Fold8(c, p + 2 * kLaneSize + i);
      d = Fold8(d, p + 3 * kLaneSize + i);
    }
    crc = ShiftPastLane(ShiftPastLane(ShiftPastLane(a) ^ b) ^ c) ^ d;
    p += kSuperblock;
    size -= kSuperblock;
  }
  for (; size >= 8; size -= 8, p += 8) crc = Fold8(crc, p);
  while (size-- > 0) crc = (crc >> 8) ^ kTables[0][(crc ^ *p++) & 0xFF];
  return crc;
}

}  // namespace mascot
