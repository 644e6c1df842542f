// Checks that only hold for a user whom file permissions bind.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <functional>

namespace murva::testing {

// Expects `check` to hold when run by a user whom file permissions bind: run
// directly, or, for the superuser, in a child process that has given up its
// privileges first.
inline void ExpectAsUnprivilegedUser(const std::function<bool()>& check) {
  if (geteuid() != 0) {
    EXPECT_TRUE(check());
    return;
  }
  constexpr uid_t kNobody = 65534;
  EXPECT_EXIT(
      {
        if (setgid(kNobody) != 0 || setuid(kNobody) != 0) std::_Exit(2);
        std::_Exit(check() ? 0 : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

}  // namespace murva::testing
