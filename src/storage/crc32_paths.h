#pragma once
// The ways UpdateCrc32 can run. UpdateCrc32 picks the fastest this processor
// has; tests and benchmarks call each one directly to compare them.
#include <cstddef>
#include <cstdint>

namespace mascot {

// Slice-by-8 tables: any processor, and the fastest for short buffers.
std::uint32_t UpdateCrc32Table(std::uint32_t state, const void* data, std::size_t size);

// Folding 128-bit blocks with carry-less multiplication (PCLMULQDQ, SSE4.1).
// Call only when Crc32FoldingAvailable().
bool Crc32FoldingAvailable();
std::uint32_t UpdateCrc32Folding(std::uint32_t state, const void* data, std::size_t size);

// The same folding on 512-bit registers (VPCLMULQDQ, AVX-512), for long
// buffers. Call only when Crc32WideFoldingAvailable().
bool Crc32WideFoldingAvailable();
std::uint32_t UpdateCrc32WideFolding(std::uint32_t state, const void* data, std::size_t size);

}  // namespace mascot
