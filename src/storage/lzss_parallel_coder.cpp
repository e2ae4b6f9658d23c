#include "storage/lzss_parallel_coder.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cmath>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <numeric>
#include <system_error>
#include <thread>
#include <vector>

#include "storage/large_bytes.h"
#include "storage/lzss_block.h"
#include "storage/lzss_tree.h"

// The coder advances one position at a time whatever it emits, and a tree
// is only ever touched by strings with its first byte. So the sequence of
// operations on one tree does not depend on the parse or on the other
// trees: a thread that replays every ring store but keeps only some trees
// finds, for each position it owns, the match the one-thread coder finds
// there. The match used at a parse point is the one found when its
// position was inserted.
namespace mascot::lzss {
namespace {

// The match found when a position's string entered its tree, in 16 bits:
// its ring position and length - kMinMatch, or, for a match too short to
// use, the ring position of the string itself, which no match can have.
using Match = std::uint16_t;

Match Found(const LzssTree& tree, int r) {
  if (tree.matchLength() < kMinMatch) return static_cast<Match>(r);
  return static_cast<Match>(tree.matchPosition() | (tree.matchLength() - kMinMatch) << 12);
}

using ByteSet = std::array<bool, 256>;

// One thread's replay of the coder's steps over the input.
class TreeReplay {
 public:
  // Stretches of other threads' strings up to this long are stepped
  // through; longer ones are skipped at once.
  static constexpr std::size_t kStepByStep = 32;

  TreeReplay(std::span<const std::uint8_t> input, const ByteSet& owned)
      : input_(input), owned_(owned), tree_(std::make_unique<LzssTree>()) {}

  // Steps through positions [begin, end) and records the match of every
  // position it owns at matches[t - begin].
  void run(std::size_t begin, std::size_t end, Match* matches) {
    std::size_t t = begin;
    if (t == 0 && t < end) {
      start();
      if (owned_[input_[0]]) matches[0] = Found(*tree_, r_);
      ++t;
    }
    // In locals: a ring store could alias the members.
    LzssTree& tree = *tree_;
    const std::uint8_t* input = input_.data();
    const std::size_t size = input_.size();
    int s = s_, r = r_;
    std::size_t next = next_;
    auto step = [&] {
      tree.remove(s);
      if (next < size) tree.store(s, input[next++]);
      s = (s + 1) & (kRingSize - 1);
    };
    while (t < end) {
      if (owned_[input[t]]) {
        step();
        r = (r + 1) & (kRingSize - 1);
        tree.insert(r);
        matches[t - begin] = Found(tree, r);
        ++t;
        continue;
      }
      // Other threads' strings, up to the next of this thread's.
      std::size_t others = t + 1;
      while (others < end && !owned_[input[others]]) ++others;
      const std::size_t steps = others - t;
      if (steps > kStepByStep) {
        skip(s, next, steps);
      } else {
        for (std::size_t i = 0; i < steps; ++i) step();
      }
      r = (r + static_cast<int>(steps & (kRingSize - 1))) & (kRingSize - 1);
      t = others;
    }
    s_ = s;
    r_ = r;
    next_ = next;
  }

 private:
  // The first lookahead goes straight into the ring, then the strings of
  // the fill before it enter their tree.
  void start() {
    std::uint8_t* ring = tree_->ring();
    for (int len = 0; len < kMaxMatch && next_ < input_.size(); ++len) ring[r_ + len] = input_[next_++];
    if (owned_[kFill])
      for (int i = 1; i <= kMaxMatch; ++i) tree_->insert(r_ - i);
    if (owned_[input_[0]]) tree_->insert(r_);
  }

  // A long stretch of other threads' strings. A removal only relinks this
  // thread's trees and a store only changes the ring, so all the removals
  // may go first and the stores in one copy. After one round of the ring
  // every string of this thread's trees is out.
  void skip(int& s, std::size_t& next, std::size_t steps) {
    const int removals = static_cast<int>(std::min<std::size_t>(steps, kRingSize));
    for (int i = 0; i < removals; ++i) tree_->remove((s + i) & (kRingSize - 1));
    const std::size_t stores = std::min(steps, input_.size() - next);
    tree_->store(s, input_.data() + next, stores);
    next += stores;
    s = (s + static_cast<int>(steps & (kRingSize - 1))) & (kRingSize - 1);
  }

  std::span<const std::uint8_t> input_;
  ByteSet owned_;
  std::unique_ptr<LzssTree> tree_;
  std::size_t next_ = 0;
  int s_ = 0;
  int r_ = kStartPosition;
};

// The parse, carried from segment to segment: a reference may reach past
// the segment it starts in.
class Parse {
 public:
  explicit Parse(std::span<const std::uint8_t> input) : input_(input), block_(input) {}

  // Takes the match at each parse point in [begin, end) from the thread
  // that owns its first byte; false once the block is full.
  bool through(std::size_t begin, std::size_t end, const std::array<const Match*, 256>& matchesByByte) {
    while (at_ < end) {
      const std::uint8_t byte = input_[at_];
      const Match match = matchesByByte[byte][at_ - begin];
      const int position = match & (kRingSize - 1);
      const auto self = static_cast<int>((kStartPosition + at_) & (kRingSize - 1));
      // Clipped to the bytes left, as the one-thread coder does.
      const std::size_t length =
          position == self ? 1 : std::min<std::size_t>((match >> 12) + kMinMatch, input_.size() - at_);
      bool room;
      if (length < kMinMatch) {
        room = block_.literal(byte);
        at_ += 1;
      } else {
        room = block_.reference(position, static_cast<int>(length));
        at_ += length;
      }
      if (!room) return false;
    }
    return true;
  }

  CompressionResult finish() { return block_.finish(); }

 private:
  std::span<const std::uint8_t> input_;
  BlockWriter block_;
  std::size_t at_ = 0;
};

// The strings with each first byte in a sample of the input, and those of
// them that are not inside a long run of that byte: all strings inside
// runs are one and the same.
struct FirstByteCounts {
  std::array<std::uint64_t, 256> strings{};
  std::array<std::uint64_t, 256> distinct{};
  std::size_t sampled = 0;
};

// Long inputs are sampled in windows spread evenly over them, about
// kSampleSize positions in all: the estimate only has to share the work
// fairly.
constexpr std::size_t kSampleWindow = 4096;
constexpr std::size_t kSampleSize = 256 << 10;

void CountWindow(std::span<const std::uint8_t> window, FirstByteCounts& counts) {
  for (std::size_t i = 0; i < window.size();) {
    std::size_t end = i + 1;
    while (end < window.size() && window[end] == window[i]) ++end;
    const std::size_t run = end - i;
    counts.strings[window[i]] += run;
    counts.distinct[window[i]] += std::min<std::size_t>(run, kMaxMatch - 1);
    i = end;
  }
  counts.sampled += window.size();
}

// Every string is inserted once and removed once, and an insert walks down
// its tree, as deep as the logarithm of the distinct strings the ring holds
// with that first byte. The rest of a string's work costs about as much as
// this many levels (measured on pixel art and on noise).
constexpr double kLevelsPerString = 12;

std::array<double, 256> EstimatedCosts(std::span<const std::uint8_t> input) {
  FirstByteCounts counts;
  const std::size_t stride = kSampleWindow * std::max<std::size_t>(1, input.size() / kSampleSize);
  for (std::size_t from = 0; from < input.size(); from += stride)
    CountWindow(input.subspan(from, std::min(kSampleWindow, input.size() - from)), counts);
  std::array<double, 256> costs{};
  for (std::size_t byte = 0; byte < 256; ++byte) {
    const double inRing = static_cast<double>(counts.distinct[byte]) * kRingSize / static_cast<double>(counts.sampled);
    costs[byte] = static_cast<double>(counts.strings[byte]) * (kLevelsPerString + std::log2(2 + inRing));
  }
  return costs;
}

// Costliest first bytes first, each to the least loaded thread; a thread
// left without work is not started.
std::vector<ByteSet> ShareFirstBytes(std::span<const std::uint8_t> input, unsigned threads) {
  const auto costs = EstimatedCosts(input);
  std::array<int, 256> order;
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return costs[a] > costs[b]; });
  std::vector<ByteSet> owned(threads, ByteSet{});
  std::vector<double> loads(threads, 0);
  for (int byte : order) {
    const auto lightest = static_cast<std::size_t>(std::min_element(loads.begin(), loads.end()) - loads.begin());
    owned[lightest][static_cast<std::size_t>(byte)] = true;
    loads[lightest] += costs[static_cast<std::size_t>(byte)];
  }
  for (std::size_t k = owned.size(); k-- > 1;) {
    if (loads[k] != 0) continue;
    for (int byte = 0; byte < 256; ++byte) owned[0][byte] = owned[0][byte] || owned[k][byte];
    owned.erase(owned.begin() + static_cast<std::ptrdiff_t>(k));
  }
  return owned;
}

// Threads run ahead of the parse by up to kSlots segments, each writing
// its own matches (threads writing side by side would share cache lines).
// A thread that is ahead parses the segments every thread has finished: one
// that finishes a segment others are still on, or one that would wait for
// a slot. The thread that completes the last segment parses what is left.
class ParallelCoder {
 public:
  static constexpr std::size_t kSlots = 8;

  ParallelCoder(std::span<const std::uint8_t> input, std::vector<ByteSet> owned, std::size_t segmentPositions)
      : input_(input),
        owned_(std::move(owned)),
        segment_(std::clamp<std::size_t>(segmentPositions, 1, input.size())),
        segments_((input.size() + segment_ - 1) / segment_),
        matches_(owned_.size() * kSlots * segment_),
        parse_(input),
        threads_(owned_.size()) {
    for (std::size_t k = 0; k < owned_.size(); ++k)
      for (std::size_t byte = 0; byte < 256; ++byte)
        if (owned_[k][byte]) owner_[byte] = static_cast<std::uint8_t>(k);
  }

  CompressionResult run() {
    std::vector<std::jthread> helpers;
    helpers.reserve(owned_.size() - 1);
    for (std::size_t k = 1; k < owned_.size(); ++k) {
      try {
        helpers.emplace_back([this, k] { work(k); });
      } catch (const std::system_error&) {
        // The trees of threads that could not be started stay with this one.
        for (std::size_t byte = 0; byte < 256; ++byte) {
          if (owner_[byte] < k) continue;
          owner_[byte] = 0;
          owned_[0][byte] = true;
        }
        std::lock_guard lock(mutex_);
        threads_ = k;
        break;
      }
    }
    work(0);
    {
      std::unique_lock lock(mutex_);
      changed_.wait(lock, [this] { return stopped_ || parsed_ == segments_; });
    }
    helpers.clear();
    return parse_.finish();
  }

 private:
  Match* matches(std::size_t thread, std::size_t segment) {
    return matches_.data() + (thread * kSlots + segment % kSlots) * segment_;
  }

  void work(std::size_t thread) {
    TreeReplay replay(input_, owned_[thread]);
    for (std::size_t i = 0; i < segments_ && waitForSlot(i); ++i) {
      const std::size_t begin = i * segment_;
      replay.run(begin, std::min(begin + segment_, input_.size()), matches(thread, i));
      finish(i);
    }
  }

  // False once the block is full and nothing more is needed.
  bool waitForSlot(std::size_t segment) {
    std::unique_lock lock(mutex_);
    while (!stopped_ && segment >= parsed_ + kSlots) {
      if (!parsing_ && parsed_ < complete_)
        parseFinished(lock);
      else
        changed_.wait(lock);
    }
    return !stopped_;
  }

  void finish(std::size_t segment) {
    std::unique_lock lock(mutex_);
    if (++finishedBy_[segment % kSlots] == threads_) {
      finishedBy_[segment % kSlots] = 0;
      complete_ = segment + 1;
      changed_.notify_all();
      if (complete_ < segments_) return;
    }
    parseFinished(lock);
  }

  void parseFinished(std::unique_lock<std::mutex>& lock) {
    if (parsing_) return;
    parsing_ = true;
    while (parsed_ < complete_ && !stopped_) {
      const std::size_t next = parsed_;
      lock.unlock();
      const bool room = parseSegment(next);
      lock.lock();
      parsed_ = next + 1;
      stopped_ = !room;
      changed_.notify_all();
    }
    parsing_ = false;
  }

  bool parseSegment(std::size_t segment) {
    std::array<const Match*, 256> matchesByByte;
    for (std::size_t byte = 0; byte < 256; ++byte) matchesByByte[byte] = matches(owner_[byte], segment);
    const std::size_t begin = segment * segment_;
    return parse_.through(begin, std::min(begin + segment_, input_.size()), matchesByByte);
  }

  std::span<const std::uint8_t> input_;
  std::vector<ByteSet> owned_;
  std::array<std::uint8_t, 256> owner_{};
  const std::size_t segment_;
  const std::size_t segments_;
  std::vector<Match, LargeAllocator<Match>> matches_;  // per thread, kSlots segments
  Parse parse_;

  std::mutex mutex_;
  std::condition_variable changed_;
  std::size_t threads_;
  std::array<std::size_t, kSlots> finishedBy_{};
  std::size_t complete_ = 0;  // segments every thread has finished
  std::size_t parsed_ = 0;
  bool parsing_ = false;
  bool stopped_ = false;
};

}  // namespace

CompressionResult CompressOnThreads(std::span<const std::uint8_t> input, unsigned threads,
                                    std::size_t segmentPositions) {
  if (input.size() <= kLzssBlockHeaderSize || input.size() > UINT32_MAX) return StoredRaw(input);
  ParallelCoder coder(input, ShareFirstBytes(input, std::clamp(threads, 1u, kMaxThreads)), segmentPositions);
  return coder.run();
}

}  // namespace mascot::lzss
