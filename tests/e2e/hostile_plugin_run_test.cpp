// The real program with plug-ins that leave processes behind (a child in
// every call, a daemon), its standard output and error going into one pipe
// as in "murva32 -E 2>&1 | cat": the pipe reaches its end as the run ends,
// and none of the processes the plug-ins started is left.
#include <gtest/gtest.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QImage>

#include "program_runner.h"
#include "shared_display.h"
#include "support/process_survivors.h"
#include "support/temp_folder.h"

namespace murva {
namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using testing::TempFolder;
using testing::WriteBytes;

class HostilePluginRun : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server_->Running()) << "Xvfb did not start";
    setenv("MURVA_FAKE_PIDS", (folder_ / "pids").c_str(), 1);
    setenv("NO_FAKE_STAT", "1", 1);
    fs::create_directories(folder_ / "susie");
    for (const char* name : {"fork_in_every", "daemon_in_info"}) {
      fs::copy_file(std::string(MURVA_FAULTY_PLUGIN_DIR) + "/" + name + ".spi",
                    folder_ / "susie" / (std::string(name) + ".spi"));
    }
    setenv("MURVA32_SPI_DIR", (folder_ / "susie").c_str(), 1);
  }
  void TearDown() override {
    for (const char* name : {"MURVA32_SPI_DIR", "MURVA_FAKE_PIDS", "NO_FAKE_STAT"}) unsetenv(name);
  }

  testing::XvfbServer* server_ = &testing::SharedDisplay();
  TempFolder folder_;
  testing::ProgramRunner runner_{folder_.Path(), server_ ? server_->Display() : "",
                                 "2026-05-03 08:00:00"};
};

TEST_F(HostilePluginRun, TheOutputEndsWithTheRunAndNoProcessOfAPluginIsLeft) {
  // A 64 x 48 picture of the test format, read by the forking plug-in.
  const fs::path background = folder_ / "pictures" / "back.mvt";
  WriteBytes(background, std::string("MVTS\x40\x00\x30\x00", 8));
  runner_.WriteSettings({"EditPathW1=" + background.string(), "CalendTile=1"});

  int ends[2];
  ASSERT_EQ(pipe2(ends, O_CLOEXEC), 0);
  const pid_t program = runner_.Launch({"-E"}, ends[1]);
  close(ends[1]);
  std::string output;
  std::optional<Clock::time_point> exited, output_ended;
  int status = 0;
  const Clock::time_point limit = Clock::now() + std::chrono::seconds(60);
  while ((!exited || !output_ended) && Clock::now() < limit) {
    pollfd entry{ends[0], POLLIN, 0};
    if (!output_ended && poll(&entry, 1, 50) > 0) {
      char buffer[4096];
      const ssize_t count = read(ends[0], buffer, sizeof buffer);
      if (count > 0) output.append(buffer, static_cast<std::size_t>(count));
      if (count == 0) output_ended = Clock::now();
    } else if (output_ended) {
      usleep(20000);
    }
    if (!exited && waitpid(program, &status, WNOHANG) == program) exited = Clock::now();
  }
  close(ends[0]);
  if (!exited) {
    kill(-program, SIGKILL);
    waitpid(program, nullptr, 0);
  }
  ASSERT_TRUE(exited) << output;
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << output;
  ASSERT_TRUE(output_ended) << "a process the plug-ins started still holds the output";
  EXPECT_LT(*output_ended - *exited, std::chrono::seconds(1));

  // The plug-in's lines came through, naming it.
  const std::string plugin = fs::canonical(folder_ / "susie" / "fork_in_every.spi").string();
  EXPECT_NE(output.find("murva32: " + plugin + ": fork_in_every GetPicture forked "),
            std::string::npos)
      << output;
  const QImage written(QString::fromStdString((folder_ / "pictures" / "MURVA00.BMP").string()));
  EXPECT_EQ(written.size(), QSize(1024, 768));
  const std::vector<pid_t> pids = testing::RecordedPids(folder_ / "pids");
  EXPECT_GE(pids.size(), 3u);
  EXPECT_EQ(testing::Survivors(pids), std::vector<pid_t>{});
}

}  // namespace
}  // namespace murva
