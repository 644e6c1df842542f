// A child process spoken to through a socket: it gets nothing of this
// process but its socket, runs in a session of its own that is ended as a
// whole, and what it prints comes back a line at a time, filtered and
// bounded.
#include "platform/child_process.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <mutex>

#include "support/process_survivors.h"

namespace murva {
namespace {

using namespace std::chrono_literals;
using Clock = ChildProcess::Clock;

// A shell as the child, its output kept.
class Child {
 public:
  explicit Child(const std::string& script, const std::vector<std::string>& words = {}) {
    std::vector<std::string> arguments = {"-c", script, "sh"};
    arguments.insert(arguments.end(), words.begin(), words.end());
    std::string error;
    process_ = ChildProcess::Start("/bin/sh", arguments, 3,
                                   [this](const std::string& line) {
                                     std::lock_guard lock(mutex_);
                                     lines_.push_back(line);
                                   },
                                   error);
    EXPECT_TRUE(process_) << error;
  }
  ChildProcess& Process() { return *process_; }
  std::vector<std::string> Lines() {
    std::lock_guard lock(mutex_);
    return lines_;
  }

 private:
  std::mutex mutex_;
  std::vector<std::string> lines_;
  std::unique_ptr<ChildProcess> process_;
};

struct Printed {
  std::string what;
  std::string bytes;
  std::vector<std::string> lines;
};

std::vector<Printed> Outputs() {
  const std::string notice = "（これより後の出力は省きます）";
  Printed flood{"flood", "", {}};
  for (int i = 0; i < 100; ++i) {
    flood.bytes += std::string(99, 'f') + "\n";
    // 100 bytes a line: the 41st would pass 4096 bytes.
    if (i < 40) flood.lines.push_back(std::string(99, 'f'));
  }
  flood.lines.push_back(notice);
  return {
      {"lines", "one\ntwo\n", {"one", "two"}},
      {"control_characters", "\x1b[1mbold\x1b[0m\tx\r\n", {"?[1mbold?[0m x"}},
      {"no_newline_at_the_end", "last", {"last"}},
      {"blank_lines", "\n\n  \nx\n", {"x"}},
      {"long_line", std::string(1000, 'y') + "\nz\n", {std::string(512, 'y'), "z"}},
      {"cut_between_characters", std::string(511, 'a') + "日本\n", {std::string(511, 'a')}},
      flood,
  };
}

class ChildOutput : public ::testing::TestWithParam<Printed> {};

TEST_P(ChildOutput, ComesBackLineByLineFilteredAndBounded) {
  Child child("printf '%s' \"$1\"", {GetParam().bytes});
  const ChildEnd end = child.Process().Stop(Clock::now() + 30s);
  EXPECT_FALSE(end.signaled);
  EXPECT_EQ(end.number, 0);
  EXPECT_EQ(child.Lines(), GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(Kinds, ChildOutput, ::testing::ValuesIn(Outputs()),
                         [](const auto& info) { return info.param.what; });

TEST(ChildProcess, GetsOnlyItsSocketAndRunsInASessionOfItsOwn) {
  // A descriptor of this process that is not marked close-on-exec.
  const int leaked = dup(STDERR_FILENO);
  Child child("ls /proc/$$/fd; read line <&3");
  EXPECT_EQ(getsid(child.Process().Pid()), child.Process().Pid());
  child.Process().Send("\n", 1, Clock::now() + 30s);
  child.Process().Stop(Clock::now() + 30s);
  close(leaked);
  EXPECT_EQ(child.Lines(), (std::vector<std::string>{"0", "1", "2", "3"}));
}

TEST(ChildProcess, ItsEndIsSeenWhileWhatItStartedHoldsTheSocketAndThatEndsToo) {
  Child child("sleep 60 & echo $!; exit 3");
  char byte = 0;
  // Without a look at the child itself this would wait for the deadline.
  EXPECT_EQ(child.Process().Receive(&byte, 1, Clock::now() + 60s), ChildProcess::IoResult::kClosed);
  const ChildEnd end = child.Process().Stop();
  EXPECT_FALSE(end.signaled);
  EXPECT_EQ(end.number, 3);
  const std::vector<std::string> lines = child.Lines();
  ASSERT_EQ(lines.size(), 1u);
  const pid_t sleeper = static_cast<pid_t>(std::stol(lines[0]));
  // Killed with the child's group; nobody's child to wait for here.
  EXPECT_TRUE(testing::Ends(sleeper));
}

}  // namespace
}  // namespace murva
