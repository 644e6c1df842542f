#include "calendar/random_source.h"

#include <chrono>

namespace murva {

SeededRandom::SeededRandom()
    : engine_(static_cast<std::uint32_t>(
          std::chrono::system_clock::now().time_since_epoch().count())) {}

int SeededRandom::Next(int n) {
  if (n <= 0) return 0;
  std::uniform_int_distribution<int> pick(0, n - 1);
  return pick(engine_);
}

RandomSource& ProcessRandom() {
  static SeededRandom generator;
  return generator;
}

}  // namespace murva
