#pragma once
#include <cstddef>
#include <cstdint>
#include <span>

namespace mascot {

// The pictures built into the program, by resource number (1 to 0xFFFF).
// Each is a .bmp file image or a bitmap without its file header. The bytes
// are copied; registering a number again replaces its picture.
bool RegisterProgramBitmap(int id, const unsigned char* bmpBytes, std::size_t size);
void UnregisterProgramBitmap(int id);
// The registered bytes; empty when the number has no picture.
std::span<const std::uint8_t> FindProgramBitmap(int id);

inline constexpr int kMaxResourceNumber = 0xFFFF;

}  // namespace mascot
