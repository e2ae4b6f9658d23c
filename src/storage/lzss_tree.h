// The coder's ring buffer and the binary search trees over it.
#pragma once
#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "storage/lzss_block.h"

namespace mascot::lzss {

inline constexpr int kNil = kRingSize;  // no node

// One tree per first byte. Nodes are ring positions; roots are
// kRingSize + 1 + byte. Every operation touches only the tree of its node's
// first byte, so a tree's history depends on nothing but the ring's
// contents and the operations on that one tree.
class LzssTree {
 public:
  LzssTree() {
    // The bytes past the ring's end start as zero and become the mirror of
    // positions 0..16 only as input arrives; the comparisons see them.
    ring_.fill(0);
    std::fill_n(ring_.begin(), kStartPosition, kFill);
    std::fill(rson_.begin() + kRingSize + 1, rson_.end(), kNil);
    std::fill_n(dad_.begin(), kRingSize, kNil);
  }

  std::uint8_t* ring() { return ring_.data(); }
  int matchPosition() const { return matchPosition_; }
  int matchLength() const { return matchLength_; }
  void clipMatchLength(int length) { matchLength_ = std::min(matchLength_, length); }

  void store(int position, std::uint8_t byte) {
    ring_[static_cast<std::size_t>(position)] = byte;
    if (position < kMaxMatch - 1) ring_[static_cast<std::size_t>(position + kRingSize)] = byte;
  }

  // The same as count calls of store() from position on, around the ring.
  void store(int position, const std::uint8_t* bytes, std::size_t count) {
    if (count > kRingSize) {  // only the last round of the ring survives
      const std::size_t skipped = count - kRingSize;
      position = static_cast<int>((static_cast<std::size_t>(position) + skipped) & (kRingSize - 1));
      bytes += skipped;
      count = kRingSize;
    }
    while (count > 0) {
      const auto at = static_cast<std::size_t>(position);
      const std::size_t part = std::min<std::size_t>(count, kRingSize - at);
      std::copy_n(bytes, part, ring_.begin() + static_cast<std::ptrdiff_t>(at));
      if (at < kMaxMatch - 1)
        std::copy_n(bytes, std::min<std::size_t>(part, kMaxMatch - 1 - at),
                    ring_.begin() + static_cast<std::ptrdiff_t>(at + kRingSize));
      position = static_cast<int>((at + part) & (kRingSize - 1));
      bytes += part;
      count -= part;
    }
  }

  // Inserts the string at r and finds the longest match on the way down; a
  // node replaces the best only when strictly longer, and a full-length
  // match takes the old node's place.
  void insert(int r) {
    const std::uint8_t* key = &ring_[static_cast<std::size_t>(r)];
    int cmp = 1;
    int p = kRingSize + 1 + key[0];
    rson_[r] = lson_[r] = kNil;
    matchLength_ = 0;
    for (;;) {
      if (cmp >= 0) {
        if (rson_[p] != kNil) {
          p = rson_[p];
        } else {
          rson_[p] = r;
          dad_[r] = p;
          return;
        }
      } else {
        if (lson_[p] != kNil) {
          p = lson_[p];
        } else {
          lson_[p] = r;
          dad_[r] = p;
          return;
        }
      }
      const std::uint8_t* other = &ring_[static_cast<std::size_t>(p)];
      const int i = FirstDifference(key, other);
      cmp = i < kMaxMatch ? key[i] - other[i] : 0;
      if (i > matchLength_) {
        matchPosition_ = p;
        if ((matchLength_ = i) >= kMaxMatch) break;
      }
    }
    dad_[r] = dad_[p];
    lson_[r] = lson_[p];
    rson_[r] = rson_[p];
    dad_[lson_[p]] = r;
    dad_[rson_[p]] = r;
    if (rson_[dad_[p]] == p)
      rson_[dad_[p]] = r;
    else
      lson_[dad_[p]] = r;
    dad_[p] = kNil;
  }

  // A position that is in no tree is left alone.
  void remove(int p) {
    if (dad_[p] == kNil) return;
    int q;
    if (rson_[p] == kNil) {
      q = lson_[p];
    } else if (lson_[p] == kNil) {
      q = rson_[p];
    } else {
      q = lson_[p];
      if (rson_[q] != kNil) {
        do q = rson_[q];
        while (rson_[q] != kNil);
        rson_[dad_[q]] = lson_[q];
        dad_[lson_[q]] = dad_[q];
        lson_[q] = lson_[p];
        dad_[lson_[p]] = q;
      }
      rson_[q] = rson_[p];
      dad_[rson_[p]] = q;
    }
    dad_[q] = dad_[p];
    if (rson_[dad_[p]] == p)
      rson_[dad_[p]] = q;
    else
      lson_[dad_[p]] = q;
    dad_[p] = kNil;
  }

 private:
  // The first of bytes 1..17 where two strings differ, or kMaxMatch; eight
  // bytes at a time, as most strings in pictures agree far.
  static int FirstDifference(const std::uint8_t* a, const std::uint8_t* b) {
    for (int i = 1; i < kMaxMatch - 1; i += 8) {
      std::uint64_t x, y;
      std::memcpy(&x, a + i, sizeof x);
      std::memcpy(&y, b + i, sizeof y);
      if (x == y) continue;
      const std::uint64_t bits = x ^ y;
      if constexpr (std::endian::native == std::endian::little)
        return i + std::countr_zero(bits) / 8;
      else
        return i + std::countl_zero(bits) / 8;
    }
    return a[kMaxMatch - 1] != b[kMaxMatch - 1] ? kMaxMatch - 1 : kMaxMatch;
  }

  std::array<std::uint8_t, kRingSize + kMaxMatch - 1> ring_;
  // Every link array is as long as the roots' range so no index can escape.
  std::array<int, kRingSize + 257> lson_{};
  std::array<int, kRingSize + 257> rson_{};
  std::array<int, kRingSize + 257> dad_{};
  int matchPosition_ = 0;
  int matchLength_ = 0;
};

}  // namespace mascot::lzss
