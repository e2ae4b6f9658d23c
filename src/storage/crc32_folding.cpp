// CRC-32 by folding. The CRC is the message, read as a polynomial M, times
// x^32 modulo P, so M may be replaced by anything congruent to it modulo P.
// A 128-bit block followed by D more bits of message stands for
// block * x^D; multiplying each 64-bit half of the block by a 32-bit
// remainder x^n mod P gives a congruent value that still fits in 128 bits
// and lines up with the block D bits on. A long buffer so folds into one
// register at two carry-less multiplications per block, and only that last
// register is reduced modulo P. Several registers fold side by side to hide
// the multiplier's latency.
#include "storage/crc32_paths.h"

#if defined(__x86_64__) || defined(__i386__)

#include <immintrin.h>

#include <cstdint>

#include "storage/crc32_polynomial.h"

#define MASCOT_FOLDING __attribute__((target("pclmul,sse4.1")))
#define MASCOT_WIDE_FOLDING __attribute__((target("vpclmulqdq,avx512f,pclmul,sse4.1")))

namespace mascot {
namespace {

using crc32_math::BarrettQuotient33;
using crc32_math::FullPolynomial33;
using crc32_math::XPowModP;

// Below these sizes the setup and the final reduction cost more than they
// save (measured against the tables and each other from 16 bytes up). Loads are
// unaligned: they ran as fast as aligned ones, while aligning the start by
// the tables cost up to 60 ns a call.
constexpr std::size_t kMinFolding = 32;
constexpr std::size_t kMinWideFolding = 256;
static_assert(kMinFolding >= 16, "one whole block");
static_assert(kMinWideFolding >= 256, "four whole registers");

// Layout. A block loaded little-endian holds the message's first bit in bit
// 0, so bit k is the coefficient of x^(127-k), and its first eight bytes H
// and last eight L make the block H*x^64 + L. A remainder x^n mod P goes
// into a 64-bit lane one bit left of the CRC register's order (x^j at bit
// 32-j); a half times such a lane then lands in the block's layout as
// half * x^(n+32). Moving a block D bits forward takes H*x^(D+64) + L*x^D:
// the multipliers of x^(D+32) and x^(D-32).
constexpr std::uint64_t Lane(std::uint32_t remainder) { return std::uint64_t{remainder} << 1; }

struct Multipliers {
  std::uint64_t first_half, second_half;
};

constexpr Multipliers FoldForward(std::size_t bytes) {
  const std::uint64_t bits = 8 * std::uint64_t{bytes};
  return {Lane(XPowModP(bits + 32)), Lane(XPowModP(bits - 32))};
}

constexpr Multipliers kFold16 = FoldForward(16);
constexpr Multipliers kFold32 = FoldForward(32);
constexpr Multipliers kFold48 = FoldForward(48);
constexpr Multipliers kFold64 = FoldForward(64);
constexpr Multipliers kFold256 = FoldForward(256);
// The last block's reduction: times x^32 down to 96 bits, down to 64, then
// Barrett's quotient and P itself, both of degree 32 in the order above.
constexpr std::uint64_t kTimesX96 = Lane(XPowModP(96));
constexpr std::uint64_t kTimesX64 = Lane(XPowModP(64));
constexpr std::uint64_t kQuotient = BarrettQuotient33();
constexpr std::uint64_t kPolynomial = FullPolynomial33();

MASCOT_FOLDING inline __m128i Pair(std::uint64_t first, std::uint64_t second) {
  return _mm_set_epi64x(static_cast<long long>(second), static_cast<long long>(first));
}

MASCOT_FOLDING inline __m128i Pair(Multipliers m) { return Pair(m.first_half, m.second_half); }

MASCOT_FOLDING inline __m128i Load(const unsigned char* p) {
  return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

// Block b moved forward onto next.
MASCOT_FOLDING inline __m128i Fold(__m128i b, __m128i multipliers, __m128i next) {
  const __m128i first = _mm_clmulepi64_si128(b, multipliers, 0x00);
  const __m128i second = _mm_clmulepi64_si128(b, multipliers, 0x11);
  return _mm_xor_si128(_mm_xor_si128(first, second), next);
}

// The register after a message whose blocks folded into x, from zero:
// x * x^32 mod P.
MASCOT_FOLDING std::uint32_t Reduce(__m128i x) {
  const __m128i low32 = _mm_set_epi32(0, 0, 0, -1);
  // H*x^96 + L*x^32: 96 bits, highest power at bit 0.
  __m128i y = _mm_clmulepi64_si128(x, Pair(kTimesX96, 0), 0x00);
  y = _mm_xor_si128(y, _mm_srli_si128(x, 8));
  // The top 32 of them times x^64: 64 bits.
  __m128i z = _mm_clmulepi64_si128(_mm_and_si128(y, low32), Pair(kTimesX64, 0), 0x00);
  z = _mm_xor_si128(z, _mm_srli_si128(y, 4));
  // Barrett: the quotient by P from z's top 32 bits, then z - quotient*P,
  // which leaves the remainder in z's low 32 bits.
  const __m128i barrett = Pair(kQuotient, kPolynomial);
  const __m128i quotient = _mm_clmulepi64_si128(_mm_and_si128(z, low32), barrett, 0x00);
  const __m128i product = _mm_clmulepi64_si128(_mm_and_si128(quotient, low32), barrett, 0x10);
  return static_cast<std::uint32_t>(_mm_extract_epi32(_mm_xor_si128(z, product), 1));
}

// The remaining whole blocks into x, then the bytes after them.
MASCOT_FOLDING std::uint32_t Finish(__m128i x, const unsigned char* p, std::size_t size) {
  const __m128i fold16 = Pair(kFold16);
  for (; size >= 16; p += 16, size -= 16) x = Fold(x, fold16, Load(p));
  return UpdateCrc32Table(Reduce(x), p, size);
}

// The register enters as if xored into the message's first four bytes.
MASCOT_FOLDING inline __m128i StateBlock(std::uint32_t state) {
  return _mm_cvtsi32_si128(static_cast<int>(state));
}

MASCOT_WIDE_FOLDING inline __m512i Load512(const unsigned char* p) { return _mm512_loadu_si512(p); }

MASCOT_WIDE_FOLDING inline __m512i Fold(__m512i b, __m512i multipliers, __m512i next) {
  const __m512i first = _mm512_clmulepi64_epi128(b, multipliers, 0x00);
  const __m512i second = _mm512_clmulepi64_epi128(b, multipliers, 0x11);
  return _mm512_ternarylogic_epi64(first, second, next, 0x96);  // a ^ b ^ c
}

MASCOT_WIDE_FOLDING inline __m512i EveryLane(Multipliers m) {
  const auto first = static_cast<long long>(m.first_half);
  const auto second = static_cast<long long>(m.second_half);
  return _mm512_set_epi64(second, first, second, first, second, first, second, first);
}

// The four blocks of z, 64 consecutive bytes, folded into one.
MASCOT_WIDE_FOLDING __m128i Narrow(__m512i z) {
  __m512i onto_last = _mm512_zextsi128_si512(Pair(kFold48));  // the last block stays put
  onto_last = _mm512_inserti32x4(onto_last, Pair(kFold32), 1);
  onto_last = _mm512_inserti32x4(onto_last, Pair(kFold16), 2);
  const __m512i moved = Fold(z, onto_last, _mm512_maskz_mov_epi64(0xC0, z));
  alignas(64) __m128i lanes[4];
  _mm512_store_si512(lanes, moved);
  return _mm_xor_si128(_mm_xor_si128(lanes[0], lanes[1]), _mm_xor_si128(lanes[2], lanes[3]));
}

}  // namespace

bool Crc32FoldingAvailable() {
  __builtin_cpu_init();
  return __builtin_cpu_supports("pclmul") && __builtin_cpu_supports("sse4.1");
}

bool Crc32WideFoldingAvailable() {
  __builtin_cpu_init();
  return Crc32FoldingAvailable() && __builtin_cpu_supports("vpclmulqdq") &&
         __builtin_cpu_supports("avx512f");
}

MASCOT_FOLDING std::uint32_t UpdateCrc32Folding(std::uint32_t state, const void* data,
                                                std::size_t size) {
  if (size < kMinFolding) return UpdateCrc32Table(state, data, size);
  const auto* p = static_cast<const unsigned char*>(data);

  __m128i x = _mm_xor_si128(Load(p), StateBlock(state));
  if (size < 64) return Finish(x, p + 16, size - 16);

  __m128i x1 = Load(p + 16), x2 = Load(p + 32), x3 = Load(p + 48);
  const __m128i fold64 = Pair(kFold64);
  for (p += 64, size -= 64; size >= 64; p += 64, size -= 64) {
    x = Fold(x, fold64, Load(p));
    x1 = Fold(x1, fold64, Load(p + 16));
    x2 = Fold(x2, fold64, Load(p + 32));
    x3 = Fold(x3, fold64, Load(p + 48));
  }
  const __m128i fold16 = Pair(kFold16);
  return Finish(Fold(Fold(Fold(x, fold16, x1), fold16, x2), fold16, x3), p, size);
}

MASCOT_WIDE_FOLDING std::uint32_t UpdateCrc32WideFolding(std::uint32_t state, const void* data,
                                                         std::size_t size) {
  if (size < kMinWideFolding) return UpdateCrc32Folding(state, data, size);
  const auto* p = static_cast<const unsigned char*>(data);

  __m512i z = _mm512_xor_si512(Load512(p), _mm512_zextsi128_si512(StateBlock(state)));
  __m512i z1 = Load512(p + 64), z2 = Load512(p + 128), z3 = Load512(p + 192);
  const __m512i fold256 = EveryLane(kFold256);
  for (p += 256, size -= 256; size >= 256; p += 256, size -= 256) {
    z = Fold(z, fold256, Load512(p));
    z1 = Fold(z1, fold256, Load512(p + 64));
    z2 = Fold(z2, fold256, Load512(p + 128));
    z3 = Fold(z3, fold256, Load512(p + 192));
  }
  const __m512i fold64 = EveryLane(kFold64);
  z = Fold(Fold(Fold(z, fold64, z1), fold64, z2), fold64, z3);
  for (; size >= 64; p += 64, size -= 64) z = Fold(z, fold64, Load512(p));
  return Finish(Narrow(z), p, size);
}

}  // namespace mascot

#else  // no carry-less multiplication on this architecture

namespace mascot {

bool Crc32FoldingAvailable() { return false; }
bool Crc32WideFoldingAvailable() { return false; }

std::uint32_t UpdateCrc32Folding(std::uint32_t state, const void* data, std::size_t size) {
  return UpdateCrc32Table(state, data, size);
}

std::uint32_t UpdateCrc32WideFolding(std::uint32_t state, const void* data, std::size_t size) {
  return UpdateCrc32Table(state, data, size);
}

}  // namespace mascot

#endif
