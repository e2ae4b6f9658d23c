#pragma once
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace mascot::test {

inline std::string ScratchFolder(const std::string& name) {
  auto folder = std::filesystem::path(MASCOT_TEST_SCRATCH) / "model" / name;
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder.string();
}

inline void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::ssize(bytes));
}

// A bottom-up 24-bit BMP; colours are 0x00BBGGRR, row by row from the top.
inline void WriteBmp24(const std::string& path, int width, int height, const std::vector<std::uint32_t>& colours) {
  const std::uint32_t stride = (static_cast<std::uint32_t>(width) * 3 + 3) & ~3u;
  std::vector<std::uint8_t> out{'B', 'M'};
  auto put = [&out](std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  };
  put(54 + stride * static_cast<std::uint32_t>(height), 4), put(0, 4), put(54, 4), put(40, 4);
  put(static_cast<std::uint32_t>(width), 4), put(static_cast<std::uint32_t>(height), 4), put(1, 2), put(24, 2);
  for (int i = 0; i < 6; ++i) put(0, 4);
  for (int y = height - 1; y >= 0; --y) {
    std::size_t rowEnd = out.size() + stride;
    for (int x = 0; x < width; ++x) {
      std::uint32_t c = colours[static_cast<std::size_t>(y * width + x)];
      put((c >> 16 & 0xFF) | (c & 0xFF00) | (c & 0xFF) << 16, 3);  // blue, green, red
    }
    out.resize(rowEnd, 0);
  }
  WriteBytes(path, out);
}

}  // namespace mascot::test
