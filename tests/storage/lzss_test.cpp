#include "storage/lzss.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "errors/error_codes.h"
#include "errors/system_error.h"
#include "storage/lzss_parallel_coder.h"

namespace mascot {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes FromText(const std::string& text) { return Bytes(text.begin(), text.end()); }

Bytes Block(std::uint32_t uncompressedSize, const Bytes& stream) {
  const auto blockSize = static_cast<std::uint32_t>(stream.size() + 8);
  Bytes block;
  for (std::uint32_t v : {blockSize, uncompressedSize})
    for (int i = 0; i < 4; ++i) block.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  block.insert(block.end(), stream.begin(), stream.end());
  return block;
}

// Worked out by hand: ring of spaces, write position 4078 (0xFEE), so a
// repeat of the first input bytes is a reference to 0xFEE; strings of
// spaces match the run at 4060 (0xFDC) that stays in the tree.
TEST(LzssTest, KnownBlocks) {
  struct Case {
    std::string input;
    Bytes stream;
  };
  const Case cases[] = {
      {std::string(13, 'a'), {0x01, 'a', 0xEE, 0xF9}},
      {"abcabcabcabcabcabcabc", {0x07, 'a', 'b', 'c', 0xEE, 0xFF}},
      {"abcabcabcabcabcabcabcabcabc", {0x07, 'a', 'b', 'c', 0xEE, 0xFF, 0xF7, 0xF3}},
      {std::string(20, ' '), {0x06, 0xDC, 0xFF, ' ', ' '}},
  };
  for (const auto& c : cases) {
    const Bytes input = FromText(c.input);
    auto result = CompressIfSmaller(input);
    EXPECT_TRUE(result.compressed) << c.input;
    EXPECT_EQ(result.bytes, Block(static_cast<std::uint32_t>(input.size()), c.stream)) << c.input;
    auto back = DecompressBlock(result.bytes);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(*back, input);
  }
}

TEST(LzssTest, BlocksNotSmallerThanTheInputAreStoredRaw) {
  // Twelve 'a' make a 12-byte block (header, flags, literal, reference):
  // exactly the input's size, which is not smaller.
  for (const std::string& text : {std::string(12, 'a'), std::string(10, 'a'), std::string(), std::string("x")}) {
    const Bytes input = FromText(text);
    auto result = CompressIfSmaller(input);
    EXPECT_FALSE(result.compressed) << text.size();
    EXPECT_EQ(result.bytes, input);
  }
}

TEST(LzssTest, RoundTripsRandomAndStructuredData) {
  std::mt19937 random(11);
  for (std::size_t size : {9u, 17u, 18u, 19u, 100u, 4095u, 4096u, 4097u, 4114u, 12345u, 70000u}) {
    for (int kind = 0; kind < 4; ++kind) {
      Bytes input(size);
      for (std::size_t i = 0; i < size; ++i) {
        switch (kind) {
          case 0: input[i] = static_cast<std::uint8_t>(random()); break;
          case 1: input[i] = static_cast<std::uint8_t>(" ab"[random() % 3]); break;
          case 2: input[i] = static_cast<std::uint8_t>((i / 37) % 5); break;  // runs, like flat pixels
          default: input[i] = static_cast<std::uint8_t>(i % 4093 < 20 ? ' ' : (i * 7) % 251); break;
        }
      }
      auto result = CompressIfSmaller(input);
      if (!result.compressed) {
        EXPECT_EQ(result.bytes, input);
        continue;
      }
      EXPECT_LT(result.bytes.size(), input.size());
      auto back = DecompressBlock(result.bytes);
      ASSERT_TRUE(back.has_value()) << size << " kind " << kind;
      EXPECT_EQ(*back, input) << size << " kind " << kind;
    }
  }
}

// Pixel art the way mascots have it: rows of a flat background and bands,
// a dithered figure that moves from row to row, and scattered sparkles.
Bytes PixelArt(std::size_t size, std::mt19937& random) {
  Bytes pixels(size);
  for (std::size_t i = 0; i < size; ++i) {
    const int x = static_cast<int>(i % 320), y = static_cast<int>(i / 320 % 200);
    const int dx = x - 100 - y % 7, dy = y - 90;
    std::uint8_t c = y > 150 ? static_cast<std::uint8_t>(20 + y / 8) : 0;
    if (dx * dx / 4 + dy * dy < 2500) c = ((x + y) & 1) && dx > 10 ? 41 : 40;
    if (random() % 97 == 0) c = static_cast<std::uint8_t>(200 + random() % 16);
    pixels[i] = c;
  }
  return pixels;
}

// However the first bytes are shared among threads and the input is cut
// into segments, the block is the one-thread coder's, byte for byte.
TEST(LzssTest, ThreadsMakeTheOneThreadBlock) {
  std::mt19937 random(7);
  auto filled = [&](std::size_t size, auto byteAt) {
    Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(byteAt(i));
    return bytes;
  };
  struct Case {
    std::string name;
    Bytes input;
    std::size_t segment;
  };
  const std::vector<Case> cases = {
      {"trees emptied by long stretches of other bytes",
       filled(30000, [&](std::size_t i) { return i % 13000 < 3000 ? 'a' + random() % 16 : random() % 2 * 0xFF; }),
       8192},
      {"noise, stored raw early", filled(40000, [&](std::size_t) { return random(); }), 4096},
      {"pixel art", PixelArt(70000, random), 10007},
      {"pixel art past a whole segment", PixelArt(lzss::kSegmentPositions + 1000, random), lzss::kSegmentPositions},
      {"one long run", Bytes(30000, 0), 1000},
      {"runs of a few bytes", filled(20000, [](std::size_t i) { return (i / 37) % 5; }), 333},
      {"three letters", filled(20000, [&](std::size_t) { return " ab"[random() % 3]; }), 4096},
      {"fill bytes at the ring's end", filled(9000, [](std::size_t i) { return i % 4093 < 20 ? ' ' : i * 7 % 251; }),
       4100},
      {"a segment per position", filled(3000, [&](std::size_t i) { return i % 50 < 30 ? 0 : random() % 4; }), 1},
      {"shorter than the lookahead", FromText("abcabcabcab"), 4},
      {"twelve bytes, stored raw", Bytes(12, 'a'), 5},
      {"stale lookahead at the end", filled(4200, [&](std::size_t i) { return i < 4180 ? random() % 3 : 'z'; }), 17},
  };
  for (const Case& c : cases) {
    const CompressionResult expected = CompressIfSmaller(c.input, 1);
    for (unsigned threads : {1u, 2u, 3u, 8u}) {
      const CompressionResult result = lzss::CompressOnThreads(c.input, threads, c.segment);
      EXPECT_EQ(result.compressed, expected.compressed) << c.name << ", " << threads << " threads";
      EXPECT_TRUE(result.bytes == expected.bytes) << c.name << ", " << threads << " threads";
    }
  }
}

TEST(LzssTest, StreamEndingEarlyLeavesTheRestZero) {
  Bytes stream = {0x07, 'a', 'b', 'c', 0xEE, 0xFF};
  // Two stream bytes could never make 21 bytes: refused before decoding.
  EXPECT_FALSE(DecompressBlock(Block(21, {0x07, 'a'})).has_value());
  for (std::size_t cut = 3; cut <= stream.size(); ++cut) {
    Bytes part(stream.begin(), stream.begin() + static_cast<std::ptrdiff_t>(cut));
    auto out = DecompressBlock(Block(21, part));
    ASSERT_TRUE(out.has_value()) << cut;
    ASSERT_EQ(out->size(), 21u);
    // A lone first byte of a reference is dropped.
    const std::size_t produced = cut <= 4 ? cut - 1 : (cut == 5 ? 3 : 21);
    for (std::size_t i = 0; i < produced; ++i) EXPECT_EQ((*out)[i], "abc"[i % 3]) << cut << " at " << i;
    for (std::size_t i = produced; i < 21; ++i) EXPECT_EQ((*out)[i], 0) << cut << " at " << i;
  }
}

TEST(LzssTest, RefusesBlocksThatCannotBeRight) {
  auto refused = [](const Bytes& block) {
    SetLastSystemError(0);
    bool failed = !DecompressBlock(block).has_value();
    return failed && LastSystemError() == kErrUnexpectedEnd;
  };
  // More output than the header promises: stops instead of writing past it.
  EXPECT_TRUE(refused(Block(20, {0x07, 'a', 'b', 'c', 0xEE, 0xFF})));
  EXPECT_TRUE(refused(Block(2, {0xFF, 'a', 'b', 'c'})));
  // A header that disagrees with the block's size, or is cut short.
  Bytes good = Block(3, {0x07, 'a', 'b', 'c'});
  Bytes longer = good;
  longer.push_back(0);
  EXPECT_TRUE(refused(longer));
  EXPECT_TRUE(refused(Bytes(good.begin(), good.end() - 1)));
  EXPECT_TRUE(refused(Bytes(good.begin(), good.begin() + 7)));
  // A size the stream could never reach is refused before allocating.
  EXPECT_TRUE(refused(Block(0xFFFFFFFF, {0x00, 0xEE, 0xFF})));

  // The bound itself is reachable: groups of eight full-length references.
  Bytes stream;
  for (int group = 0; group < 3; ++group) {
    stream.push_back(0x00);
    for (int i = 0; i < 8; ++i) stream.insert(stream.end(), {0x00, 0x0F});
  }
  ASSERT_EQ(MaxLzssOutput(stream.size()), 3u * 144u);
  auto out = DecompressBlock(Block(3 * 144, stream));
  ASSERT_TRUE(out.has_value());
  EXPECT_EQ(*out, Bytes(3 * 144, ' '));
  EXPECT_TRUE(refused(Block(3 * 144 + 1, stream)));
}

}  // namespace
}  // namespace mascot
