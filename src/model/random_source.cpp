#include "model/random_source.h"

#include <algorithm>

namespace mascot {

RandomSource& RandomSource::instance() {
  static RandomSource source;
  return source;
}

std::uint32_t RandomSource::next() {
  state_ = state_ * 1664525u + 1u;
  return state_;
}

std::uint32_t RandomSource::below(std::uint32_t n) { return n == 0 ? 0 : next() % n; }

std::uint32_t RandomSource::range(std::uint32_t a, std::uint32_t b) {
  std::uint32_t lo = std::min(a, b);
  std::uint32_t hi = std::max(a, b);
  return lo + below(hi - lo);
}

}  // namespace mascot
