#include "storage/crc32.h"

#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <string>

#include "errors/system_error.h"
#include "storage/paths.h"

namespace mascot {
namespace {

constexpr std::uint32_t kPolynomial = 0xEDB88320u;
constexpr int kSlices = 8;
constexpr std::size_t kFileChunk = 32768;
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
    for (std::uint32_t i = 0; i < 256; ++i)
      t[k][i] = (t[k - 1][i] >> 8) ^ t[0][t[k - 1][i] & 0xFF];
  return t;
}

// Product of two polynomials modulo the CRC polynomial, bit-reflected (bit
// 31 is x^0).
constexpr std::uint32_t MultiplyModP(std::uint32_t a, std::uint32_t b) {
  std::uint32_t product = 0;
  for (int i = 0; i < 32; ++i) {
    if (a & (0x80000000u >> i)) product ^= b;
    b = (b & 1) ? (b >> 1) ^ kPolynomial : b >> 1;
  }
  return product;
}

// x^(8n): what n zero bytes do to the register.
constexpr std::uint32_t ZeroBytesOperator(std::size_t n) {
  std::uint32_t result = 0x80000000u;
  std::uint32_t power = 0x00800000u;  // x^8
  for (; n != 0; n >>= 1) {
    if (n & 1) result = MultiplyModP(result, power);
    power = MultiplyModP(power, power);
  }
  return result;
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

std::uint32_t UpdateCrc32(std::uint32_t state, const void* data, std::size_t size) {
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

std::uint32_t Crc32(const void* data, std::size_t size) {
  return FinishCrc32(UpdateCrc32(kCrc32Initial, data, size));
}

bool FileCrc32FromOffset8(int fd, std::uint32_t& crc) {
  unsigned char chunk[kFileChunk];
  std::uint32_t state = kCrc32Initial;
  off_t offset = 8;
  for (;;) {
    ssize_t n = pread(fd, chunk, sizeof chunk, offset);
    if (n < 0) {
      if (errno == EINTR) continue;
      SetLastErrorFromErrno(errno);
      return false;
    }
    if (n == 0) break;
    state = UpdateCrc32(state, chunk, static_cast<std::size_t>(n));
    offset += n;
  }
  crc = FinishCrc32(state);
  return true;
}

bool FileCrc32FromOffset8(std::string_view path, std::uint32_t& crc) {
  int fd = open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    SetLastErrorFromErrno(errno);
    return false;
  }
  bool ok = FileCrc32FromOffset8(fd, crc);
  close(fd);
  return ok;
}

}  // namespace mascot
