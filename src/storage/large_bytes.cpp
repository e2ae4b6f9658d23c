#include "storage/large_bytes.h"

#include <sys/mman.h>

#include <cstdlib>

namespace mascot {
namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

bool IsLarge(std::size_t bytes) { return bytes >= kHugePage; }

std::size_t RoundedUp(std::size_t bytes) { return (bytes + kHugePage - 1) / kHugePage * kHugePage; }

}  // namespace

void* AllocateLarge(std::size_t bytes) {
  if (!IsLarge(bytes)) return ::operator new(bytes);
  if (bytes > SIZE_MAX - kHugePage) throw std::bad_alloc();
  void* memory = std::aligned_alloc(kHugePage, RoundedUp(bytes));
  if (memory == nullptr) throw std::bad_alloc();
  // Only advice: where huge pages are off, the pages come as before.
  madvise(memory, RoundedUp(bytes), MADV_HUGEPAGE);
  return memory;
}

void FreeLarge(void* memory, std::size_t bytes) noexcept {
  if (!IsLarge(bytes))
    ::operator delete(memory);
  else
    std::free(memory);
}

}  // namespace mascot
