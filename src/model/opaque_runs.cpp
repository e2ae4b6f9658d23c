#include "model/opaque_runs.h"

#include <algorithm>
#include <bit>
#include <optional>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace mascot {
namespace {

// As pixelColour gives an index's colour: one beyond the table is black.
std::uint32_t IndexColour(const Bitmap& bitmap, std::uint32_t index) {
  const auto& table = bitmap.colourTable();
  if (index >= table.size()) return 0;
  return Rgb(table[index].red, table[index].green, table[index].blue);
}

// The bits of a 16- or 32-bit pixel that its colour depends on, when equal
// colours mean equal bits: a channel of up to eight bits is scaled without
// loss, a wider one keeps its top eight. A mask with a gap scales in ways
// that can fold values together; then there is no such set of bits.
std::optional<std::uint32_t> ColourBits(const Bitmap& bitmap) {
  std::uint32_t bits = 0;
  for (const std::uint32_t mask : {bitmap.redMask(), bitmap.greenMask(), bitmap.blueMask()}) {
    if (mask == 0) continue;
    const int shift = std::countr_zero(mask);
    const std::uint64_t field = mask >> shift;
    if ((field & (field + 1)) != 0) return std::nullopt;
    const int width = std::popcount(field);
    bits |= width > 8 ? static_cast<std::uint32_t>(mask & ~((std::uint64_t{1} << (shift + width - 8)) - 1)) : mask;
  }
  return bits;
}

template <int kBytes>
std::uint32_t ValueAt(const std::uint8_t* pixels, int x) {
  const std::uint8_t* p = pixels + kBytes * x;
  std::uint32_t value = p[0] | static_cast<std::uint32_t>(p[1]) << 8;
  if constexpr (kBytes >= 3) value |= static_cast<std::uint32_t>(p[2]) << 16;
  if constexpr (kBytes == 4) value |= static_cast<std::uint32_t>(p[3]) << 24;
  return value;
}

template <int kBytes>
void MarkDifferingValues(const std::uint8_t* pixels, int width, std::uint32_t mask, std::uint32_t transparent,
                         std::uint64_t* opaque) {
  for (int x = 0; x < width; ++x)
    opaque[x >> 6] |= std::uint64_t{(ValueAt<kBytes>(pixels, x) & mask) != transparent} << (x & 63);
}

}  // namespace

OpaqueRunScanner::OpaqueRunScanner(const Bitmap& bitmap)
    : bitmap_(bitmap), width_(bitmap.width()), opaque_((static_cast<std::size_t>(width_) + 63) / 64) {
  const int depth = bitmap.bitsPerPixel();
  if (depth <= 8) {
    const std::uint32_t colour = bitmap.pixelColour(0, 0);
    const std::uint32_t indices = 1u << depth;
    std::array<bool, 256> opaque{};
    std::uint32_t clear = 0;
    for (std::uint32_t i = 0; i < indices; ++i) {
      opaque[i] = IndexColour(bitmap, i) != colour;
      clear += opaque[i] ? 0 : 1;
    }
    if (depth == 8 && clear == 1) {
      method_ = Method::kOneIndex;
      transparent_ = bitmap.pixelValue(0, 0);
      return;
    }
    // The first pixel of a byte is its most significant bits.
    const int perByte = 8 / depth;
    for (std::uint32_t byte = 0; byte < 256; ++byte) {
      std::uint8_t bits = 0;
      for (int k = 0; k < perByte; ++k)
        if (opaque[(byte >> (8 - depth * (k + 1))) & (indices - 1)]) bits |= static_cast<std::uint8_t>(1u << k);
      byteBits_[byte] = bits;
    }
    method_ = Method::kIndexTable;
    return;
  }
  const std::optional<std::uint32_t> bits = depth == 24 ? 0xFFFFFFu : ColourBits(bitmap);
  if (!bits) {
    transparent_ = bitmap.pixelColour(0, 0);
    return;
  }
  method_ = Method::kMaskedValue;
  valueMask_ = *bits;
  transparent_ = bitmap.pixelValue(0, 0) & valueMask_;
}

void OpaqueRunScanner::markOneIndex(const std::uint8_t* pixels) {
  int x = 0;
#if defined(__SSE2__)
  const __m128i key = _mm_set1_epi8(static_cast<char>(transparent_));
  auto equalBytes = [&](int at) -> std::uint64_t {
    const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(pixels + at));
    return static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_cmpeq_epi8(chunk, key)));
  };
  for (; x + 64 <= width_; x += 64)
    opaque_[x >> 6] = ~(equalBytes(x) | equalBytes(x + 16) << 16 | equalBytes(x + 32) << 32 | equalBytes(x + 48) << 48);
  for (; x + 16 <= width_; x += 16) opaque_[x >> 6] |= (~equalBytes(x) & 0xFFFF) << (x & 63);
#endif
  for (; x < width_; ++x) opaque_[x >> 6] |= std::uint64_t{pixels[x] != transparent_} << (x & 63);
}

void OpaqueRunScanner::markIndexTable(const std::uint8_t* pixels) {
  // A byte's pixels never straddle two words: 1, 2 and 8 divide 64.
  const int perByte = 8 / bitmap_.bitsPerPixel();
  const int bytes = (width_ + perByte - 1) / perByte;
  for (int i = 0; i < bytes; ++i) {
    const int x = i * perByte;
    opaque_[x >> 6] |= std::uint64_t{byteBits_[pixels[i]]} << (x & 63);
  }
}

void OpaqueRunScanner::markMaskedValue(const std::uint8_t* pixels) {
  switch (bitmap_.bitsPerPixel()) {
    case 16: return MarkDifferingValues<2>(pixels, width_, valueMask_, transparent_, opaque_.data());
    case 24: return MarkDifferingValues<3>(pixels, width_, valueMask_, transparent_, opaque_.data());
    default: return MarkDifferingValues<4>(pixels, width_, valueMask_, transparent_, opaque_.data());
  }
}

void OpaqueRunScanner::markColour(int y) {
  for (int x = 0; x < width_; ++x)
    opaque_[x >> 6] |= std::uint64_t{bitmap_.pixelColour(x, y) != transparent_} << (x & 63);
}

// Walks the bits from one change between opaque and clear to the next.
void OpaqueRunScanner::collectRuns() {
  runs_.clear();
  // The last byte of a 1- or 4-bit row may hold pixels past the width.
  if (width_ % 64 != 0) opaque_.back() &= (std::uint64_t{1} << (width_ % 64)) - 1;
  bool inRun = false;
  int start = 0;
  for (std::size_t w = 0; w < opaque_.size(); ++w) {
    const std::uint64_t word = opaque_[w];
    const int base = static_cast<int>(w * 64);
    int from = 0;
    while (from < 64) {
      const std::uint64_t changes = (inRun ? ~word : word) & (~std::uint64_t{0} << from);
      if (changes == 0) break;
      from = std::countr_zero(changes);
      if (inRun)
        runs_.push_back({start, base + from});
      else
        start = base + from;
      inRun = !inRun;
    }
  }
  if (inRun) runs_.push_back({start, width_});
}

std::span<const Span> OpaqueRunScanner::row(int y) {
  std::fill(opaque_.begin(), opaque_.end(), 0);
  const std::uint8_t* pixels = bitmap_.row(y);
  switch (method_) {
    case Method::kOneIndex: markOneIndex(pixels); break;
    case Method::kIndexTable: markIndexTable(pixels); break;
    case Method::kMaskedValue: markMaskedValue(pixels); break;
    case Method::kColour: markColour(y); break;
  }
  collectRuns();
  return runs_;
}

}  // namespace mascot
