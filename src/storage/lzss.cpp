#include "storage/lzss.h"

#include <algorithm>
#include <array>
#include <memory>

#include "errors/error_codes.h"
#include "errors/system_error.h"

namespace mascot {
namespace {

constexpr int kRingSize = 4096;          // N
constexpr int kMaxMatch = 18;            // F
constexpr int kMinMatch = 3;             // THRESHOLD + 1
constexpr int kStartPosition = kRingSize - kMaxMatch;  // 4078
constexpr int kNil = kRingSize;          // no node
constexpr std::uint8_t kFill = 0x20;

std::uint32_t ReadLe32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
         static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

void WriteLe32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// Block bytes go out only while the block stays smaller than the input; a
// block that reaches the input's size will be thrown away anyway.
class BlockSink {
 public:
  explicit BlockSink(std::size_t limit) : bytes_(limit), size_(kLzssBlockHeaderSize) {}
  bool full() const { return size_ >= bytes_.size(); }
  void put(const std::uint8_t* data, int count) {
    std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(count), bytes_.size() - size_);
    std::copy_n(data, n, bytes_.begin() + static_cast<std::ptrdiff_t>(size_));
    size_ += n;
  }
  std::vector<std::uint8_t> finish(std::uint32_t uncompressedSize) {
    bytes_.resize(size_);
    WriteLe32(bytes_.data(), static_cast<std::uint32_t>(size_));
    WriteLe32(bytes_.data() + 4, uncompressedSize);
    return std::move(bytes_);
  }

 private:
  std::vector<std::uint8_t> bytes_;
  std::size_t size_;
};

// The ring buffer and the binary search trees over it, one tree per first
// byte. Nodes are ring positions; roots are kRingSize + 1 + byte.
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
      int i = 1;
      const std::uint8_t* other = &ring_[static_cast<std::size_t>(p)];
      for (; i < kMaxMatch; ++i)
        if ((cmp = key[i] - other[i]) != 0) break;
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
  std::array<std::uint8_t, kRingSize + kMaxMatch - 1> ring_;
  // Every link array is as long as the roots' range so no index can escape.
  std::array<int, kRingSize + 257> lson_{};
  std::array<int, kRingSize + 257> rson_{};
  std::array<int, kRingSize + 257> dad_{};
  int matchPosition_ = 0;
  int matchLength_ = 0;
};

// Groups of one flag byte (bits from the lowest up, 1 = literal) and up to
// eight items.
class GroupWriter {
 public:
  void literal(std::uint8_t byte) {
    group_[0] |= mask_;
    group_[used_++] = byte;
    mask_ = static_cast<std::uint8_t>(mask_ << 1);
  }
  void reference(int position, int length) {
    group_[used_++] = static_cast<std::uint8_t>(position);
    group_[used_++] = static_cast<std::uint8_t>(((position >> 4) & 0xF0) | (length - kMinMatch));
    mask_ = static_cast<std::uint8_t>(mask_ << 1);
  }
  bool groupComplete() const { return mask_ == 0; }
  bool hasItems() const { return used_ > 1; }
  void flush(BlockSink& sink) {
    sink.put(group_.data(), used_);
    group_[0] = 0;
    used_ = 1;
    mask_ = 1;
  }

 private:
  std::array<std::uint8_t, 17> group_{};
  int used_ = 1;
  std::uint8_t mask_ = 1;
};

CompressionResult StoredRaw(std::span<const std::uint8_t> input) {
  return {std::vector<std::uint8_t>(input.begin(), input.end()), false};
}

}  // namespace

CompressionResult CompressIfSmaller(std::span<const std::uint8_t> input) {
  if (input.size() <= kLzssBlockHeaderSize || input.size() > UINT32_MAX) return StoredRaw(input);
  auto tree = std::make_unique<LzssTree>();
  BlockSink sink(input.size());
  GroupWriter group;
  std::uint8_t* ring = tree->ring();

  std::size_t next = 0;
  int s = 0;
  int r = kStartPosition;
  int len = 0;
  for (; len < kMaxMatch && next < input.size(); ++len) ring[r + len] = input[next++];
  for (int i = 1; i <= kMaxMatch; ++i) tree->insert(r - i);
  tree->insert(r);

  do {
    tree->clipMatchLength(len);
    int matchLength = tree->matchLength();
    if (matchLength < kMinMatch) {
      matchLength = 1;
      group.literal(ring[r]);
    } else {
      group.reference(tree->matchPosition(), matchLength);
    }
    if (group.groupComplete()) {
      group.flush(sink);
      if (sink.full()) return StoredRaw(input);
    }
    int i = 0;
    for (; i < matchLength && next < input.size(); ++i) {
      tree->remove(s);
      tree->store(s, input[next++]);
      s = (s + 1) & (kRingSize - 1);
      r = (r + 1) & (kRingSize - 1);
      tree->insert(r);
    }
    for (; i < matchLength; ++i) {
      tree->remove(s);
      s = (s + 1) & (kRingSize - 1);
      r = (r + 1) & (kRingSize - 1);
      if (--len) tree->insert(r);
    }
  } while (len > 0);
  if (group.hasItems()) group.flush(sink);
  if (sink.full()) return StoredRaw(input);
  return {sink.finish(static_cast<std::uint32_t>(input.size())), true};
}

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
