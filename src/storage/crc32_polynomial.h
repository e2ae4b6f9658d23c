#pragma once
// Arithmetic modulo the CRC-32 polynomial, done at compile time to derive the
// tables and multipliers of the CRC code. Remainders are 32-bit and
// bit-reflected like the CRC register itself: bit 31 is x^0, bit 0 is x^31.
#include <cstddef>
#include <cstdint>

namespace mascot::crc32_math {

inline constexpr std::uint32_t kPolynomial = 0xEDB88320u;

// a * b mod P.
constexpr std::uint32_t MultiplyModP(std::uint32_t a, std::uint32_t b) {
  std::uint32_t product = 0;
  for (int i = 0; i < 32; ++i) {
    if (a & (0x80000000u >> i)) product ^= b;
    b = (b & 1) ? (b >> 1) ^ kPolynomial : b >> 1;
  }
  return product;
}

// x^n mod P.
constexpr std::uint32_t XPowModP(std::uint64_t n) {
  std::uint32_t result = 0x80000000u;  // x^0
  std::uint32_t power = 0x40000000u;   // x^1
  for (; n != 0; n >>= 1) {
    if (n & 1) result = MultiplyModP(result, power);
    power = MultiplyModP(power, power);
  }
  return result;
}

// x^(8n) mod P: what n zero bytes do to the register.
constexpr std::uint32_t ZeroBytesOperator(std::size_t n) { return XPowModP(8 * std::uint64_t{n}); }

// Mirror image of the low 33 bits: a polynomial of degree 32 in the
// reflected order, x^32 at bit 0 and x^0 at bit 32.
constexpr std::uint64_t Reflect33(std::uint64_t v) {
  std::uint64_t r = 0;
  for (int i = 0; i <= 32; ++i)
    if (v >> i & 1) r |= std::uint64_t{1} << (32 - i);
  return r;
}

// P itself with its x^32 term, in the 33-bit reflected order.
constexpr std::uint64_t FullPolynomial33() { return (std::uint64_t{kPolynomial} << 1) | 1; }

// floor(x^64 / P), the Barrett reduction's quotient estimate, in the 33-bit
// reflected order. Long division in the natural order, then mirrored.
constexpr std::uint64_t BarrettQuotient33() {
  const std::uint64_t p = Reflect33(FullPolynomial33());  // x^32 at bit 32
  std::uint64_t remainder = 0, quotient = 0;
  for (int bit = 64; bit >= 0; --bit) {
    remainder = (remainder << 1) | (bit == 64 ? 1 : 0);
    quotient <<= 1;
    if (remainder >> 32 & 1) {
      remainder ^= p;
      quotient |= 1;
    }
  }
  return Reflect33(quotient);
}

}  // namespace mascot::crc32_math
