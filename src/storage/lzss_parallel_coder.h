// The coder spread over threads: each thread keeps the trees of some first
// bytes and finds the matches of their strings, and the matches become the
// block in input order.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

#include "storage/lzss.h"

namespace mascot::lzss {

// Below this size starting threads costs more than it saves (pixel art
// gains from 16 KiB on, noise hardly at all).
inline constexpr std::size_t kParallelMinInput = 32 << 10;
// Each thread keeps the matches of a few segments of this many positions.
inline constexpr std::size_t kSegmentPositions = 128 << 10;
// More threads than this find too few first bytes to share.
inline constexpr unsigned kMaxThreads = 8;

// The block CompressIfSmaller makes on one thread, on up to `threads`
// threads (at least one, at most kMaxThreads) for any input size.
CompressionResult CompressOnThreads(std::span<const std::uint8_t> input, unsigned threads,
                                    std::size_t segmentPositions = kSegmentPositions);

}  // namespace mascot::lzss
