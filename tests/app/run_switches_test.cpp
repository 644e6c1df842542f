// The words of the command line after the run switch.
#include <gtest/gtest.h>

#include "app/run_switches.h"

namespace murva {
namespace {

TEST(RunSwitches, WatchAndUnattendedFollowTheRunSwitchOnly) {
  struct Case {
    std::vector<std::string> arguments;
    bool automatic, watch, unattended, error;
  };
  const Case cases[] = {
      {{}, false, false, false, false},
      {{"-E"}, true, false, false, false},
      {{"-e", "--watch"}, true, true, false, false},
      {{"-E", "--unattended"}, true, false, true, false},
      {{"-E", "other", "--watch"}, true, true, false, false},  // other words: ignored as ever
      {{"-x", "--watch"}, false, false, false, false},          // an interactive start
      {{"--watch"}, false, false, false, true},
      {{"--unattended", "-E"}, false, false, false, true},
  };
  for (const Case& c : cases) {
    const RunSwitches switches = ParseRunSwitches(c.arguments);
    const std::string what = c.arguments.empty() ? "(none)" : c.arguments.front();
    EXPECT_EQ(switches.automatic, c.automatic) << what;
    EXPECT_EQ(switches.watch, c.watch) << what;
    EXPECT_EQ(switches.unattended, c.unattended) << what;
    EXPECT_EQ(!switches.error.empty(), c.error) << what;
    if (!c.arguments.empty()) {
      EXPECT_EQ(switches.first, c.arguments.front());
    }
  }
}

}  // namespace
}  // namespace murva
