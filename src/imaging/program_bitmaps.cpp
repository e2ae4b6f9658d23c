#include "imaging/program_bitmaps.h"

#include <map>
#include <vector>

namespace mascot {
namespace {

std::map<int, std::vector<std::uint8_t>>& Registry() {
  static std::map<int, std::vector<std::uint8_t>> registry;
  return registry;
}

}  // namespace

bool RegisterProgramBitmap(int id, const unsigned char* bmpBytes, std::size_t size) {
  if (id <= 0 || id > kMaxResourceNumber || bmpBytes == nullptr || size == 0) return false;
  Registry()[id].assign(bmpBytes, bmpBytes + size);
  return true;
}

void UnregisterProgramBitmap(int id) { Registry().erase(id); }

std::span<const std::uint8_t> FindProgramBitmap(int id) {
  auto found = Registry().find(id);
  if (found == Registry().end()) return {};
  return found->second;
}

}  // namespace mascot
