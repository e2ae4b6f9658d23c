#include "storage/lzss.h"

#include <algorithm>
#include <array>

#include "errors/error_codes.h"
#include "errors/system_error.h"
#include "storage/lzss_block.h"

namespace mascot {
namespace {

std::uint32_t ReadLe32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

void WriteLe32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

}  // namespace

namespace lzss {

CompressionResult StoredRaw(std::span<const std::uint8_t> input) {
  return {std::vector<std::uint8_t>(input.begin(), input.end()), false};
}

// Room for a block as large as the input is reserved, not filled: most
// blocks are much smaller.
BlockWriter::BlockWriter(std::span<const std::uint8_t> input) : input_(input) {
  bytes_.reserve(input.size());
  bytes_.resize(kLzssBlockHeaderSize);
}

bool BlockWriter::flush() {
  const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(used_), input_.size() - bytes_.size());
  bytes_.insert(bytes_.end(), group_.begin(), group_.begin() + static_cast<std::ptrdiff_t>(n));
  group_[0] = 0;
  used_ = 1;
  mask_ = 1;
  return !full();
}

CompressionResult BlockWriter::finish() {
  if (used_ > 1) flush();
  if (full()) return StoredRaw(input_);
  WriteLe32(bytes_.data(), static_cast<std::uint32_t>(bytes_.size()));
  WriteLe32(bytes_.data() + 4, static_cast<std::uint32_t>(input_.size()));
  return {std::move(bytes_), true};
}

}  // namespace lzss

using lzss::kFill;
using lzss::kMinMatch;
using lzss::kRingSize;
using lzss::kStartPosition;

std::uint64_t MaxLzssOutput(std::uint64_t streamSize) {
  return (streamSize * 144 + 16) / 17;
}

std::optional<std::uint32_t> BlockUncompressedSize(std::span<const std::uint8_t> block) {
  if (block.size() < kLzssBlockHeaderSize) return std::nullopt;
  return ReadLe32(block.data() + 4);
}

std::optional<std::vector<std::uint8_t>> DecompressBlock(std::span<const std::uint8_t> block) {
  auto corrupt = [] {
    SetLastSystemError(kErrUnexpectedEnd);
    return std::nullopt;
  };
  if (block.size() < kLzssBlockHeaderSize) return corrupt();
  const std::uint32_t blockSize = ReadLe32(block.data());
  const std::uint32_t uncompressedSize = ReadLe32(block.data() + 4);
  if (blockSize != block.size()) return corrupt();
  const std::uint8_t* in = block.data() + kLzssBlockHeaderSize;
  const std::uint8_t* end = block.data() + block.size();
  if (uncompressedSize > MaxLzssOutput(static_cast<std::uint64_t>(end - in))) return corrupt();

  std::vector<std::uint8_t> out(uncompressedSize);
  std::array<std::uint8_t, kRingSize> ring{};
  std::fill_n(ring.begin(), kStartPosition, kFill);
  std::size_t written = 0;
  int r = kStartPosition;
  unsigned flags = 0;
  for (;;) {
    if (((flags >>= 1) & 0x100) == 0) {
      if (in == end) break;
      flags = *in++ | 0xFF00u;
    }
    if (flags & 1) {
      if (in == end) break;
      if (written == out.size()) return corrupt();
      std::uint8_t c = *in++;
      out[written++] = c;
      ring[static_cast<std::size_t>(r)] = c;
      r = (r + 1) & (kRingSize - 1);
    } else {
      if (end - in < 2) break;
      int position = in[0] | ((in[1] & 0xF0) << 4);
      int length = (in[1] & 0x0F) + kMinMatch;
      in += 2;
      if (out.size() - written < static_cast<std::size_t>(length)) return corrupt();
      for (int k = 0; k < length; ++k) {
        std::uint8_t c = ring[static_cast<std::size_t>((position + k) & (kRingSize - 1))];
        out[written++] = c;
        ring[static_cast<std::size_t>(r)] = c;
        r = (r + 1) & (kRingSize - 1);
      }
    }
  }
  return out;
}

}  // namespace mascot
