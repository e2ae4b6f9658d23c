#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace mascot {

// A compressed block: blockSize (u32, including this header) and
// uncompressedSize (u32), both little-endian, followed by the LZSS stream.
inline constexpr std::uint32_t kLzssBlockHeaderSize = 8;

struct CompressionResult {
  std::vector<std::uint8_t> bytes;  // the block, or a copy of the input when not compressed
  bool compressed = false;
};

// Compresses the input into a block and keeps it only when the block is
// smaller than the input; otherwise returns the input itself with
// compressed = false. The output is byte for byte that of the classic
// binary-tree LZSS coder, so published files are reproducible. Large inputs
// are coded on up to `threads` threads (0: one per core) with the same
// output for any number; the coder's state lives in the call, so calls may
// run on any thread.
CompressionResult CompressIfSmaller(std::span<const std::uint8_t> input, unsigned threads = 0);

// What a threads argument of 0 stands for: one thread per core, or the
// number set here (0 goes back to one per core). Benchmarks and tests that
// compare one thread with all set it around a whole operation, such as
// publishing a mascot.
void SetDefaultCompressionThreads(unsigned threads);

// The largest output a stream of streamSize bytes can produce: a flag byte
// and eight 18-byte references (17 stream bytes) give 144 output bytes.
std::uint64_t MaxLzssOutput(std::uint64_t streamSize);

// The uncompressedSize a block announces; nullopt when it has no header.
std::optional<std::uint32_t> BlockUncompressedSize(std::span<const std::uint8_t> block);

// Decodes a block into exactly uncompressedSize bytes (a stream that ends
// early leaves the rest zero). Refuses, with the last system error set to
// kErrUnexpectedEnd, a block whose header disagrees with its size, whose
// uncompressedSize its stream could never produce, or whose stream would
// write past uncompressedSize.
std::optional<std::vector<std::uint8_t>> DecompressBlock(std::span<const std::uint8_t> block);

}  // namespace mascot
