// The LZSS stream's constants and the writer of a compressed block, shared
// by the decoder and the coders.
#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "storage/lzss.h"

namespace mascot::lzss {

inline constexpr int kRingSize = 4096;                        // N
inline constexpr int kMaxMatch = 18;                          // F
inline constexpr int kMinMatch = 3;                           // THRESHOLD + 1
inline constexpr int kStartPosition = kRingSize - kMaxMatch;  // 4078
inline constexpr std::uint8_t kFill = 0x20;

CompressionResult StoredRaw(std::span<const std::uint8_t> input);

// Collects the parse as groups of one flag byte (bits from the lowest up,
// 1 = literal) and up to eight items. Block bytes go out only while the
// block stays smaller than the input: one that reaches the input's size is
// stored raw instead, so the coder may stop as soon as it is full.
class BlockWriter {
 public:
  explicit BlockWriter(std::span<const std::uint8_t> input);

  // Both return false once the block is full.
  bool literal(std::uint8_t byte) {
    group_[0] |= mask_;
    group_[used_++] = byte;
    return next();
  }
  bool reference(int position, int length) {
    group_[used_++] = static_cast<std::uint8_t>(position);
    group_[used_++] = static_cast<std::uint8_t>(((position >> 4) & 0xF0) | (length - kMinMatch));
    return next();
  }

  // The block, or the input stored raw when the block is not smaller.
  CompressionResult finish();

 private:
  bool next() {
    mask_ = static_cast<std::uint8_t>(mask_ << 1);
    return mask_ != 0 || flush();
  }
  bool flush();
  bool full() const { return bytes_.size() >= input_.size(); }

  std::span<const std::uint8_t> input_;
  std::vector<std::uint8_t> bytes_;
  std::array<std::uint8_t, 17> group_{};
  int used_ = 1;
  std::uint8_t mask_ = 1;
};

}  // namespace mascot::lzss
