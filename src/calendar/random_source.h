// The random seam: random(n) as the program uses it, from one generator that
// is seeded once per process. Tests hand in a generator of their own.
#pragma once

#include <cstdint>
#include <random>

namespace murva {

class RandomSource {
 public:
  virtual ~RandomSource() = default;
  // A uniformly distributed integer in 0 .. n-1; 0 when n <= 0.
  virtual int Next(int n) = 0;
};

// Mersenne twister; seeded from the clock unless a seed is given.
class SeededRandom final : public RandomSource {
 public:
  SeededRandom();
  explicit SeededRandom(std::uint32_t seed) : engine_(seed) {}
  int Next(int n) override;

 private:
  std::mt19937 engine_;
};

// The process-wide generator, seeded on first use.
RandomSource& ProcessRandom();

}  // namespace murva
