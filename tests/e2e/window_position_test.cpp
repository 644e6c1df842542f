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
#include <X11/Xatom.h>
#include <X11/Xlib.h>

namespace murva {
namespace {

using testing::ReadBytes;
using testing::TempFolder;

// A window manager on a display, ended with the test.
class WindowManager {
 public:
  explicit WindowManager(const std::string& display) {
    pid_ = fork();
    if (pid_ == 0) {
      setenv("DISPLAY", display.c_str(), 1);
      execlp("openbox", "openbox", "--sm-disable", static_cast<char*>(nullptr));
      _exit(127);
    }
  }
  ~WindowManager() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      int status = 0;
      waitpid(pid_, &status, 0);
    }
  }
  WindowManager(const WindowManager&) = delete;
  WindowManager& operator=(const WindowManager&) = delete;

 private:
  pid_t pid_ = -1;
};

struct FramePosition {
  int x = 0;
  int y = 0;
  bool operator==(const FramePosition&) const = default;
};

class Desktop {
 public:
  explicit Desktop(const std::string& display) : display_(XOpenDisplay(display.c_str())) {
    // A window may go away between finding it and asking about it.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
  }
  ~Desktop() {
    if (display_) XCloseDisplay(display_);
  }
  bool Open() const { return display_ != nullptr; }

  // Whether a window manager has announced itself on the root window.
  bool ManagerRunning() {
    return !Property(DefaultRootWindow(display_), "_NET_SUPPORTING_WM_CHECK", XA_WINDOW, 1).empty();
  }

  // The top-level window with exactly this title, 0 when there is none.
  Window Find(const std::string& title) { return Find(DefaultRootWindow(display_), title); }

  // The titles of all named windows, for a failure message.
  std::string Titles() {
    std::string titles;
    Collect(DefaultRootWindow(display_), titles);
    return titles.empty() ? "none" : titles;
  }

  // The window's frame position, once the window manager has framed it.
  std::optional<FramePosition> Frame(Window window) {
    const std::vector<long> extents = Property(window, "_NET_FRAME_EXTENTS", XA_CARDINAL, 4);
    if (extents.size() != 4) return std::nullopt;
    int x = 0, y = 0;
    Window child;
    if (!XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &x, &y,
                               &child)) {
      return std::nullopt;
    }
    return FramePosition{x - static_cast<int>(extents[0]), y - static_cast<int>(extents[2])};
  }

  // The window manager's close button: WM_DELETE_WINDOW.
  void Close(Window window) {
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display_, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display_, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display_, window, False, NoEventMask, &event);
    XFlush(display_);
  }

 private:
  std::vector<long> Property(Window window, const char* name, Atom kind, long count) {
    std::vector<long> values;
    Atom type;
    int format;
    unsigned long items, remaining;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display_, window, XInternAtom(display_, name, False), 0, count, False,
                           kind, &type, &format, &items, &remaining, &data) == Success &&
        data && format == 32) {
      const long* longs = reinterpret_cast<const long*>(data);
      values.assign(longs, longs + items);
    }
    if (data) XFree(data);
    return values;
  }

  void Collect(Window window, std::string& titles) {
    char* name = nullptr;
    if (XFetchName(display_, window, &name) && name) {
      titles += (titles.empty() ? "\"" : ", \"") + std::string(name) + "\"";
      XFree(name);
    }
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display_, window, &root, &parent, &children, &count)) return;
    for (unsigned i = 0; i < count; ++i) Collect(children[i], titles);
    if (children) XFree(children);
  }

  Window Find(Window window, const std::string& title) {
    char* name = nullptr;
    if (XFetchName(display_, window, &name) && name) {
      const bool match = title == name;
      XFree(name);
      if (match) return window;
    }
    Window root, parent, *children = nullptr;
    unsigned count = 0;
    if (!XQueryTree(display_, window, &root, &parent, &children, &count)) return 0;
    Window found = 0;
    for (unsigned i = 0; i < count && !found; ++i) found = Find(children[i], title);
    if (children) XFree(children);
    return found;
  }

  Display* display_;
};

// Waits for a condition, up to a generous limit; the test then checks it.
template <typename Condition>
bool WaitFor(Condition condition) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(40);
  while (std::chrono::steady_clock::now() < deadline) {
    if (condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

std::string Key(const std::string& ini, const std::string& key) {
  const auto start = ini.find("\r\n" + key + "=");
  if (start == std::string::npos) return {};
  const auto value = start + key.size() + 3;
  return ini.substr(value, ini.find("\r\n", value) - value);
}

TEST(WindowPositionTest, TenRestartsLeaveTheFrameWhereItWas) {
  testing::XvfbServer server("1024x768x24");
  ASSERT_TRUE(server.Running()) << "Xvfb did not start";
  WindowManager manager(server.Display());
  Desktop desktop(server.Display());
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
