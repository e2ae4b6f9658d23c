#pragma once
#include <cstddef>
#include <cstdint>
#include <new>
#include <vector>

namespace mascot {

// Buffers of megabytes (a mascot's image table, the coder's match lists)
// are filled once and read once. Fresh from the system they cost a page
// fault per 4 KiB page, which on a virtual machine is more than filling
// them; asked for in huge pages they cost a few. Small ones come from the
// heap as usual.
void* AllocateLarge(std::size_t bytes);
void FreeLarge(void* memory, std::size_t bytes) noexcept;

template <typename T>
struct LargeAllocator {
  using value_type = T;
  LargeAllocator() = default;
  template <typename U>
  LargeAllocator(const LargeAllocator<U>&) noexcept {}
  T* allocate(std::size_t n) {
    if (n > SIZE_MAX / sizeof(T)) throw std::bad_array_new_length();
    return static_cast<T*>(AllocateLarge(n * sizeof(T)));
  }
  void deallocate(T* p, std::size_t n) noexcept { FreeLarge(p, n * sizeof(T)); }
  template <typename U>
  bool operator==(const LargeAllocator<U>&) const noexcept {
    return true;
  }
};

using LargeBytes = std::vector<std::uint8_t, LargeAllocator<std::uint8_t>>;

}  // namespace mascot
