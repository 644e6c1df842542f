// The control panel's place on the desktop over restarts: the real program
// on its own virtual X server with a window manager that frames windows
// (openbox). The stored position is the frame's; closing and starting again
// must leave the window where it was, however often.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <optional>
#include <thread>

#include "program_runner.h"
#include "support/temp_folder.h"
#include "support/xvfb_server.h"
// Xlib after Qt: its macros clash with Qt's names.
#include "support/x11_desktop.h"

namespace murva {
namespace {

using testing::ReadBytes;
using testing::TempFolder;
using testing::WaitFor;
using testing::WindowManager;
using testing::X11Desktop;
using testing::FramePosition;

std::string Key(const std::string& ini, const std::string& key) {
  const auto start = ini.find("\r\n" + key + "=");
  if (start == std::string::npos) return {};
  const auto value = start + key.size() + 3;
  return ini.substr(value, ini.find("\r\n", value) - value);
}

TEST(WindowPositionTest, TenRestartsLeaveTheFrameWhereItWas) {
  // A screen on which the stored place leaves the whole window on it.
  testing::XvfbServer server("1600x1200x24");
  ASSERT_TRUE(server.Running()) << "Xvfb did not start";
  WindowManager manager(server.Display());
  X11Desktop desktop(server.Display());
  ASSERT_TRUE(desktop.Open());
  ASSERT_TRUE(WaitFor([&] { return desktop.ManagerRunning(); })) << "openbox did not start";

  TempFolder folder;
  testing::ProgramRunner runner(folder.Path(), server.Display(), "2026-05-03 08:00:00");
  runner.WriteSettings({"FormPositX=100", "FormPositY=80"});
  const FramePosition stored{100, 80};
  for (int start = 1; start <= 10; ++start) {
    SCOPED_TRACE("start " + std::to_string(start));
    const pid_t program = runner.Launch({});
    Window window = 0;
    std::optional<FramePosition> frame;
    WaitFor([&] {
      window = desktop.Find("MURVA32  mode BASIC");
      frame = window ? desktop.Frame(window) : std::nullopt;
      return frame && *frame == stored;
    });
    if (window == 0) {
      // Say what the program did instead: still running (and showing what),
      // or gone, and what it wrote on standard error.
      const std::string titles = desktop.Titles();
      const testing::RunResult run = runner.Wait(program, std::chrono::seconds(1));
      FAIL() << "no window came up; windows: " << titles
             << (run.timed_out ? "; the program was still running"
                               : "; the program ended with " + std::to_string(run.exit_code))
             << "; its errors: " << run.errors;
    }
    ASSERT_TRUE(frame.has_value()) << "the window was never framed";
    EXPECT_EQ(frame->x, stored.x);
    EXPECT_EQ(frame->y, stored.y);
    desktop.Close(window);
    const testing::RunResult run = runner.Wait(program);
    ASSERT_FALSE(run.timed_out) << run.errors;
    const std::string ini = ReadBytes(folder / "MURVA32.INI");
    EXPECT_EQ(Key(ini, "FormPositX"), "100");
    EXPECT_EQ(Key(ini, "FormPositY"), "80");
  }
}

}  // namespace
}  // namespace murva
