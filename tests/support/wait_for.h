// Waiting for something another process does: polls the condition until it
// holds or a generous limit (for a loaded machine) has passed; the caller
// then checks the condition itself.
#pragma once

#include <chrono>
#include <thread>

namespace murva::testing {

template <typename Condition>
bool WaitFor(Condition condition, std::chrono::milliseconds limit = std::chrono::seconds(60)) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return true;
}

}  // namespace murva::testing
