// Decodes arbitrary blocks, checks that every input survives a compression
// round trip, and that the coder spread over threads makes the same block
// as the one-thread coder.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "storage/lzss.h"
#include "storage/lzss_parallel_coder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::span<const std::uint8_t> input(data, size);
  if (auto decoded = mascot::DecompressBlock(input)) {
    if (size < 8 || decoded->size() != (data[4] | data[5] << 8 | data[6] << 16 |
                                        static_cast<std::uint32_t>(data[7]) << 24))
      std::abort();
  }

  auto packed = mascot::CompressIfSmaller(input, 1);
  // Small segments put segment edges everywhere in short inputs.
  const auto parallel = mascot::lzss::CompressOnThreads(input, 2 + size % 3, 1 + size % 61);
  if (parallel.compressed != packed.compressed || parallel.bytes != packed.bytes) std::abort();
  if (!packed.compressed) {
    if (!std::equal(packed.bytes.begin(), packed.bytes.end(), input.begin(), input.end())) std::abort();
    return 0;
  }
  if (packed.bytes.size() >= size) std::abort();
  auto back = mascot::DecompressBlock(packed.bytes);
  if (!back || !std::equal(back->begin(), back->end(), input.begin(), input.end())) std::abort();
  return 0;
}
