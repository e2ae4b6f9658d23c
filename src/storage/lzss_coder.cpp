// The one-thread coder, and the choice between it and the parallel one.
#include <atomic>
#include <climits>
#include <memory>
#include <thread>

#include "storage/lzss.h"
#include "storage/lzss_block.h"
#include "storage/lzss_parallel_coder.h"
#include "storage/lzss_tree.h"

namespace mascot {
namespace {

using namespace lzss;

std::atomic<unsigned> gDefaultThreads{0};

CompressionResult CompressOnOneThread(std::span<const std::uint8_t> input) {
  auto tree = std::make_unique<LzssTree>();
  BlockWriter block(input);
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
    bool room;
    if (matchLength < kMinMatch) {
      matchLength = 1;
      room = block.literal(ring[r]);
    } else {
      room = block.reference(tree->matchPosition(), matchLength);
    }
    if (!room) return StoredRaw(input);
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
  return block.finish();
}

}  // namespace

CompressionResult CompressIfSmaller(std::span<const std::uint8_t> input, unsigned threads) {
  if (input.size() <= kLzssBlockHeaderSize || input.size() > UINT32_MAX) return StoredRaw(input);
  if (threads == 0) threads = gDefaultThreads.load(std::memory_order_relaxed);
  if (threads == 0) threads = std::thread::hardware_concurrency();
  if (threads <= 1 || input.size() < kParallelMinInput) return CompressOnOneThread(input);
  return CompressOnThreads(input, threads);
}

void SetDefaultCompressionThreads(unsigned threads) { gDefaultThreads.store(threads, std::memory_order_relaxed); }

}  // namespace mascot
