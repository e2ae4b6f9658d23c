#pragma once
#include <cstdint>

namespace mascot {

// The process-wide pseudo-random generator: a linear congruential generator
// whose draws decide frame delays, loop counts and the random choice of the
// next mascot. Seeded once at start with the time; tests seed it themselves.
class RandomSource {
 public:
  static RandomSource& instance();

  void seed(std::uint32_t value) { state_ = value; }
  std::uint32_t state() const { return state_; }

  // The next state word.
  std::uint32_t next();
  // 0 when n is 0, else next() modulo n.
  std::uint32_t below(std::uint32_t n);
  // A value in [lo, hi) with lo and hi the smaller and larger of a and b;
  // a when they are equal.
  std::uint32_t range(std::uint32_t a, std::uint32_t b);

 private:
  std::uint32_t state_ = 0;
};

}  // namespace mascot
